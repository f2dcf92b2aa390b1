// The clone progress window: its size, its 32 segments, and that only the program closes it.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QWidget>

#include "QtTestApp.h"
#include "shell/cuiCloneProgress.h"
#include "shell/cuiCloneUi.h"

namespace {

TEST(CloneProgress, DrawsLitSegmentsWithGapsAndRefusesTheUsersClose)
{
    QtTestApp();
    QWidget main;
    main.resize(640, 480);
    main.show();
    cuiCloneUi ui(&main);
    ui.EnableMainWindow(false);
    EXPECT_FALSE(main.isEnabled());
    ui.ShowProgress();
    cuiCloneProgress* progress = ui.Progress();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->windowTitle(), QStringLiteral("Cloning"));
    EXPECT_EQ(progress->size(), QSize(290, 48));

    ui.UpdateProgress(960, 1920);  // 960 * 33 / 1920 = 16 segments
    EXPECT_EQ(cuiCloneProgress::LitSegments(960, 1920), 16);
    EXPECT_EQ(cuiCloneProgress::LitSegments(5, 0), 0);
    const QImage shot = progress->grab().toImage();
    shot.save(QString::fromStdString(testing::TempDir() + "clone-progress.png"));
    const QColor lit = progress->palette().color(QPalette::Highlight);
    const QColor unlit = progress->palette().color(QPalette::Base);
    // The bar starts inside the panel's bevel at (17, 9); segment i spans 8 columns.
    const int y = 9 + 7;
    EXPECT_EQ(shot.pixelColor(17 + 0, y), lit);
    EXPECT_EQ(shot.pixelColor(17 + 7, y), unlit);  // the gap after segment 0
    EXPECT_EQ(shot.pixelColor(17 + 8 * 15 + 3, y), lit);
    EXPECT_EQ(shot.pixelColor(17 + 8 * 16 + 3, y), unlit);

    EXPECT_FALSE(progress->close());
    EXPECT_TRUE(progress->isVisible());
    ui.CloseProgress();
    EXPECT_EQ(ui.Progress(), nullptr);
    ui.EnableMainWindow(true);
    EXPECT_TRUE(main.isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
