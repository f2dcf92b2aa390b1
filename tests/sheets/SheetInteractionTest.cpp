#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

#include "SheetFixture.h"
#include "sheets/cuiFlector.h"
#include "sheets/cuiGrid.h"

namespace {

struct EventCounter {
    std::map<int32_t, int> seen;
    static void On(void* self, const cmcEvent& e)
    {
        ++static_cast<EventCounter*>(self)->seen[e.id];
    }
};

QPoint CellCenter(cuiSheet& s, int c, int r)
{
    return s.Grid()->CellRect(c, r).center();
}

TEST_F(SheetTest, KeysMoveTheCursorAndTheEdgesReachTheRules)
{
    UseOverlay(TestSheetLines());
    auto sheet = Make("TS", "TestSheet");
    cuiGrid* g = sheet->Grid();
    Key(Qt::Key_Right);
    EXPECT_EQ(g->Col(), 2);
    Key(Qt::Key_Down);
    EXPECT_EQ(g->Row(), 2);
    Key(Qt::Key_End);
    EXPECT_EQ(g->Col(), 3);
    // Right on the rightmost selectable cell sends 9984 to it and stays.
    rules.log.clear();
    Key(Qt::Key_Right);
    EXPECT_EQ(g->Col(), 3);
    ASSERT_EQ(rules.log.size(), 1u);
    EXPECT_NE(rules.log[0].find("key=9984"), std::string::npos);
    Key(Qt::Key_Home);
    EXPECT_EQ(g->Col(), 1);
    // Ctrl+Down does not move.
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(g->Row(), 2);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(g->Row(), 6);
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 1);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 6);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(g->Row(), 1);
    // Tab runs along the row and on to the next one.
    Key(Qt::Key_Home, Qt::ControlModifier);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 2);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 1);
    // F2 reaches the rules as its code times 256.
    rules.log.clear();
    Key(Qt::Key_F2);
    ASSERT_EQ(rules.log.size(), 1u);
    EXPECT_NE(rules.log[0].find("key=28928"), std::string::npos);
}

TEST_F(SheetTest, VerticalMovesPostTheCellAndEveryActionSendsEvent9)
{
    UseOverlay(TestSheetLines());
    auto sheet = Make("TS", "TestSheet");
    EventCounter ec;
    g_EvMan->Subscribe(&EventCounter::On, &ec);
    Key(Qt::Key_Right);
    EXPECT_EQ(g_EvMan->QueuedCount(), 0);  // a move within the row posts nothing
    Key(Qt::Key_Down);
    EXPECT_EQ(g_EvMan->QueuedCount(), 1);  // event 19 with the new cell
    ec.seen.clear();
    Key(Qt::Key_F5);
    EXPECT_EQ(ec.seen[ev::kRefreshMenu], 1);
    EXPECT_GE(ec.seen[ev::kStatusMessage], 1);
    g_EvMan->Unsubscribe(&EventCounter::On, &ec);
}

TEST_F(SheetTest, TypingStartsAnEditThatEnterCommitsAndEscapeDiscards)
{
    UseOverlay(TestSheetLines());
    auto sheet = Make("TS", "TestSheet");
    Type(QStringLiteral("A"));
    ASSERT_TRUE(sheet->EditorVisible());
    EXPECT_EQ(sheet->Editor()->toPlainText(), QStringLiteral("A"));
    QTest::keyClicks(sheet->Editor(), QStringLiteral("lpha"));
    QTest::keyClick(sheet->Editor(), Qt::Key_Return);
    EXPECT_FALSE(sheet->EditorVisible());
    EXPECT_EQ(rules.texts[0], "Alpha");
    EXPECT_NE(rules.log.back().find("mode=1 text=Alpha"), std::string::npos);
    // Enter opens the editor with the value; Escape leaves the value as it was.
    Key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    ASSERT_TRUE(sheet->EditorVisible());
    EXPECT_EQ(sheet->Editor()->toPlainText(), QStringLiteral("Alpha"));
    QTest::keyClicks(sheet->Editor(), QStringLiteral("Beta"));
    QTest::keyClick(sheet->Editor(), Qt::Key_Escape);
    EXPECT_FALSE(sheet->EditorVisible());
    EXPECT_EQ(rules.texts[0], "Alpha");
    // Down in the editor commits and moves on; event 21 commits too.
    Type(QStringLiteral("X"));
    QTest::keyClick(sheet->Editor(), Qt::Key_Down);
    EXPECT_EQ(rules.texts[0], "X");
    EXPECT_EQ(sheet->Grid()->Row(), 2);
    Type(QStringLiteral("Y"));
    ASSERT_TRUE(sheet->EditorVisible());
    g_EvMan->Send(ev::kCommitEdits);
    EXPECT_FALSE(sheet->EditorVisible());
    EXPECT_EQ(rules.texts[1], "Y");
}

