#include <gtest/gtest.h>

#include <QLabel>
#include <QStatusBar>
#include <memory>

#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "shell/QtTestApp.h"
#include "shell/TForm1.h"
#include "shell/WindowBounds.h"
#include "shell/indMain.h"
#include "support/ScopedGlobal.h"
#include "support/TestServices.h"

namespace {

TEST(KeepOnWorkArea, FourRulesInOrder)
{
    const plat::Rect work{0, 0, 1000, 700};
    struct Case {
        plat::Rect in;
        int left, top;
    } cases[] = {
        {{100, 100, 400, 300}, 100, 100},    // inside: unchanged
        {{1000, 100, 400, 300}, 984, 100},   // left at the right edge: 16 pixels remain
        {{100, 900, 400, 300}, 100, 684},    // below the bottom
        {{-600, 100, 400, 300}, -384, 100},  // right edge left of the work area
        {{100, -50, 400, 300}, 100, 0},      // caption above the work area
    };
    for (const Case& c : cases) {
        plat::Rect r = KeepOnWorkArea(c.in, work);
        EXPECT_EQ(r.left, c.left) << c.in.left << "," << c.in.top;
        EXPECT_EQ(r.top, c.top) << c.in.left << "," << c.in.top;
        EXPECT_EQ(r.width, c.in.width);
    }
    // The work area need not start at 0 (a panel on the left or top).
    plat::Rect r = KeepOnWorkArea({-600, 10, 400, 300}, {50, 30, 950, 670});
    EXPECT_EQ(r.left, 50 + 16 - 400);
    EXPECT_EQ(r.top, 30);
}

// The six program-wide objects over the overlays installed beside the test binary.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QtTestApp();
        const std::string key = "Software\\Tavo\\Quorvex";
        environ =
            std::make_unique<indEnviron>("QvTest Startup " + std::to_string(getpid()), key, key);
        installEnviron.Set(environ.get());
    }
    void Build()
    {
        main = std::make_unique<indMain>("TM5150Q", 7424);
        installMain.Set(main.get());
        form = std::make_unique<TForm1>();
    }
    // Members end in reverse: the form and the main object go first, while every global
    // they may use is still in place.
    qvtest::ScopedGlobal<indEnviron> installEnviron{g_Environ};
    std::unique_ptr<indEnviron> environ;
    cmcGTex mainGTex, baseGTex;
    cmcHelpGTex helpGTex;
    cmcEvMan evMan;
    qvtest::ScopedGlobal<cmcGTex> installGTex{g_GTex, &mainGTex};
    qvtest::ScopedGlobal<cmcGTex> installBaseGTex{g_BaseGTex, &baseGTex};
    qvtest::ScopedGlobal<cmcHelpGTex> installHelpGTex{g_HelpGTex, &helpGTex};
    qvtest::ScopedGlobal<cmcEvMan> installEvMan{g_EvMan, &evMan};
    qvtest::ScopedGlobal<cuiMain> installMain{g_Main};
    std::unique_ptr<indMain> main;
    std::unique_ptr<TForm1> form;
};

TEST_F(StartupTest, FormTakesTitleFontAndMinimumFromTheOverlay)
{
    Build();
    // The shown window names the document before the program's title.
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Untitled - Quorvex"));
    EXPECT_EQ(form->minimumSize(), QSize(400, 200));
    EXPECT_EQ(form->font().pixelSize(), 13);
    EXPECT_EQ(form->TreeImages().size(), 11);
    EXPECT_EQ(form->ToolBarImages().size(), 21);
    EXPECT_FALSE(form->ToolBarImages().at(3).isNull());
}

TEST_F(StartupTest, StoredBoundsAreKeptOnTheWorkArea)
{
    qvtest::Services().desktop.workArea = {0, 0, 1200, 900};
    environ->left = 1200;
    environ->top = -40;
    environ->width = 500;
    environ->height = 300;
    Build();
    EXPECT_EQ(form->geometry().x(), 1184);
    EXPECT_EQ(form->geometry().y(), 0);
}

TEST_F(StartupTest, ClosingStoresPlacementAndSplitter)
{
    environ->left = 20;
    environ->top = 30;
    environ->width = 640;
    environ->height = 480;
    environ->splitterV = 150;
    Build();
    form->close();
    EXPECT_EQ(environ->width, 640);
    EXPECT_EQ(environ->height, 480);
    EXPECT_EQ(environ->splitterV, 150);
}

TEST_F(StartupTest, LanguageBeyondTheListIsReset)
{
    environ->language = 3;
    Build();
    EXPECT_EQ(environ->language, 0);
    EXPECT_EQ(mainGTex.GetText("GI_Sys_AppTitle"), "Quorvex");
}

TEST_F(StartupTest, MakerSwitchAsksOnceAndMatchesWholeArguments)
{
    Build();
    auto& boxes = qvtest::Services().boxes;
    boxes.Clear();
    main->ApplySwitches({QStringLiteral("/usr/bin/quorvex"), QStringLiteral("/vultanex")});
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_FALSE(main->MakerMode());

    boxes.Answer(plat::BoxResult::Cancel);
    main->ApplySwitches({QStringLiteral("/VULTANE")});
    EXPECT_FALSE(main->MakerMode());
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].caption, "Quorvex");
    EXPECT_EQ(boxes.Seen()[0].icon, plat::BoxIcon::Warning);
    EXPECT_EQ(boxes.Seen()[0].text, mainGTex.GetLines("GI_Mess_Maker_Caution"));

    boxes.Clear();
    boxes.Answer(plat::BoxResult::Ok);
    main->ApplySwitches({QStringLiteral("/Vultane"), QStringLiteral("/vultane")});
    EXPECT_TRUE(main->MakerMode());
    EXPECT_EQ(boxes.Seen().size(), 1u);  // asked once: the second match finds it set
    ASSERT_NE(main->MakerPanel(), nullptr);
    EXPECT_EQ(main->MakerPanel()->text(), QStringLiteral("Maker mode"));
}

TEST_F(StartupTest, FactoryAdjustSwitch)
{
    Build();
    auto& boxes = qvtest::Services().boxes;
    boxes.Clear();
    boxes.Answer(plat::BoxResult::Ok);
    main->ApplySwitches({QStringLiteral("/FACTORY_ADJ")});
    EXPECT_TRUE(main->FactoryAdjustMode());
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, mainGTex.GetLines("GI_Mess_FactADJMode_Caution"));
}

}  // namespace
