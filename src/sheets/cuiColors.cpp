#include "sheets/cuiColors.h"

QColor ToQColor(cmcColor color, const QPalette& p)
{
    if (!IsSystemColor(color))
        return QColor(ColorRed(color), ColorGreen(color), ColorBlue(color));
    switch (color) {
        case clWindow:
            return p.color(QPalette::Active, QPalette::Base);
        case clWindowText:
        case clMenuText:
        case clCaptionText:
        case clInactiveCaptionText:
            return p.color(QPalette::Active, QPalette::Text);
        case clHighlight:
        case clActiveCaption:
            return p.color(QPalette::Active, QPalette::Highlight);
        case clHightlightText:
            return p.color(QPalette::Active, QPalette::HighlightedText);
        case clBtnFace:
        case clMenu:
        case clActiveBorder:
        case clInactiveBorder:
        case clInactiveCaption:
            return p.color(QPalette::Active, QPalette::Button);
        case clBtnText:
            return p.color(QPalette::Active, QPalette::ButtonText);
        case clBtnShadow:
            return p.color(QPalette::Active, QPalette::Dark);
        case clBtnHighlight:
            return p.color(QPalette::Active, QPalette::Light);
        case clGrayText:
            return p.color(QPalette::Disabled, QPalette::Text);
        case clAppWorkSpace:
        case clBackground:
            return p.color(QPalette::Active, QPalette::Window);
        case clWindowFrame:
            return p.color(QPalette::Active, QPalette::Shadow);
        default:
            return p.color(QPalette::Active, QPalette::Base);
    }
}

cmcColor FromQColor(const QColor& c)
{
    return ColorRgb(c.red(), c.green(), c.blue());
}
