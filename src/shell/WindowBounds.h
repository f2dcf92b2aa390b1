#pragma once
#include "platform/IDesktop.h"

// Keeps a window on the work area: at least 16 pixels stay visible to the right, bottom
// and left, and the caption is never above the work area.
plat::Rect KeepOnWorkArea(plat::Rect form, const plat::Rect& work);
