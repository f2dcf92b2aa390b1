#pragma once
#include <QFont>

class cmcFont;

// The toolkit font for an overlay font. A face the system does not have falls back to the
// user-interface font, keeping size and styles.
QFont ToQFont(const cmcFont& font, const QFont& fallback);
