#pragma once
#include <cstdint>

// One triangle of a display segment, in glyph units.
struct dataTriangle {
    struct Point {
        int32_t x = 0;
        int32_t y = 0;
    };
    Point p[3];
    int32_t number = 0;  // place within its segment
};