TEST_F(SheetTest, EditorRefusesCharactersOutsideTheCodePage)
{
    UseOverlay(TestSheetLines());
    auto sheet = Make("TS", "TestSheet");
    Type(QStringLiteral("A"));
    ASSERT_TRUE(sheet->EditorVisible());
    Type(
        QString::fromUtf8("\xe2\x82\xac\xe4\xb8\x80"
                          "b"));
    QTest::keyClick(sheet->Editor(), Qt::Key_Return);
    // The euro sign exists in the code page, the CJK character does not.
    EXPECT_EQ(rules.texts[0],
              "A\x80"
              "b");
}

TEST_F(SheetTest, ChoiceListChoosesWithKeys)
{
    UseOverlay(TestSheetLines());
    auto sheet = Make("TS", "TestSheet");
    Key(Qt::Key_Right);  // the choice column, value 0 "Off"
    Key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    ASSERT_EQ(cuiFlector::LiveCount(), 1);
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    cuiGrid* list = popup->findChild<cuiGrid*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Row(), 0);  // the current value is selected
    // The window is as large as its list, no larger.
    QApplication::processEvents();
    EXPECT_GE(list->ClientWidth(), list->TotalWidth());
    EXPECT_EQ(list->ClientHeight(), list->TotalHeight());
    EXPECT_LE(popup->width(), list->TotalWidth() + 20);
    // Without scroll bars the arrows wrap around.
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->Row(), 3);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->Row(), 2);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(rules.choices[0], 2);
    // The choice comes with the edited cell's own rectangle, long after its request ended.
    EXPECT_EQ(rules.choiceRectLeft, sheet->Grid()->CellRect(2, 1).left());
    EXPECT_FALSE(popup->isVisible());
    ProcessDeferred();
    EXPECT_EQ(cuiFlector::LiveCount(), 0);
    // The list opens below the cell, 8 pixels right of its left edge.
    Key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    const QRect cell = sheet->Grid()->CellRect(2, 1);
    const QPoint below = sheet->Grid()->viewport()->mapToGlobal(cell.bottomLeft());
    EXPECT_EQ(popup->pos(), QPoint(below.x() + 8, below.y() + 1));
    // Escape closes without a choice.
    QTest::keyClick(popup->findChild<cuiGrid*>(), Qt::Key_Escape);
    ProcessDeferred();
    EXPECT_EQ(cuiFlector::LiveCount(), 0);
    EXPECT_EQ(rules.choices[0], 2);
}

TEST_F(SheetTest, ChoiceListChoosesWithTheMouseAndFollowsHover)
{
    UseOverlay(TestSheetLines());
    auto sheet = Make("TS", "TestSheet");
    QTest::mouseClick(sheet->Grid()->viewport(), Qt::LeftButton, {}, CellCenter(*sheet, 2, 3));
    EXPECT_EQ(sheet->Grid()->Col(), 2);
    EXPECT_EQ(sheet->Grid()->Row(), 3);
    QTest::mouseDClick(sheet->Grid()->viewport(), Qt::LeftButton, {}, CellCenter(*sheet, 2, 3));
    ProcessDeferred();
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    cuiGrid* list = popup->findChild<cuiGrid*>();
    EXPECT_EQ(list->Row(), 2);  // choice 2 "Medium" is the value of index 2
    // The first movement only records the position; the next one moves the choice.
    QMouseEvent m1(QEvent::MouseMove, QPointF(list->CellRect(0, 0).center()),
                   list->viewport()->mapToGlobal(QPointF(list->CellRect(0, 0).center())),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &m1);
    EXPECT_EQ(list->Row(), 2);
    QMouseEvent m2(QEvent::MouseMove, QPointF(list->CellRect(0, 1).center()),
                   list->viewport()->mapToGlobal(QPointF(list->CellRect(0, 1).center())),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &m2);
    EXPECT_EQ(list->Row(), 1);
    // A click chooses.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->CellRect(0, 3).center());
    EXPECT_EQ(rules.choices[2], 3);
    ProcessDeferred();
    EXPECT_EQ(cuiFlector::LiveCount(), 0);
}

