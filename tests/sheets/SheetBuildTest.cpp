#include <QImage>
#include <QPainter>

#include "SheetFixture.h"
#include "sheets/cuiGrid.h"
#include "sheets/model/cmcScrBlock.h"
#include "sheets/model/iuiSh_Common.h"

namespace {

using Lines = std::vector<std::string>;

// A sheet "S" of the given style and cell lines.
Lines SheetS(const std::string& style, const Lines& cells)
{
    Lines l = {"#S_Style", style, "#S_BasicCell", "{($Basic)}", "#S_Cells"};
    l.insert(l.end(), cells.begin(), cells.end());
    l.push_back("#");
    return l;
}

TEST_F(SheetTest, BuildsRowsColumnsAndCellsFromTheOverlay)
{
    UseOverlay(TestSheetLines());
    auto sheet = Make("TS", "TestSheet");
    EXPECT_EQ(sheet->ColCount(), 4);
    EXPECT_EQ(sheet->RowCount(), 7);
    EXPECT_EQ(sheet->Grid()->FixedCols(), 1);
    EXPECT_EQ(sheet->Grid()->FixedRows(), 1);
    EXPECT_EQ(sheet->TitleString(), "Test channels");
    // Loop rows are copies of the row above with the index one higher.
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(sheet->CellAt(1, r).id, kIdText);
        EXPECT_EQ(sheet->CellAt(1, r).index, r - 1);
        EXPECT_EQ(sheet->CellAt(2, r).index, r - 1);
        EXPECT_EQ(sheet->CellAt(3, r).index, 100 + r - 1);
        EXPECT_EQ(sheet->CellAt(2, r).category, CT_Mch);
    }
    // The cursor settles on the first selectable cell near the top left.
    EXPECT_EQ(sheet->Grid()->Col(), 1);
    EXPECT_EQ(sheet->Grid()->Row(), 1);
    // "W" on the headers widened their columns to the caption plus 8.
    EXPECT_GT(sheet->ColWidth(1), 40);
    EXPECT_TRUE(sheet->Grid()->isEnabled());
}

TEST_F(SheetTest, StyleKeysAreMatchedAsWritten)
{
    struct Case {
        const char* style;
        int multi;
        bool printable;
        bool sizing;
        int fixedRows;
    } cases[] = {
        {"(MultiSelect=Cell)", cuiSheet::kMultiCell, true, false, 0},
        {"(MultiSelect=Line)", cuiSheet::kMultiLine, true, false, 0},
        {"(MultiSelect=cell)", cuiSheet::kMultiNone, true, false, 0},
        {"(MultiSelect)", cuiSheet::kMultiNone, true, false, 0},
        {"(NoPrint)", cuiSheet::kMultiNone, false, false, 0},
        {"(NoPrintX)", cuiSheet::kMultiNone, true, false, 0},
        {"(ColSizingX)", cuiSheet::kMultiNone, true, true, 0},
        {"(FixedRows=5) text outside (FixedCols=x)", cuiSheet::kMultiNone, true, false, 2},
    };
    for (const Case& c : cases) {
        UseOverlay(SheetS(c.style, {"{S}a|{S}b", "{S}c|{S}d", "{S}e|{S}f"}));
        window.reset();
        auto sheet = Make("S");
        EXPECT_EQ(sheet->MultiSelectMode(), c.multi) << c.style;
        EXPECT_EQ(sheet->IsPrintable(), c.printable) << c.style;
        EXPECT_EQ(sheet->Grid()->ColSizing(), c.sizing) << c.style;
        EXPECT_EQ(sheet->Grid()->FixedRows(), c.fixedRows) << c.style;
        EXPECT_EQ(sheet->Grid()->FixedCols(), 0) << c.style;
    }
}

TEST_F(SheetTest, LoopsCopyOrReparseTheirBody)
{
    // One body line, 16 times: copies with rising indexes.
    UseOverlay(SheetS("", {":(LoopFrom 16)", "{S(%CT_Mch.Flex0[3])}", ":(LoopTo)"}));
    auto sheet = Make("S");
    ASSERT_EQ(sheet->RowCount(), 16);
    for (int r = 0; r < 16; ++r)
        EXPECT_EQ(sheet->CellAt(0, r).index, 3 + r);
    sheet.reset();
    window.reset();

    // Two body lines alternate, each parsed from its text; a counter numbers them.
    UseOverlay(SheetS("", {"{(@ch1=0)}", ":(LoopFrom 3)", "{S(%CT_Mch.Flex0[@ch1])(@ch1++)}a",
                           "{S(%CT_Mch.Flex1[@ch1])(@ch1++)}b", ":(LoopTo)"}));
    sheet = Make("S");
    ASSERT_EQ(sheet->RowCount(), 7);
    for (int r = 1; r < 7; ++r) {
        EXPECT_EQ(sheet->CellAt(0, r).id, r % 2 ? kIdText : kIdChoice) << r;
        EXPECT_EQ(sheet->CellAt(0, r).index, r - 1) << r;
    }
    sheet.reset();
    window.reset();

    // "LoopFrom" without a number opens no loop; with 0 the body comes once.
    UseOverlay(
        SheetS("", {":(LoopFrom)", "{S}a", ":(LoopTo)", ":(LoopFrom 0)", "{S}b", ":(LoopTo)"}));
    sheet = Make("S");
    EXPECT_EQ(sheet->RowCount(), 2);
}

