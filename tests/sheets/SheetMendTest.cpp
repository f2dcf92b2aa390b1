#include <unistd.h>

#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include "SheetFixture.h"
#include "platform/qt/QtServices.h"
#include "sheets/cuiFlector.h"
#include "sheets/cuiGrid.h"
#include "support/TestServices.h"

namespace {

std::vector<int> g_waits;

std::vector<std::string> RepeatSheet()
{
    return {"#RS_Style",
            "",
            "#RS_BasicCell",
            "{($Basic)}",
            "#RS_Cells",
            ":(LoopFrom 5)",
            "{S(%CT_Mch.FlexDtcs[0])}",
            ":(LoopTo)",
            "#"};
}

TEST_F(SheetTest, RepeatedKeysWaitLessEachTimeAndEndAtTheSheetsEdge)
{
    UseOverlay(RepeatSheet());
    auto sheet = Make("RS");
    g_waits.clear();
    cuiSheet::SetSleep([](int ms) { g_waits.push_back(ms); });
    rules.repeatMode = 3;  // every answer jumps to the next row and asks again
    sheet->SendAction(0, 0, 13, 0);
    // Rows 0..4 answered; the jump from row 4 finds no cell, the cursor stays, it ends.
    EXPECT_EQ(rules.repeatCalls, 5);
    EXPECT_EQ(sheet->Grid()->Row(), 4);
    EXPECT_EQ(g_waits, (std::vector<int>{30, 24, 18, 12}));
}

TEST_F(SheetTest, ARuleThatKeepsAskingToRepeatCannotHangTheSheet)
{
    UseOverlay(RepeatSheet());
    auto sheet = Make("RS");
    for (int mode : {1, 2}) {  // asking without moving; jumping to a cell not on the sheet
        rules.repeatMode = mode;
        rules.repeatCalls = 0;
        sheet->SendAction(0, 0, 13, 0);
        EXPECT_EQ(rules.repeatCalls, 2) << mode;
        EXPECT_EQ(sheet->Grid()->Row(), 0) << mode;
    }
}

TEST_F(SheetTest, RepaintsStayInsideTheGrid)
{
    UseOverlay(TestSheetLines());
    auto sheet = Make("TS", "TestSheet");
    cuiGrid* g = sheet->Grid();
    // Cells outside the grid have no rectangle and invalidate nothing.
    EXPECT_TRUE(g->CellRect(-1, 0).isEmpty());
    EXPECT_TRUE(g->CellRect(0, sheet->RowCount()).isEmpty());
    EXPECT_TRUE(g->CellRect(sheet->ColCount(), 0).isEmpty());
    g->InvalidateCell(99, 99);
    g->InvalidateRow(-5, 0);
    // Every repaint selector on every event number.
    for (int id = ev::kRedrawAll; id <= ev::kRedrawIndexFrom; ++id)
        g_EvMan->Send(id, 0, 5);
    cmcCellObj ref;
    ref.category = CT_Mch;
    ref.id = kIdText;
    ref.index = 1000000;
    cmcCellCapsule cap;
    cap.cell = &ref;
    sheet->RepaintMatching(&cap, 0xFF);
    QApplication::processEvents();
    SUCCEED();
}

TEST_F(SheetTest, APrintingOrPreviewSheetNeverSavesColumnWidths)
{
    UseOverlay(TestSheetLines());
    indEnviron env("QvTest Sheets " + std::to_string(getpid()), "Software\\Tavo\\Quorvex",
                   "Software\\Tavo\\Quorvex");
    g_Environ = &env;
    const std::string path = "Software\\Tavo\\Quorvex\\Display\\TS\\colwidth";
    env.WriteInt(path, "1", 77);
    plat::MemorySettingsBackend& settings = qvtest::Services().settings;
    const int before = settings.writeCount;
    {
        QImage page(800, 600, QImage::Format_RGB32);
        window = std::make_unique<QWidget>();
        cuiSheet sheet(window.get(), nullptr, 0, 0, &store, "TS", images.get());
        sheet.SetRules(&TestRules::Call, &rules);
        sheet.SetDisplayName("TestSheet");
        sheet.SetPreviewTarget(&page, &page);
        sheet.SetPreview(true);
        sheet.Show();
        // The stored width is a limit for printing; the automatic width may be smaller.
        EXPECT_LE(sheet.ColWidth(1), 77 * 4);
    }
    {
        QImage page(800, 600, QImage::Format_RGB32);
        window = std::make_unique<QWidget>();
        cuiSheet sheet(window.get(), nullptr, 0, 0, &store, "TS", images.get());
        sheet.SetRules(&TestRules::Call, &rules);
        sheet.SetDisplayName("TestSheet");
        sheet.SetPrinter(&page);
        sheet.Show();
    }
    EXPECT_EQ(settings.writeCount, before);
    EXPECT_EQ(env.ReadInt(path, "1"), 77);
    g_Environ = nullptr;
}

TEST_F(SheetTest, ColumnWidthsSurviveARestartAndAreLimited)
{
    UseOverlay(TestSheetLines());
    QTemporaryDir conf;
    const QString userFile = conf.filePath(QStringLiteral("Quorvex.conf"));
    const std::string key = "Software\\Tavo\\Quorvex";
    const std::string mutex = "QvTest Sheets widths " + std::to_string(getpid());
    {
        plat::QtServices services(userFile, conf.filePath(QStringLiteral("machine.conf")));
        indEnviron env(mutex, key, key);
        g_Environ = &env;
        auto sheet = Make("TS", "[St_Common]TestSheet,param");
        sheet->Grid()->SetColWidth(2, 123);
        sheet->Grid()->SetColWidth(3, 2000);  // cut to what the window shows
        EXPECT_LT(sheet->ColWidth(3), 650);
        EXPECT_EQ(sheet->ColWidth(2), 123);
        sheet.reset();
        EXPECT_EQ(env.ReadInt(key + "\\Display\\TS\\colwidth", "2"), 123);
        g_Environ = nullptr;
    }
    window.reset();
    {
        plat::QtServices services(userFile, conf.filePath(QStringLiteral("machine.conf")));
        indEnviron env(mutex, key, key);
        g_Environ = &env;
        EXPECT_EQ(env.ReadInt(key + "\\Display\\TS\\colwidth", "2"), 123);
        // A stored width beyond the limit is cut when the sheet is shown.
        env.WriteInt(key + "\\Display\\TS\\colwidth", "1", 2000);
        auto sheet = Make("TS", "TestSheet");
        EXPECT_EQ(sheet->ColWidth(2), 123);
        EXPECT_LE(sheet->ColWidth(1), 650);
        // A sheet not in the list keeps automatic widths only; a reset forgets every sheet.
        sheet.reset();
        window.reset();
        auto other = Make("TS", "Other");
        EXPECT_NE(other->ColWidth(2), 123);
        other.reset();
        window.reset();
        auto reset = std::make_unique<cuiSheet>(nullptr, nullptr, 0, 0, &store, "TS", images.get());
        window = std::make_unique<QWidget>();
        reset = std::make_unique<cuiSheet>(window.get(), nullptr, 0, 0, &store, "TS", images.get());
        reset->SetRules(&TestRules::Call, &rules);
        reset->SetDisplayName("TestSheet");
        reset->SetResetWidths(true);
        reset->Show();
        EXPECT_NE(reset->ColWidth(2), 123);
        reset.reset();
        g_Environ = nullptr;
    }
}

TEST_F(SheetTest, ListsNearTheScreenBottomOpenAboveOrFitTheWorkArea)
{
    // A list of 80 choices is taller than the work area: scroll bars, no wrapping.
    std::vector<std::string> lines = TestSheetLines();
    lines.insert(lines.end(),
                 {"#BIG_Style", "", "#BIG_BasicCell", "{($Basic)}", "#BIG_Cells", ":(LoopFrom 80)",
                  "{($Lst)(%CT_Null.Flex2[0])}Choice", ":(LoopTo)", "#"});
    UseOverlay(lines);
    auto sheet = Make("TS", "TestSheet");
    const QRect work = sheet->Grid()->screen()->availableGeometry();
    cmcCellCapsule cap;
    cmcRect rect{10, 10, 60, 30};
    cap.owner = sheet->Grid();
    cap.rect = &rect;
    cap.sheet = sheet.get();
    auto* big = new cuiFlector(cap, kIdListItem, 0, &store, "BIG");
    EXPECT_TRUE(big->Sheet()->Grid()->HasScrollBars());
    EXPECT_LE(big->Window()->height(), work.height());
    const int row = big->Sheet()->Grid()->Row();
    QTest::keyClick(big->Sheet()->Grid(), Qt::Key_Up);
    EXPECT_EQ(big->Sheet()->Grid()->Row(), row);  // no wrapping with scroll bars
    big->Close();
    ProcessDeferred();

    // A small list for a cell near the bottom opens above the cell.
    const QPoint origin = sheet->Grid()->viewport()->mapToGlobal(QPoint(0, 0));
    const int cellTop = work.bottom() - 20 - origin.y();
    rect = {10, cellTop, 60, cellTop + 18};
    auto* small = new cuiFlector(cap, kIdListItem, 1, &store, "TL");
    EXPECT_EQ(small->Window()->geometry().bottom() + 1, origin.y() + cellTop);
    EXPECT_EQ(small->Sheet()->Grid()->Row(), 1);
    small->Close();
    ProcessDeferred();
    EXPECT_EQ(cuiFlector::LiveCount(), 0);
}

}  // namespace
