#include "shell/QtColors.h"

QColor ToQColor(cmcColor color, const QPalette& palette)
{
    if (!IsSystemColor(color))
        return QColor(ColorRed(color), ColorGreen(color), ColorBlue(color));
    switch (SystemColorIndex(color)) {
        case 1:   // background
        case 12:  // application work space
            return palette.color(QPalette::Window);
        case 2:   // active caption
        case 13:  // highlight
            return palette.color(QPalette::Highlight);
        case 3:
        case 11:
            return palette.color(QPalette::Inactive, QPalette::Highlight);
        case 4:   // menu
        case 15:  // button face
            return palette.color(QPalette::Button);
        case 5:  // window
            return palette.color(QPalette::Base);
        case 6:  // window frame
        case 10:
        case 16:  // button shadow
            return palette.color(QPalette::Mid);
        case 7:  // menu text
        case 8:  // window text
            return palette.color(QPalette::Text);
        case 9:
        case 14:  // highlighted text
            return palette.color(QPalette::HighlightedText);
        case 17:  // grey text
        case 19:
            return palette.color(QPalette::Disabled, QPalette::Text);
        case 18:  // button text
            return palette.color(QPalette::ButtonText);
        case 20:  // button highlight
            return palette.color(QPalette::Light);
        default:
            return palette.color(QPalette::Base);
    }
}
