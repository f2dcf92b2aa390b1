#pragma once
#include <string>
#include <vector>

// Page geometry of sheet printing and the preview, as plain numbers: margins, the page
// frame, the split of a sheet into column and row groups, fitting and the preview's
// stretching. Coordinates are device pixels; right and bottom edges are exclusive.
namespace prt {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// Margins in millimetres from "left, top, right, bottom" (each trimmed); false when the
// line does not hold four numbers. Negative numbers read as 0.
bool ParseMargins(const std::string& line, double mm[4]);
// The printable area of a page of pageWidth by pageHeight pixels at dpi (vertical pixels
// per inch, used across and down the page), each edge truncated.
Rect MarginRect(const double mm[4], int dpi, int pageWidth, int pageHeight);

// The page frame: title and program title over a rule at the top, the maker line under a
// rule at the bottom, the cells between.
struct Frame {
    int textHeight = 0;  // a
    int rule = 0;        // b, the rules' thickness
    int headerTextTop = 0;
    Rect headerRule;
    int footerTextTop = 0;
    Rect footerRule;
    Rect content;
};
// Text height of the frame font of points size at dpi.
int FrameTextHeight(int points, int dpi);
Frame PageFrame(const Rect& margins, int textHeight);

// Column groups: widths of every column, the number of fixed columns, which columns a page
// may begin with (a column whose header cells continue the one on their left may not),
// and the content width. Each group holds at least one column; together they hold every
// column right of the fixed ones.
std::vector<int> SplitColumns(const std::vector<int>& widths, int fixed,
                              const std::vector<bool>& mayBegin, int contentWidth);
// Row groups likewise; a page may begin with any row.
std::vector<int> SplitRows(const std::vector<int>& heights, int fixed, int contentHeight);

// Fitting: whether a page's extent lies inside the content rectangle, the factor that
// brings it inside (a real number; an empty extent counts as one pixel), and the font
// height after shrinking (a cell height, at least 1 pixel).
bool Fits(const Rect& extent, const Rect& content);
double ShrinkFactor(const Rect& extent, const Rect& content);
int ShrunkFontHeight(int height, double factor);
constexpr int kMaxShrinkSteps = 3;

// Printer pixels to preview bitmap pixels: v x P / D.
int ToBitmap(int v, int bitmapDpi, int printerDpi);
Rect ToBitmap(const Rect& r, int bitmapDpi, int printerDpi);

// The preview's stretching of a page's columns (first, count) so that the measured right
// edge meets the recorded one. Widths never fall below 1 pixel, the run stops after a
// pass that changes nothing, and the result is the number of passes made.
int StretchColumns(std::vector<int>& widths, int first, int count, int measuredRight,
                   int recordedRight, int marginRight);
// The same for rows, with a step fixed for the whole adjustment.
int StretchRows(std::vector<int>& heights, int first, int count, int measuredBottom,
                int recordedBottom);

}  // namespace prt
