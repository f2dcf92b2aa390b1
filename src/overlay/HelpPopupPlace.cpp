#include "overlay/HelpPopupPlace.h"

plat::Rect PlaceHelpPopup(int x, int y, int w, int h, const plat::Rect& work)
{
    const int L = work.left, T = work.top, R = work.Right(), B = work.Bottom();
    int left = x - w / 2 > L ? x - w / 2 : L;
    int top = y;
    if (top + h > B)
        top = (h < y - T && y < B) ? y - h : B - h;
    if (left + w > R)
        left = R - w;
    // A pop-up larger than the work area keeps its top left corner on it.
    if (left < L)
        left = L;
    if (top < T)
        top = T;
    return {left, top, w, h};
}
