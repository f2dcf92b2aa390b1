#pragma once
#include <QColor>
#include <QPalette>

#include "cells/cmcColors.h"

// The toolkit colour for an overlay colour: plain colours as they are, system colours as
// the matching role of the running style's palette, so dark themes work.
QColor ToQColor(cmcColor color, const QPalette& palette);
