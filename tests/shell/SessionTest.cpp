// A dealer's first session: start, walk the tree, change settings on three sheets, save,
// quit, start again and reopen the file from the recent list. With QV_SHOT_DIR set the
// window is saved as PNG pictures along the way.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QPixmap>
#include <QTreeWidget>
#include <filesystem>
#include <memory>

#include "cells/cmcCellIds.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "sheets/cuiSheet.h"
#include "shell/QtTestApp.h"
#include "shell/TForm1.h"
#include "shell/cuiMenu.h"
#include "shell/cuiSheetPage.h"
#include "shell/indMain.h"
#include "shell/iuiTree.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QtTestApp();
        g_GTex = &mainGTex;
        g_BaseGTex = &baseGTex;
        g_HelpGTex = &helpGTex;
        g_EvMan = &evMan;
        char tmpl[] = "/tmp/qv_session_XXXXXX";
        dir = mkdtemp(tmpl);
        shots = QString::fromLocal8Bit(qgetenv("QV_SHOT_DIR"));
        if (!shots.isEmpty())
            QDir().mkpath(shots);
    }
    void TearDown() override
    {
        Quit();
        g_EvMan = nullptr;
        g_GTex = g_BaseGTex = g_HelpGTex = nullptr;
        fs::remove_all(dir);
    }
    // Starts the program the way main() does; the settings live on in the test's store.
    void Start()
    {
        const std::string key = "Software\\Tavo\\Quorvex";
        environ =
            std::make_unique<indEnviron>("QvTest Session " + std::to_string(getpid()), key, key);
        g_Environ = environ.get();
        environ->width = 1000;
        environ->height = 640;
        environ->splitterV = 220;
        main = std::make_unique<indMain>("TM5150Q", 7424);
        g_Main = main.get();
        main->fileDialog = [this](bool, const std::string&) {
            return (dir / "North depot.qcl").string();
        };
        form = std::make_unique<TForm1>();
        form->show();
        Tick();
    }
    void Quit()
    {
        if (form) {
            form->close();
            EXPECT_FALSE(form->isVisible());
        }
        form.reset();
        main.reset();
        g_Main = nullptr;
        environ.reset();  // writes the settings, the recent list among them
        g_Environ = nullptr;
    }
    void Tick() { qvtest::Services().timers.Advance(60); }
    void Shot(const char* name)
    {
        if (shots.isEmpty())
            return;
        form->grab().save(shots + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    }
    void Select(const std::string& entry)
    {
        QTreeWidgetItem* n = main->Tree()->FindByEntry(entry);
        ASSERT_NE(n, nullptr) << entry;
        main->Tree()->Control()->setCurrentItem(n);
        Tick();
        ASSERT_TRUE(main->Sheet() && main->Sheet()->Sheet()) << entry;
    }
    // The text a cell shows and the place of the cell with this identifier.
    std::string CellText(int32_t id, int* col = nullptr, int* row = nullptr)
    {
        cuiSheet* s = main->Sheet()->Sheet();
        for (int r = 0; r < s->RowCount(); ++r)
            for (int c = 0; c < s->ColCount(); ++c)
                if (s->CellAt(c, r).id == id) {
                    cmcCellObj cell = s->CellAt(c, r);
                    cmcCellCapsule capsule;
                    capsule.cell = &cell;
                    main->RunRules(capsule, 0);
                    if (col)
                        *col = c;
                    if (row)
                        *row = r;
                    return capsule.text;
                }
        ADD_FAILURE() << "no cell " << IdName(id);
        return {};
    }
    void Type(int32_t id, const std::string& text)
    {
        int c = -1, r = -1;
        CellText(id, &c, &r);
        main->Sheet()->Sheet()->MoveTo(c, r);
        main->Sheet()->Sheet()->SendAction(c, r, 0, 0, &text);
    }
    void Step(int32_t id)
    {
        int c = -1, r = -1;
        CellText(id, &c, &r);
        main->Sheet()->Sheet()->MoveTo(c, r);
        main->Sheet()->Sheet()->SendAction(c, r, cmcCellCapsule::kKeySpace, 0);
    }
    QAction* Item(int32_t id, int index)
    {
        for (QAction* a : main->Menu()->Actions())
            if (cmcCellObj* c = cuiMenu::CellOf(a); c && c->id == id && c->index == index)
                return a;
        return nullptr;
    }

    cmcGTex mainGTex, baseGTex;
    cmcHelpGTex helpGTex;
    cmcEvMan evMan;
    std::unique_ptr<indEnviron> environ;
    std::unique_ptr<indMain> main;
    std::unique_ptr<TForm1> form;
    fs::path dir;
    QString shots;
};

TEST_F(SessionTest, EditSaveQuitAndReopenFromTheRecentList)
{
    Start();
    Shot("01-start");
    // Walk the whole tree once.
    for (QTreeWidgetItem* n : main->Tree()->Nodes()) {
        main->Tree()->Control()->setCurrentItem(n);
        Tick();
        ASSERT_NE(main->Sheet(), nullptr);
    }
    Select("GI_Sheet_SetMode");
    const std::string beep = CellText(CL_SetM_BeepOn);
    Step(CL_SetM_BeepOn);
    const std::string beepAfter = CellText(CL_SetM_BeepOn);
    EXPECT_NE(beepAfter, beep);
    Shot("02-set-mode-edited");

    Select("GI_Sheet_Common");
    Type(CL_Comm_CloneComment1, "North depot");
    EXPECT_EQ(CellText(CL_Comm_CloneComment1).substr(0, 11), "North depot");
    Shot("03-common-edited");

    Select("GI_Sheet_Emergency");
    const std::string silent = CellText(CL_Emer_Setting_Silent);
    Step(CL_Emer_Setting_Silent);
    const std::string silentAfter = CellText(CL_Emer_Setting_Silent);
    EXPECT_NE(silentAfter, silent);
    Shot("04-emergency-edited");
    EXPECT_TRUE(main->Doc().Modified());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Untitled * - Quorvex"));

    Item(CL_Menu_File_Save, 0)->trigger();
    EXPECT_FALSE(main->Doc().Modified());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("North depot.qcl - Quorvex"));
    Shot("05-saved");
    Quit();

    Start();
    EXPECT_TRUE(main->Doc().Untitled());
    main->Menu()->Refresh();
    QAction* recent = Item(CL_Menu_File_Recent, 0);
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->text(), QStringLiteral("&1 North depot.qcl"));
    recent->trigger();
    EXPECT_EQ(main->Doc().Path(), (dir / "North depot.qcl").string());
    Select("GI_Sheet_SetMode");
    EXPECT_EQ(CellText(CL_SetM_BeepOn), beepAfter);
    Select("GI_Sheet_Emergency");
    EXPECT_EQ(CellText(CL_Emer_Setting_Silent), silentAfter);
    Select("GI_Sheet_Common");
    EXPECT_EQ(CellText(CL_Comm_CloneComment1).substr(0, 11), "North depot");
    Shot("06-reopened");
    EXPECT_TRUE(qvtest::Services().boxes.Seen().empty());
}

}  // namespace
