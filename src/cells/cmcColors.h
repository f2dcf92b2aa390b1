#pragma once
#include <cstdint>
#include <string_view>

// Colour values as overlays name them. A plain colour is 24-bit with red in the low byte,
// green in the middle and blue in the high byte; a system colour is 2^31 plus the system
// colour index, which the user interface maps to the running style's palette.
using cmcColor = uint32_t;

constexpr cmcColor ColorRgb(int r, int g, int b)
{
    return static_cast<cmcColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr cmcColor kSystemColorBit = 0x80000000u;
constexpr cmcColor SystemColor(int index)
{
    return kSystemColorBit | static_cast<cmcColor>(index);
}
constexpr bool IsSystemColor(cmcColor c)
{
    return (c & kSystemColorBit) != 0;
}
constexpr int SystemColorIndex(cmcColor c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int ColorRed(cmcColor c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int ColorGreen(cmcColor c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int ColorBlue(cmcColor c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

inline constexpr cmcColor clAqua = ColorRgb(0, 255, 255);
inline constexpr cmcColor clBlack = ColorRgb(0, 0, 0);
inline constexpr cmcColor clBlue = ColorRgb(0, 0, 255);
inline constexpr cmcColor clDkGray = ColorRgb(128, 128, 128);
inline constexpr cmcColor clFuchsia = ColorRgb(255, 0, 255);
inline constexpr cmcColor clGray = ColorRgb(128, 128, 128);
inline constexpr cmcColor clGreen = ColorRgb(0, 128, 0);
inline constexpr cmcColor clLime = ColorRgb(0, 255, 0);
inline constexpr cmcColor clLtGray = ColorRgb(192, 192, 192);
inline constexpr cmcColor clMaroon = ColorRgb(128, 0, 0);
inline constexpr cmcColor clNavy = ColorRgb(0, 0, 128);
inline constexpr cmcColor clOlive = ColorRgb(128, 128, 0);
inline constexpr cmcColor clPurple = ColorRgb(128, 0, 128);
inline constexpr cmcColor clRed = ColorRgb(255, 0, 0);
inline constexpr cmcColor clSilver = ColorRgb(192, 192, 192);
inline constexpr cmcColor clTeal = ColorRgb(0, 128, 128);
inline constexpr cmcColor clWhite = ColorRgb(255, 255, 255);
inline constexpr cmcColor clYellow = ColorRgb(255, 255, 0);

inline constexpr cmcColor clBackground = SystemColor(1);
inline constexpr cmcColor clActiveCaption = SystemColor(2);
inline constexpr cmcColor clInactiveCaption = SystemColor(3);
inline constexpr cmcColor clMenu = SystemColor(4);
inline constexpr cmcColor clWindow = SystemColor(5);
inline constexpr cmcColor clWindowFrame = SystemColor(6);
inline constexpr cmcColor clMenuText = SystemColor(7);
inline constexpr cmcColor clWindowText = SystemColor(8);
inline constexpr cmcColor clCaptionText = SystemColor(9);
inline constexpr cmcColor clActiveBorder = SystemColor(10);
inline constexpr cmcColor clInactiveBorder = SystemColor(11);
inline constexpr cmcColor clAppWorkSpace = SystemColor(12);
inline constexpr cmcColor clHighlight = SystemColor(13);
inline constexpr cmcColor clHightlightText = SystemColor(14);
inline constexpr cmcColor clBtnFace = SystemColor(15);
inline constexpr cmcColor clBtnShadow = SystemColor(16);
inline constexpr cmcColor clGrayText = SystemColor(17);
inline constexpr cmcColor clBtnText = SystemColor(18);
inline constexpr cmcColor clInactiveCaptionText = SystemColor(19);
inline constexpr cmcColor clBtnHighlight = SystemColor(20);

// The colour of an exact vocabulary name ("clWindow"); false for any other text.
bool LookupColor(std::string_view name, cmcColor* color);
