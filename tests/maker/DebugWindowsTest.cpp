// The maker's debug windows: the free log and the EEPROM debug window over the shipped
// overlay's sheet.

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "common/EventIds.h"
#include "common/cmcEvMan.h"
#include "maker/cuiDebugWin.h"
#include "maker/cuiEeDebugWin.h"
#include "overlay/cmcGTex.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "test_maker";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *app;
}

void Flush()
{
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class DebugWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App();
        store.Open(QV_BIN_DIR "/TM5150QE.OVL");
        g_GTex = &store;
        g_EvMan = &evman;
        owner = std::make_unique<QWidget>();
        owner->resize(800, 500);
        owner->show();
        evman.Subscribe(&DebugWindowsTest::Count, this);
    }
    void TearDown() override
    {
        evman.Unsubscribe(&DebugWindowsTest::Count, this);
        owner.reset();
        Flush();
        g_EvMan = nullptr;
        g_GTex = nullptr;
    }
    static void Count(void* self, const cmcEvent& e)
    {
        static_cast<DebugWindowsTest*>(self)->seen.push_back(e.id);
    }
    cuiEeDebugWin* OpenEe()
    {
        return new cuiEeDebugWin(owner.get(), "Quorvex", &store, "GI_Sheet_EeDebugWin", nullptr);
    }

    cmcGTex store;
    cmcEvMan evman;
    std::unique_ptr<QWidget> owner;
    std::vector<int32_t> seen;
};

TEST_F(DebugWindowsTest, LogAppendsLinesUnlessTheUserSelectsText)
{
    auto* log = new cuiDebugWin(owner.get());
    EXPECT_EQ(log->Window()->windowTitle(), QStringLiteral("Free Debug Window"));
    EXPECT_GE(log->Window()->height(), 100);
    evman.SendText(ev::kDebugText, 0, 0, "first");
    evman.SendText(ev::kDebugText, 0, 0, "second");
    EXPECT_EQ(log->Text()->toPlainText(), QStringLiteral("first\nsecond"));
    log->Text()->selectAll();
    evman.SendText(ev::kDebugText, 0, 0, "dropped");
    EXPECT_EQ(log->Text()->toPlainText(), QStringLiteral("first\nsecond"));
    log->Window()->close();
    Flush();
    EXPECT_EQ(cuiDebugWin::LiveCount(), 0);
    // A line after the window is gone reaches nobody.
    evman.SendText(ev::kDebugText, 0, 0, "late");
}

TEST_F(DebugWindowsTest, EepromWindowMovesToAnAddressAndIgnoresOnesOutsideItsSheet)
{
    cuiEeDebugWin* win = OpenEe();
    cuiGrid* grid = win->Sheet()->Grid();
    EXPECT_EQ(win->Sheet()->RowCount(), 3 + 7424 / 16);
    evman.Send(ev::kEepromDebugGoto, 0, 37);
    EXPECT_EQ(grid->Col(), 13);
    EXPECT_EQ(grid->Row(), 5);
    // Addresses the sheet has no cell for change nothing.
    for (const intptr_t bad : {intptr_t(7424), intptr_t(-1), intptr_t(0x7FFFFFFF)}) {
        evman.Send(ev::kEepromDebugGoto, 0, bad);
        EXPECT_EQ(grid->Col(), 13) << bad;
        EXPECT_EQ(grid->Row(), 5) << bad;
    }
    evman.Send(ev::kEepromDebugGoto, 0, 7423);
    EXPECT_EQ(grid->Row(), 3 + 463);
    EXPECT_EQ(grid->Col(), 15 * 2 + 3);
    // The refresh looks only at the cells in sight and survives any scroll position.
    evman.Send(ev::kEepromDebugRefresh);
    // Taller than half the screen: a scroll bar, not a taller window.
    const QRect work = owner->screen()->availableGeometry();
    EXPECT_LE(win->Window()->height(), work.height() / 2 + 120);
    EXPECT_TRUE(grid->verticalScrollBar()->isVisible() ||
                grid->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn);
    // The buttons: close (the overlay's OK text), Set Comp, Redraw from right to left.
    EXPECT_EQ(win->CloseButton()->text(), QStringLiteral("OK"));
    EXPECT_GT(win->CloseButton()->x(), win->SetCompButton()->x());
    EXPECT_GT(win->SetCompButton()->x(), win->RedrawButton()->x());
    seen.clear();
    win->SetCompButton()->click();
    win->RedrawButton()->click();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0], ev::kCopyToCompareImage);
    EXPECT_EQ(seen.back(), ev::kTreeRebuilt);
    win->CloseButton()->click();
    Flush();
    EXPECT_EQ(cuiEeDebugWin::LiveCount(), 0);
}

TEST_F(DebugWindowsTest, AnyNumberOpenAndTheOwnerFreesThem)
{
    OpenEe();
    OpenEe();
    new cuiDebugWin(owner.get());
    EXPECT_EQ(cuiEeDebugWin::LiveCount(), 2);
    EXPECT_EQ(cuiDebugWin::LiveCount(), 1);
    owner.reset();
    EXPECT_EQ(cuiEeDebugWin::LiveCount(), 0);
    EXPECT_EQ(cuiDebugWin::LiveCount(), 0);
    evman.Send(ev::kEepromDebugRefresh);
    evman.SendText(ev::kDebugText, 0, 0, "nobody");
}

}  // namespace
