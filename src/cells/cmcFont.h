#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "cells/cmcColors.h"

// The font of a cell as the overlay describes it, free of any toolkit: the user interface
// maps it to its own font (face name, pixel height or point size, style bits, pitch).
//
// Height and size are two views of one quantity, as overlays use them: a negative height is
// the character height in pixels, the size is in points; setting one updates the other at
// kPixelsPerInch. A positive height is a cell height (character plus internal leading).
class cmcFont {
public:
    // Style bits.
    static constexpr uint8_t fsBold = 0x01;
    static constexpr uint8_t fsItalic = 0x02;
    static constexpr uint8_t fsUnderline = 0x04;
    static constexpr uint8_t fsStrikeOut = 0x08;
    // Pitches.
    static constexpr int32_t fpDefault = 0;
    static constexpr int32_t fpFixed = 1;
    static constexpr int32_t fpVariable = 2;

    static constexpr int kPixelsPerInch = 96;
    static constexpr int32_t kDefaultCharset = 1;  // DEFAULT_CHARSET

    int32_t charset = kDefaultCharset;
    std::string name;  // face name; empty = the system's user-interface font
    cmcColor color = clWindowText;
    int32_t height = -11;
    int32_t size = 8;
    uint8_t style = 0;
    int32_t pitch = fpDefault;

    void SetHeight(int32_t h);
    void SetSize(int32_t s);
    // Character height in pixels for the user interface (|height|).
    int32_t PixelHeight() const { return height < 0 ? -height : height; }

    // Applies the seven comma-separated fields of a font description (character set,
    // face, colour, height, size, styles, pitch); an empty or unknown field changes nothing.
    void ApplyDescription(std::string_view text);

    bool operator==(const cmcFont&) const = default;
};
