// The Edit menu's undo and redo entries over the history the rules record.

#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "common/cmcEeprom.h"
#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"
#include "shell/QtTestApp.h"
#include "shell/cuiEditHistory.h"
#include "support/ScopedGlobal.h"

namespace {

const char* const kOverlay[] = {
    "Test overlay",    "#GI_AppInd_Undo", "&Undo",    "&Undo %s",
    "#GI_AppInd_Redo", "&Redo",           "&Redo %s", "#End_Of_Ovl",
};

TEST(cuiEditHistory, EntriesNameTheStepAndPutTheBytesBack)
{
    QtTestApp();
    cmcGTex texts;
    texts.UseLines(kOverlay);
    qvtest::ScopedGlobal<cmcGTex> global{g_GTex, &texts};
    cmcEeprom work;
    work.SetSize(16);
    int changes = 0;
    cuiEditHistory history(work, [&changes]() { ++changes; });
    QMainWindow form;
    QMenu* edit = form.menuBar()->addMenu(QStringLiteral("Edit"));
    edit->addAction(QStringLiteral("Copy"));
    history.Install(&form, edit);
    EXPECT_EQ(history.UndoText(), "&Undo");

    history.History().Begin(work.Data(), work.size());
    work.SetByte(2, 0x44);
    history.History().Commit(work.Data(), work.size(), "Channel 3 Receive Frequency");
    history.History().Begin(work.Data(), work.size());
    work.SetByte(3, 0x55);
    history.History().Commit(work.Data(), work.size(), "Fleet & Depot Comment");
    emit edit->aboutToShow();
    const QList<QAction*> items = edit->actions();
    ASSERT_GE(items.size(), 4);
    EXPECT_EQ(items[0]->text(), QStringLiteral("&Undo Fleet && Depot Comment"));
    EXPECT_TRUE(items[0]->isEnabled());
    EXPECT_FALSE(items[1]->isEnabled());
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3]->text(), QStringLiteral("Copy"));

    items[0]->trigger();  // Ctrl+Z
    EXPECT_EQ(work.GetByte(3), 0);
    EXPECT_EQ(history.UndoText(), "&Undo Channel 3 Receive Frequency");
    EXPECT_EQ(history.RedoText(), "&Redo Fleet && Depot Comment");
    EXPECT_TRUE(history.Undo());
    EXPECT_FALSE(history.Undo());
    EXPECT_EQ(work.GetByte(2), 0);
    EXPECT_TRUE(history.Redo());
    EXPECT_TRUE(history.Redo());
    EXPECT_EQ(work.GetByte(3), 0x55);
    EXPECT_EQ(changes, 4);
    history.Clear();
    EXPECT_EQ(history.UndoText(), "&Undo");
    // The shortcuts the form carries.
    bool undo = false, redoY = false;
    for (QAction* a : form.actions()) {
        undo |= a->shortcuts().contains(QKeySequence(QKeySequence::Undo));
        redoY |= a->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y));
    }
    EXPECT_TRUE(undo);
    EXPECT_TRUE(redoY);
}

}  // namespace
