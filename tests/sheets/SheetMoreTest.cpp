#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

#include "SheetFixture.h"
#include "model/datChBanks.h"
#include "sheets/cuiFlector.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheetMenu.h"

namespace {

using Lines = std::vector<std::string>;

Lines SheetS(const std::string& style, const Lines& cells)
{
    Lines l = {"#S_Style", style, "#S_BasicCell", "{($Basic)}", "#S_Cells"};
    l.insert(l.end(), cells.begin(), cells.end());
    l.push_back("#");
    return l;
}

TEST_F(SheetTest, MovingIntoANarrowerRowTakesTheNearestCell)
{
    UseOverlay(SheetS("", {"{SH}a|{SH}b|{SH}c|{SH}d", "{SH}e|{SH}f"}));
    auto sheet = Make("S");
    cuiGrid* g = sheet->Grid();
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    ASSERT_EQ(g->Col(), 3);
    Key(Qt::Key_Down);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 1);
    Key(Qt::Key_Up);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 0);
}

TEST_F(SheetTest, ShiftIntoARowAddedUnderSelectOffStartsAnewAndLinesHighlight)
{
    UseOverlay(SheetS("(MultiSelect=Line)",
                      {"{SH}a|{SH}b", "{SH}c|{SH}d", ":(SelectOFF)", "{SH}e|{SH}f"}));
    auto sheet = Make("S");
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_TRUE(sheet->MultiSelectionActive());
    // Line mode highlights whole rows of the selection.
    EXPECT_TRUE(sheet->CellIdAt(1, 0).lineHighlighted);
    EXPECT_TRUE(sheet->CellIdAt(1, 1).lineHighlighted);
    EXPECT_FALSE(sheet->CellIdAt(1, 2).lineHighlighted);
    EXPECT_FALSE(sheet->CellIdAt(0, 2).rowSelectable);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(sheet->Grid()->Row(), 2);
    EXPECT_FALSE(sheet->MultiSelectionActive());
    EXPECT_FALSE(sheet->CellIdAt(0, 0).selected);
    EXPECT_FALSE(sheet->CellIdAt(1, 0).lineHighlighted);
}

TEST_F(SheetTest, EditorIsOneLineInATallCellAndAbsentInAFlatOne)
{
    UseOverlay(SheetS("", {"{S_H(%CT_Mch.Flex0[0])}one\\ntwo\\nthree", "{S(%CT_Mch.Flex0[1])}"}));
    auto sheet = Make("S");
    sheet->OpenEditor(0, 0);
    ASSERT_TRUE(sheet->EditorVisible());
    const QRect cell = sheet->Grid()->CellRect(0, 0);
    const QRect ed = sheet->Editor()->geometry();
    EXPECT_LT(ed.height(), cell.height());
    // Bottom alignment puts it at the cell's bottom.
    const QPoint cellInPanel =
        sheet->Grid()->viewport()->mapTo(sheet->Editor()->parentWidget(), cell.bottomLeft());
    EXPECT_EQ(ed.bottom(), cellInPanel.y() - 1);
    sheet->HideEditor(true);
    sheet->OpenEditor(0, 1);  // the second row is one pixel high
    EXPECT_FALSE(sheet->EditorVisible());
}

TEST_F(SheetTest, ColumnsSizeByDraggingAndFitOnADoubleClickOfTheHeaderBorder)
{
    UseOverlay(TestSheetLines());
    rules.texts[1] = "A much longer channel name than the header";
    auto sheet = Make("TS", "TestSheet");
    cuiGrid* g = sheet->Grid();
    const QRect head = g->CellRect(1, 0);
    const int before = g->ColWidth(1);
    const QPoint border(head.left() + head.width(), head.center().y());
    QTest::mousePress(g->viewport(), Qt::LeftButton, {}, border);
    QMouseEvent move(QEvent::MouseMove, QPointF(border + QPoint(30, 0)),
                     g->viewport()->mapToGlobal(QPointF(border + QPoint(30, 0))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g->viewport(), &move);
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, border + QPoint(30, 0));
    EXPECT_EQ(g->ColWidth(1), before + 30);
    // Auto-fit takes the widest text the rules show in the column.
    const QRect head2 = g->CellRect(1, 0);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {},
                       QPoint(head2.left() + head2.width() - 2, head2.center().y()));
    EXPECT_GT(g->ColWidth(1), before + 30);
    EXPECT_GE(g->ColWidth(1),
              QFontMetrics(sheet->Editor() ? sheet->Editor()->font() : QApplication::font())
                  .horizontalAdvance(QStringLiteral("A much longer channel name")));
}

