#include <gtest/gtest.h>

#include <numeric>

#include "print/PrintGeometry.h"

using prt::Rect;

TEST(PrintGeometry, MarginsInMillimetres)
{
    struct Case {
        const char* line;
        bool ok;
        double mm[4];
    };
    const Case cases[] = {
        {"10,10,10,10", true, {10, 10, 10, 10}},
        {" 12.5 ,\t8, 0 ,20 ", true, {12.5, 8, 0, 20}},
        {"-3,5,5,5", true, {0, 5, 5, 5}},
        {"10,10,10", false, {}},
        {"10,,10,10", false, {}},
        {"10,x,10,10", false, {}},
        {"", false, {}},
    };
    for (const Case& c : cases) {
        double mm[4] = {-1, -1, -1, -1};
        EXPECT_EQ(prt::ParseMargins(c.line, mm), c.ok) << c.line;
        if (c.ok) {
            for (int i = 0; i < 4; ++i)
                EXPECT_DOUBLE_EQ(mm[i], c.mm[i]) << c.line << " field " << i;
        }
    }
}

TEST(PrintGeometry, MarginRectTruncatesEachEdge)
{
    struct Case {
        double mm[4];
        int dpi, w, h;
        Rect want;
    };
    const Case cases[] = {
        // 10 mm at 600 dpi is 236.2 pixels: 236 from every edge.
        {{10, 10, 10, 10}, 600, 4960, 7016, {236, 236, 4960 - 236, 7016 - 236}},
        {{0, 0, 0, 0}, 1200, 9917, 14033, {0, 0, 9917, 14033}},
        {{25.4, 12.7, 5, 1}, 96, 794, 1123, {96, 48, 794 - 18, 1123 - 3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(prt::MarginRect(c.mm, c.dpi, c.w, c.h), c.want) << c.dpi;
}

TEST(PrintGeometry, FrameRulesAndContent)
{
    struct Case {
        int points, dpi;
        Rect margins;
        int a, b;
        Rect headerRule, footerRule, content;
    };
    const Case cases[] = {
        // 9 pt at 1200 dpi: a = 150, b = 16.
        {9,
         1200,
         {472, 472, 9445, 13561},
         150,
         16,
         {472, 638, 9445, 654},
         {472, 13379, 9445, 13395},
         {472, 718, 9445, 13315}},
        // 9 pt at 96 dpi: a = 12, b = 2.
        {9,
         96,
         {37, 37, 757, 1086},
         12,
         2,
         {37, 51, 757, 53},
         {37, 1070, 757, 1072},
         {37, 61, 757, 1062}},
        // A tiny font still has a rule one pixel thick.
        {1, 72, {0, 0, 100, 100}, 1, 1, {0, 2, 100, 3}, {0, 97, 100, 98}, {0, 7, 100, 93}},
    };
    for (const Case& c : cases) {
        const int a = prt::FrameTextHeight(c.points, c.dpi);
        EXPECT_EQ(a, c.a);
        const prt::Frame f = prt::PageFrame(c.margins, a);
        EXPECT_EQ(f.rule, c.b);
        EXPECT_EQ(f.headerRule, c.headerRule) << c.dpi;
        EXPECT_EQ(f.footerRule, c.footerRule) << c.dpi;
        EXPECT_EQ(f.content, c.content) << c.dpi;
        EXPECT_EQ(f.headerTextTop, c.margins.top);
        EXPECT_EQ(f.footerTextTop, c.margins.bottom - a - 1);
    }
}

TEST(PrintGeometry, ColumnGroups)
{
    const std::vector<bool> any(8, true);
    struct Case {
        const char* what;
        std::vector<int> widths;
        int fixed;
        std::vector<bool> mayBegin;
        int content;
        std::vector<int> groups;
    };
    const Case cases[] = {
        {"all fit", {10, 20, 20, 20}, 1, any, 100, {3}},
        {"exactly fits", {10, 30, 30, 30}, 1, any, 100, {3}},
        {"one column too wide: two pages", {10, 30, 30, 31}, 1, any, 100, {2, 1}},
        {"every page repeats the fixed width", {40, 30, 30, 30, 30}, 1, any, 100, {2, 2}},
        {"a column wider than the page gets a page of its own",
         {10, 500, 20, 20},
         1,
         any,
         100,
         {1, 2}},
        {"spanning header keeps two columns together",
         {10, 30, 30, 40, 30},
         1,
         {true, true, true, false, true},
         100,
         {1, 2, 1}},
        {"no allowed break takes all", {10, 60, 60, 60}, 1, {true, true, false, false}, 100, {3}},
        {"no fixed columns", {50, 50, 50}, 0, any, 100, {2, 1}},
        {"zero-width columns", {0, 0, 0}, 1, any, 0, {2}},
    };
    for (const Case& c : cases) {
        const std::vector<int> g = prt::SplitColumns(c.widths, c.fixed, c.mayBegin, c.content);
        EXPECT_EQ(g, c.groups) << c.what;
        EXPECT_EQ(std::accumulate(g.begin(), g.end(), 0),
                  static_cast<int>(c.widths.size()) - c.fixed)
            << c.what;
    }
}

TEST(PrintGeometry, RowGroups)
{
    struct Case {
        std::vector<int> heights;
        int fixed, content;
        std::vector<int> groups;
    };
    const Case cases[] = {
        {{20, 10, 10, 10}, 1, 50, {3}},
        {{20, 10, 10, 10, 10}, 1, 50, {3, 1}},
        {{20, 100, 10}, 1, 50, {1, 1}},
        {std::vector<int>(1 + 40, 25), 1, 1000, {39, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(prt::SplitRows(c.heights, c.fixed, c.content), c.groups);
}

TEST(PrintGeometry, FittingFactorIsReal)
{
    struct Case {
        Rect extent, content;
        bool fits;
        double k;
        int height, shrunk;
    };
    const Case cases[] = {
        {{0, 0, 100, 100}, {0, 0, 100, 100}, true, 1.0, -50, 50},
        // 5 % too wide: an integer factor would be 0.
        {{0, 0, 105, 50}, {0, 0, 100, 100}, false, 100.0 / 105, -50, 47},
        {{0, 0, 100, 300}, {0, 0, 100, 100}, false, 1.0 / 3, 40, 13},
        // An empty extent counts as one pixel.
        {{10, 10, 10, 10}, {0, 0, 100, 100}, true, 100.0, -5, 500},
        // The font never falls below one pixel.
        {{0, 0, 100000, 100}, {0, 0, 10, 100}, false, 1e-4, -13, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(prt::Fits(c.extent, c.content), c.fits);
        const double k = prt::ShrinkFactor(c.extent, c.content);
        EXPECT_NEAR(k, c.k, 1e-9);
        EXPECT_EQ(prt::ShrunkFontHeight(c.height, k), c.shrunk);
    }
}

TEST(PrintGeometry, PrinterToBitmap)
{
    EXPECT_EQ(prt::ToBitmap(9917, 96, 1200), 793);
    EXPECT_EQ(prt::ToBitmap(Rect{236, 236, 4724, 6780}, 96, 600), (Rect{37, 37, 755, 1084}));
    EXPECT_EQ(prt::ToBitmap(2000000000, 96, 1200), 160000000);  // no overflow
    EXPECT_EQ(prt::ToBitmap(5, 96, 0), 5);
}

TEST(PrintGeometry, ColumnStretching)
{
    auto sum = [](const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); };
    struct Case {
        const char* what;
        std::vector<int> widths;
        int first, count, measured, recorded, margin;
        int change;  // of the total width; the fixed column never changes
        int minWidth;
    };
    const Case cases[] = {
        {"widen", {50, 100, 100}, 1, 2, 250, 270, 270, 20, 100},
        {"narrow", {50, 100, 100}, 1, 2, 250, 230, 230, -20, 80},
        {"margin slack lowers the narrowing", {50, 100, 100}, 1, 2, 250, 230, 330, -10, 90},
        {"never below one pixel and no hang", {50, 3, 2}, 1, 2, 55, 10, 10, -3, 1},
        {"zero widths are left alone", {50, 0, 0}, 1, 2, 50, 80, 80, 0, 0},
        {"nothing to do", {50, 10}, 1, 1, 60, 60, 60, 0, 10},
        {"a page outside the sheet is ignored", {50, 10}, 1, 5, 60, 90, 90, 0, 10},
    };
    for (const Case& c : cases) {
        std::vector<int> w = c.widths;
        const int passes =
            prt::StretchColumns(w, c.first, c.count, c.measured, c.recorded, c.margin);
        EXPECT_EQ(sum(w) - sum(c.widths), c.change) << c.what;
        EXPECT_EQ(w[0], c.widths[0]) << c.what;
        EXPECT_LE(passes, 10) << c.what;
        for (size_t i = 1; i < w.size(); ++i)
            EXPECT_GE(w[i], c.minWidth) << c.what;
    }
}

TEST(PrintGeometry, RowStretching)
{
    struct Case {
        const char* what;
        std::vector<int> heights;
        int first, count, measured, recorded;
        std::vector<int> want;
    };
    const Case cases[] = {
        {"grow by a fixed step", {20, 10, 10, 10}, 1, 3, 50, 59, {20, 13, 13, 13}},
        {"last step is cut to what is left", {20, 10, 10, 10}, 1, 3, 50, 60, {20, 14, 13, 13}},
        {"shrink", {20, 10, 10}, 1, 2, 40, 30, {20, 5, 5}},
        {"never below one pixel and no hang", {20, 2, 2}, 1, 2, 24, 0, {20, 1, 1}},
        {"rows of zero height cannot hang it", {20, 0, 0}, 1, 2, 20, 100, {20, 0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<int> h = c.heights;
        prt::StretchRows(h, c.first, c.count, c.measured, c.recorded);
        EXPECT_EQ(h, c.want) << c.what;
    }
}
