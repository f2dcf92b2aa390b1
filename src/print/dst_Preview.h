#pragma once
#include <string>

#include "print/PrintGeometry.h"

// One page of the print preview: the sheet it shows, where, and how it measured on paper.
// Margins and extent are preview bitmap pixels.
struct dst_Preview {
    std::string reference;
    prt::Rect margins;
    prt::Rect extent;
    int firstCol = 0;
    int firstRow = 0;
    int colCount = 0;
    int rowCount = 0;
    // The sheet font height the page was printed with, printer pixels (negative: a
    // character height; positive: shrunk while fitting).
    int fontHeight = 0;
};