TEST_F(SheetTest, HoldingTheMouseBelowTheGridScrollsOnATimer)
{
    Lines lines = {":(LoopFrom 60)", "{SH(%CT_Mch.Flex0[0])}", ":(LoopTo)"};
    UseOverlay(SheetS("", lines));
    auto sheet = Make("S");
    cuiGrid* g = sheet->Grid();
    QTest::mousePress(g->viewport(), Qt::LeftButton, {}, g->CellRect(0, 0).center());
    const QPoint below(10, g->viewport()->height() + 20);
    QMouseEvent move(QEvent::MouseMove, QPointF(below), g->viewport()->mapToGlobal(QPointF(below)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g->viewport(), &move);
    QTest::qWait(cuiGrid::kTimedScrollMs * 4);
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, below);
    EXPECT_GT(g->Row(), 0);
}

TEST_F(SheetTest, MenuItemsTakeTheirStateFromTheRules)
{
    UseOverlay(TestSheetLines());
    rules.pasteDisabled = true;
    auto sheet = Make("TS", "TestSheet");
    sheet->PopupMenuAt(QPoint(5, 5));
    QMenu* menu = sheet->PopupMenu();
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_TRUE(menu->actions()[0]->isEnabled());
    EXPECT_FALSE(menu->actions()[1]->isEnabled());
    menu->hide();
    // The sheet answers the query for its own menu with its current cell, and only then.
    const cmcEvAnswer* none = g_EvMan->Query(ev::kQueryPopupCell, 12345);
    EXPECT_EQ(none, nullptr);
    const cmcEvAnswer* a = g_EvMan->Query(ev::kQueryPopupCell, reinterpret_cast<intptr_t>(menu));
    ASSERT_NE(a, nullptr);
    const cmcCellObj* cell = nullptr;
    ASSERT_EQ(a->PayloadLength(), static_cast<int32_t>(sizeof cell));
    std::memcpy(&cell, a->Payload(), sizeof cell);
    EXPECT_EQ(cell, &sheet->CellAt(1, 1));
}

TEST_F(SheetTest, SavedPositionIsRestoredAndABadOneForgotten)
{
    UseOverlay(TestSheetLines());
    window = std::make_unique<QWidget>();
    window->resize(640, 400);
    cuiSheet sheet(window.get(), nullptr, 0, 0, &store, "TS", images.get());
    sheet.SetRules(&TestRules::Call, &rules);
    sheet.SetSavedPosition(3, 5, 1, 1);
    sheet.Show();
    EXPECT_EQ(sheet.Grid()->Col(), 3);
    EXPECT_EQ(sheet.Grid()->Row(), 5);
    cuiSheet other(window.get(), nullptr, 0, 0, &store, "TS", images.get());
    other.SetRules(&TestRules::Call, &rules);
    other.SetSavedPosition(9, 50, 1, 1);
    other.Show();
    EXPECT_EQ(other.Grid()->Col(), 1);
    EXPECT_EQ(other.Grid()->Row(), 1);
}

TEST_F(SheetTest, ASheetWithoutSelectableCellsIsDisabled)
{
    UseOverlay(SheetS("", {"only|labels"}));
    auto sheet = Make("S");
    EXPECT_FALSE(sheet->Grid()->isEnabled());
}

// A channel list shows the bank its opener names in the parameter ("C 2"), and the row the
// user picks tells the opener that bank, whichever list was opened before it.
TEST_F(SheetTest, AChannelListShowsTheBankOfItsParameterAndItsRowsCarryIt)
{
    TestHost host;
    host.image.SetSize(7424);
    datSetBankSize(host.image, 0, 3);
    datSetBankSize(host.image, 2, 2);
    cuiSheet::SetModelHost(&host);
    Lines lines = TestSheetLines();
    for (const char* l :
         {"#CL_Style", "(FixedCols=0)(FixedRows=0)", "#CL_BasicCell", "{($Basic)}", "#CL_Cells",
          ":(LoopFrom)", "{($Lst)(%CT_Null.Flex2[@ch0])}", ":(LoopTo)", "#"})
        lines.push_back(l);
    UseOverlay(lines);
    const struct {
        const char* parameter;
        int rows;
        int32_t bank;
    } cases[] = {{"C 2", 2, 2}, {"C 0", 3, 0}, {"C 2", 2, 2}};
    for (const auto& c : cases) {
        rules.modelListParameter = c.parameter;
        rules.choices[0] = 0;
        rules.choiceBank = -1;
        auto sheet = Make("TS", "TestSheet");
        Key(Qt::Key_Right);  // the choice column
        Key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr) << c.parameter;
        cuiGrid* list = popup->findChild<cuiGrid*>();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->RowCount(), c.rows) << c.parameter;
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_EQ(rules.choices[0], 1) << c.parameter;
        EXPECT_EQ(rules.choiceBank, c.bank) << c.parameter;
        ProcessDeferred();
        EXPECT_EQ(cuiFlector::LiveCount(), 0);
    }
}

}  // namespace
