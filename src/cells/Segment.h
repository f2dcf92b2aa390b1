#pragma once
#include <cstdint>
#include <vector>

#include "cells/dataTriangle.h"

// One segment of the display's character glyph: the triangles it is drawn with.
struct Segment {
    std::vector<dataTriangle> triangles;
    bool editable = true;  // false when its triangle count is written negative
    int32_t number = 0;    // its line in the geometry entry
    bool lit = false;

    int32_t TriangleCount() const { return static_cast<int32_t>(triangles.size()); }
};
