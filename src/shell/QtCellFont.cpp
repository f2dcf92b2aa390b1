#include "shell/QtCellFont.h"

#include <QFontDatabase>
#include <QStringList>

#include "cells/cmcFont.h"
#include "platform/qt/QtServices.h"

QFont ToQFont(const cmcFont& font, const QFont& fallback)
{
    QFont f = fallback;
    if (!font.name.empty()) {
        const QString family = plat::ToQt(font.name);
        if (QFontDatabase::families().contains(family, Qt::CaseInsensitive))
            f.setFamily(family);
    }
    // A negative height is the character height in pixels; a positive one includes the
    // internal leading, which is about a fifth of it.
    int px = font.height < 0 ? -font.height : font.height * 4 / 5;
    if (px > 0)
        f.setPixelSize(px);
    f.setBold(font.style & cmcFont::fsBold);
    f.setItalic(font.style & cmcFont::fsItalic);
    f.setUnderline(font.style & cmcFont::fsUnderline);
    f.setStrikeOut(font.style & cmcFont::fsStrikeOut);
    if (font.pitch == cmcFont::fpFixed)
        f.setFixedPitch(true);
    return f;
}
