#include "shell/WindowBounds.h"

plat::Rect KeepOnWorkArea(plat::Rect form, const plat::Rect& work)
{
    const int l = work.left, t = work.top, r = work.Right(), b = work.Bottom();
    if (r - 16 < form.left)
        form.left = r - 16;
    if (b - 16 < form.top)
        form.top = b - 16;
    if (form.left + form.width < l + 16)
        form.left = l + 16 - form.width;
    if (form.top < t)
        form.top = t;
    return form;
}
