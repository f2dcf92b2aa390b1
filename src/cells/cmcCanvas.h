#pragma once
#include <cstdint>

#include "cells/cmcColors.h"

// A cell rectangle in the drawing surface's pixels; right and bottom are exclusive.
struct cmcRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// The drawing surface a cell is painted on (screen, printer or preview bitmap), as the cell
// engine sees it. The user interface implements it over its painter; codecs only change the
// font colour or draw filled polygons (segment texts) with it.
class cmcCanvas {
public:
    struct Point {
        int32_t x;
        int32_t y;
    };

    virtual ~cmcCanvas() = default;
    virtual cmcColor FontColor() const = 0;
    virtual void SetFontColor(cmcColor color) = 0;
    virtual cmcColor BrushColor() const = 0;
    virtual void SetBrushColor(cmcColor color) = 0;
    virtual cmcColor PenColor() const = 0;
    virtual void SetPenColor(cmcColor color) = 0;
    // A polygon filled with the brush and outlined with the pen.
    virtual void Polygon(const Point* points, int count) = 0;
};
