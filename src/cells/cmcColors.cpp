#include "cells/cmcColors.h"

#include <iterator>

#include "cells/cmcHash.h"

namespace {

struct NamedColor {
    const char* name;
    cmcColor value;
};

const NamedColor kColors[] = {
    {"clAqua", clAqua},
    {"clBlack", clBlack},
    {"clBlue", clBlue},
    {"clDkGray", clDkGray},
    {"clFuchsia", clFuchsia},
    {"clGray", clGray},
    {"clGreen", clGreen},
    {"clLime", clLime},
    {"clLtGray", clLtGray},
    {"clMaroon", clMaroon},
    {"clNavy", clNavy},
    {"clOlive", clOlive},
    {"clPurple", clPurple},
    {"clRed", clRed},
    {"clSilver", clSilver},
    {"clTeal", clTeal},
    {"clWhite", clWhite},
    {"clYellow", clYellow},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHightlightText", clHightlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
};
static_assert(std::size(kColors) == 38);

const cmcHash& Table()
{
    static const cmcHash table = [] {
        cmcHash t(101);
        for (const NamedColor& c : kColors)
            t.Insert(c.name, static_cast<int32_t>(c.value));
        return t;
    }();
    return table;
}

}  // namespace

bool LookupColor(std::string_view name, cmcColor* color)
{
    const int32_t* v = Table().Lookup(name);
    if (!v)
        return false;
    if (color)
        *color = static_cast<cmcColor>(*v);
    return true;
}