TEST_F(SheetTest, DestroyingTheSheetClosesItsOpenListFirst)
{
    UseOverlay(TestSheetLines());
    auto sheet = Make("TS", "TestSheet");
    Key(Qt::Key_Right);
    Key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QPointer<QWidget> watch(popup);
    sheet.reset();
    EXPECT_FALSE(watch && watch->isVisible());
    ProcessDeferred();
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(cuiFlector::LiveCount(), 0);
}

TEST_F(SheetTest, Event21ClosesAnOpenList)
{
    UseOverlay(TestSheetLines());
    auto sheet = Make("TS", "TestSheet");
    Key(Qt::Key_Right);
    Key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    ASSERT_EQ(cuiFlector::LiveCount(), 1);
    g_EvMan->Send(ev::kCommitEdits);
    ProcessDeferred();
    EXPECT_EQ(cuiFlector::LiveCount(), 0);
    EXPECT_EQ(rules.choices[0], 0);
}

TEST_F(SheetTest, MultiSelectionCopyHandsTheRangeToTheRules)
{
    UseOverlay(TestSheetLines());
    auto sheet = Make("TS", "TestSheet");
    Key(Qt::Key_Down);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_TRUE(sheet->MultiSelectionActive());
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(sheet->CellIdAt(1, r).selected, r >= 2 && r <= 4) << r;
    // The popup menu of the cell carries the overlay's items; Copy goes to the rules with
    // the range of channel indexes.
    ASSERT_NE(sheet->MenuBuilder(), nullptr);
    QMenu* menu = sheet->PopupMenu();
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Copy"));
    EXPECT_EQ(menu->actions()[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    menu->actions()[0]->trigger();
    EXPECT_EQ(rules.copySel & cmcCellCapsule::kSelRange, cmcCellCapsule::kSelRange);
    EXPECT_EQ(rules.copyFirst, 1);
    EXPECT_EQ(rules.copyLast, 3);
    // A plain action ends the multi-selection.
    EXPECT_FALSE(sheet->MultiSelectionActive());
}

TEST_F(SheetTest, RightClickOnATailSelectsItsOwnerAndMenuKeyOpensTheMenu)
{
    UseOverlay({"#S_Style", "(FixedRows=0)", "#S_BasicCell", "{($Basic)}", "#S_Cells",
                "{S(%CT_Mch.Flex0[0])}|{T}tail|{S(%CT_Mch.Flex0[1])}", "#"});
    auto sheet = Make("S");
    QTest::mouseClick(sheet->Grid()->viewport(), Qt::LeftButton, {}, CellCenter(*sheet, 2, 0));
    EXPECT_EQ(sheet->Grid()->Col(), 2);
    QTest::mousePress(sheet->Grid()->viewport(), Qt::RightButton, {}, CellCenter(*sheet, 1, 0));
    EXPECT_EQ(sheet->Grid()->Col(), 0);
    QMenu* menu = sheet->PopupMenu();
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    Key(Qt::Key_Menu);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

TEST_F(SheetTest, WheelScrollsAndFixedRowsStay)
{
    std::vector<std::string> lines = {"#S_Style",     "(FixedRows=1)(FixedCols=1)",
                                      "#S_BasicCell", "{($Basic)}",
                                      "#S_Cells",     "{H}Head|{H}Top"};
    lines.push_back(":(LoopFrom 60)");
    lines.push_back("{H(%CT_Mch.FlexMark[0])}|{SH(%CT_Mch.Flex0[0])}");
    lines.push_back(":(LoopTo)");
    lines.push_back("#");
    UseOverlay(lines);
    auto sheet = Make("S");
    cuiGrid* g = sheet->Grid();
    EXPECT_EQ(g->TopRow(), 1);
    QWheelEvent wheel(QPointF(50, 50), g->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g->viewport(), &wheel);
    EXPECT_EQ(g->TopRow(), 7);
    EXPECT_EQ(g->CellRect(1, 0).top(), 0);  // the header row stays in place
    EXPECT_TRUE(g->CellRect(1, 3).isEmpty());
    EXPECT_EQ(g->CellRect(1, 7).top(), g->RowHeight(0));
}

}  // namespace
