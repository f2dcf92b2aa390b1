#include "print/PrintGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace prt {

bool ParseMargins(const std::string& line, double mm[4])
{
    size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t comma = line.find(',', pos);
        if (i < 3 && comma == std::string::npos)
            return false;
        std::string field =
            line.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
        const size_t b = field.find_first_not_of(" \t");
        const size_t e = field.find_last_not_of(" \t");
        field = b == std::string::npos ? std::string() : field.substr(b, e - b + 1);
        if (field.empty())
            return false;
        char* end = nullptr;
        const double v = std::strtod(field.c_str(), &end);
        if (end == field.c_str() || *end != '\0' || !std::isfinite(v))
            return false;
        mm[i] = std::max(0.0, v);
        pos = comma == std::string::npos ? line.size() : comma + 1;
    }
    return true;
}

Rect MarginRect(const double mm[4], int dpi, int pageWidth, int pageHeight)
{
    // The tiny addition keeps 25.4 mm at 96 dpi at 96 pixels despite rounding.
    auto px = [dpi](double v) { return static_cast<int>(v * dpi / 25.4 + 1e-9); };
    return {px(mm[0]), px(mm[1]), pageWidth - px(mm[2]), pageHeight - px(mm[3])};
}

int FrameTextHeight(int points, int dpi)
{
    return std::abs(points * dpi / -72);
}

Frame PageFrame(const Rect& m, int a)
{
    Frame f;
    f.textHeight = a;
    const int b = static_cast<int>(a * 0.1 + 1);
    f.rule = b;
    f.headerTextTop = m.top;
    int y = m.top + a + b;
    f.headerRule = {m.left, y, m.right, y + b};
    f.footerTextTop = m.bottom - a - 1;
    const int y2 = m.bottom - a - b;
    f.footerRule = {m.left, y2 - b, m.right, y2};
    f.content = {m.left, m.top + a + 6 * b, m.right, m.bottom - a - 6 * b};
    return f;
}

std::vector<int> SplitColumns(const std::vector<int>& widths, int fixed,
                              const std::vector<bool>& mayBegin, int contentWidth)
{
    const int n = static_cast<int>(widths.size());
    fixed = std::clamp(fixed, 0, n);
    long long f = 0;
    for (int c = 0; c < fixed; ++c)
        f += widths[static_cast<size_t>(c)];
    std::vector<int> groups;
    int s = fixed;
    while (s < n) {
        long long acc = f;
        int last = -1;  // the latest column the next page may begin with
        int end = n;
        for (int j = s; j < n; ++j) {
            const bool begin =
                j < static_cast<int>(mayBegin.size()) ? mayBegin[static_cast<size_t>(j)] : true;
            if (j > s && begin)
                last = j;
            if (j > s && last > s && acc + widths[static_cast<size_t>(j)] > contentWidth) {
                end = last;
                break;
            }
            acc += widths[static_cast<size_t>(j)];
        }
        groups.push_back(end - s);
        s = end;
    }
    return groups;
}

std::vector<int> SplitRows(const std::vector<int>& heights, int fixed, int contentHeight)
{
    return SplitColumns(heights, fixed, std::vector<bool>(heights.size(), true), contentHeight);
}

bool Fits(const Rect& extent, const Rect& content)
{
    return extent.right <= content.right && extent.bottom <= content.bottom;
}

double ShrinkFactor(const Rect& extent, const Rect& content)
{
    const double ew = std::max(1, extent.Width());
    const double eh = std::max(1, extent.Height());
    return std::min(content.Height() / eh, content.Width() / ew);
}

int ShrunkFontHeight(int height, double factor)
{
    const double h = std::abs(static_cast<double>(height)) * std::max(0.0, factor);
    return std::max(1, static_cast<int>(std::min(h, 1e6)));
}

int ToBitmap(int v, int bitmapDpi, int printerDpi)
{
    if (printerDpi <= 0)
        return v;
    return static_cast<int>(static_cast<long long>(v) * bitmapDpi / printerDpi);
}

Rect ToBitmap(const Rect& r, int bitmapDpi, int printerDpi)
{
    return {ToBitmap(r.left, bitmapDpi, printerDpi), ToBitmap(r.top, bitmapDpi, printerDpi),
            ToBitmap(r.right, bitmapDpi, printerDpi), ToBitmap(r.bottom, bitmapDpi, printerDpi)};
}

namespace {

bool InRange(const std::vector<int>& v, int first, int count)
{
    return first >= 0 && count > 0 && first + count <= static_cast<int>(v.size());
}

}  // namespace

int StretchColumns(std::vector<int>& widths, int first, int count, int measuredRight,
                   int recordedRight, int marginRight)
{
    if (!InRange(widths, first, count))
        return 0;
    const bool narrow = measuredRight > recordedRight;
    long long d = std::llabs(static_cast<long long>(recordedRight) - measuredRight);
    if (narrow)
        d -= (marginRight - recordedRight) / 10;
    int passes = 0;
    while (d > 0) {
        long long s = 0;
        for (int c = first; c < first + count; ++c)
            s += widths[static_cast<size_t>(c)];
        bool changed = false;
        for (int c = first; c < first + count && d > 0; ++c) {
            int& w = widths[static_cast<size_t>(c)];
            if (w <= 0)
                continue;
            const long long step = std::min(d, std::max(1LL, s > 0 ? w * d / s : 1LL));
            const int before = w;
            w = narrow ? static_cast<int>(std::max(1LL, w - step)) : static_cast<int>(w + step);
            d -= std::llabs(static_cast<long long>(w) - before);
            changed = changed || w != before;
        }
        ++passes;
        if (!changed)
            break;
    }
    return passes;
}

int StretchRows(std::vector<int>& heights, int first, int count, int measuredBottom,
                int recordedBottom)
{
    if (!InRange(heights, first, count))
        return 0;
    const bool shrink = measuredBottom > recordedBottom;
    long long d = std::llabs(static_cast<long long>(recordedBottom) - measuredBottom);
    const long long step = std::max(1LL, d / count);
    int passes = 0;
    while (d > 0) {
        bool changed = false;
        for (int r = first; r < first + count && d > 0; ++r) {
            int& h = heights[static_cast<size_t>(r)];
            if (h <= 0)
                continue;
            const long long by = std::min(step, d);
            const int before = h;
            h = shrink ? static_cast<int>(std::max(1LL, h - by)) : static_cast<int>(h + by);
            d -= std::llabs(static_cast<long long>(h) - before);
            changed = changed || h != before;
        }
        ++passes;
        if (!changed)
            break;
    }
    return passes;
}

}  // namespace prt