TEST_F(SheetTest, ShortRowsEndInEmptyLabelCells)
{
    UseOverlay(SheetS("", {"{S}a|{S}b|{S}c", "{S}d"}));
    auto sheet = Make("S");
    EXPECT_EQ(sheet->ColCount(), 3);
    EXPECT_EQ(sheet->CellAt(2, 1).id, kNoId);
    EXPECT_FALSE(sheet->IsSelectable(2, 1));
    EXPECT_EQ(sheet->CellAt(2, 1).Text(), "");
}

TEST_F(SheetTest, ModelDirectivesSkipLinesWhateverTheyHold)
{
    TestHost host;
    host.image.SetSize(7424);
    cuiSheet::SetModelHost(&host);
    // Under model type 0, "Only_DPmr446 2" removes the next two lines, a directive included.
    UseOverlay(SheetS("", {":(Only_DPmr446 2)", ":(SelectOFF)", "{S}gone", "{S}kept"}));
    auto sheet = Make("S");
    ASSERT_EQ(sheet->RowCount(), 1);
    EXPECT_EQ(sheet->CellAt(0, 0).Text(), "kept");
    EXPECT_TRUE(sheet->CellIdAt(0, 0).rowSelectable == false);  // no multi-select mode
    sheet.reset();
    window.reset();
    host.model = 3;
    sheet = Make("S");
    EXPECT_EQ(sheet->RowCount(), 2);
}

TEST_F(SheetTest, CommonSheetRowsFollowModelOptionsAndMakerMode)
{
    TestHost host;
    host.image.SetSize(7424);
    cuiSheet::SetModelHost(&host);
    struct Case {
        const char* directive;
        int model;
        uint8_t options;
        bool maker;
        bool kept;
    } cases[] = {
        {"Only_Pmr 1", 1, 0, false, true},         {"Only_Pmr 1", 2, 0, false, true},
        {"Only_Pmr 1", 0, 0, false, false},        {"Only_Lmr 1", 0, 0, false, true},
        {"Only_Lmr 1", 3, 0, false, false},        {"Only_DALO 1", 2, 0, false, true},
        {"Only_DALO 1", 1, 0, false, false},       {"Only_notDALO 1", 2, 0, false, false},
        {"Only_notDPmr446 1", 3, 0, false, false}, {"Only_SACC 1", 0, 0x08, false, true},
        {"Only_SACC 1", 0, 0x10, false, false},    {"Only_EACC 1", 0, 0x10, false, true},
        {"Only_Maker 1", 0, 0, true, true},        {"Only_Maker 1", 0, 0, false, false},
        {"Never 1", 1, 0xFF, true, false},         {"Only_EEDIT 1", 0, 0, false, false},
    };
    for (const Case& c : cases) {
        host.model = c.model;
        host.maker = c.maker;
        host.image.Data()[iuiSh_Common::kOptionAddress] = c.options;
        UseOverlay(SheetS("", {std::string(":(") + c.directive + ")", "{S}maybe", "{S}always"}));
        window = std::make_unique<QWidget>();
        window->resize(400, 300);
        iuiSh_Common sheet(window.get(), nullptr, 0, 0, &store, "S", images.get());
        sheet.SetRules(&TestRules::Call, &rules);
        sheet.Show();
        EXPECT_EQ(sheet.RowCount(), c.kept ? 2 : 1) << c.directive << " model " << c.model;
    }
}

TEST(cmcScrBlock, SplitsCommandAndArguments)
{
    cmcScrBlock b("  Bank 3 , x,  y ");
    EXPECT_EQ(b.Command(), "Bank");
    EXPECT_EQ(b.ArgCount(), 3);
    EXPECT_EQ(b.Arg(0), "3");
    EXPECT_EQ(b.Arg(2), "y");
    EXPECT_EQ(b.Arg(3), "");
    cmcScrBlock none("M");
    EXPECT_EQ(none.Command(), "M");
    EXPECT_EQ(none.ArgCount(), 0);
    EXPECT_EQ(none.Arg(0), "");
}

using SheetDeathTest = SheetTest;

TEST_F(SheetDeathTest, ASheetWithoutRowsIsAnOverlayError)
{
    UseOverlay(SheetS("", {":(SelectOFF)"}));
    EXPECT_EXIT(Make("S"), ::testing::ExitedWithCode(3), "Illegal Cell assign");
}

TEST_F(SheetTest, MissingEntryIsFatalAndEveryTestKeyExists)
{
    UseOverlay(TestSheetLines());
    for (const char* key :
         {"TS_Style", "TS_BasicCell", "TS_Cells", "TS_PMenu_Body", "TS_PMenu_BasicCell", "TL_Style",
          "TL_BasicCell", "TL_Cells", "GI_CellWidthRegList", "CellModel_Basic"})
        EXPECT_TRUE(store.HasKey(key)) << key;
}

}  // namespace
