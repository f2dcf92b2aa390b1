#pragma once
#include "platform/IDesktop.h"

// Where a help pop-up of width w and height h goes for the cursor at (x, y) on the work
// area of the screen under the cursor: centred below the cursor, above it when there is no
// room below, and always inside the work area, on the left as on the right.
plat::Rect PlaceHelpPopup(int x, int y, int w, int h, const plat::Rect& workArea);
