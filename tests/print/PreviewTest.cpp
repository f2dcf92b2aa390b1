#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "PrintFixture.h"
#include "print/cuiPreview.h"
#include "support/TestServices.h"

namespace {

// Runs the preview modally and acts on it once it is up.
std::function<bool(cuiPreview&)> Modal(std::function<void(cuiPreview&)> act)
{
    return [act](cuiPreview& p) {
        QTimer::singleShot(0, &p, [&p, act] {
            act(p);
            if (p.isVisible())
                p.reject();
        });
        return p.Run();
    };
}

void Key(cuiPreview& p, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWidget* target = p.PageField();
    QTest::keyClick(target, static_cast<Qt::Key>(key), mods);
}

std::vector<bool> PageButtons(cuiPreview& p)
{
    return {p.TopButton()->isEnabled(), p.PreviousButton()->isEnabled(),
            p.NextButton()->isEnabled(), p.LastButton()->isEnabled()};
}

}  // namespace

TEST_F(PrintTest, PreviewWithOnePageHasNoPageButtons)
{
    std::vector<bool> buttons;
    QString count, status;
    printer->runPreview = Modal([&](cuiPreview& p) {
        buttons = PageButtons(p);
        count = p.CountLabel()->text();
        status = p.StatusPanel()->text();
    });
    printer->PrintSheets(false, OpenCurrent("[St_ChBank]TB,Bank 2"));
    EXPECT_EQ(buttons, std::vector<bool>({false, false, false, false}));
    EXPECT_EQ(count, QStringLiteral(" / 1"));
    EXPECT_EQ(status, QStringLiteral(" 1 / 1"));
    EXPECT_EQ(printer->LastOutcome(), cuiPrinter::Outcome::PreviewCancelled);
    EXPECT_FALSE(QFile::exists(setup.file));
}

TEST_F(PrintTest, PreviewNavigationByButtonsKeysAndPageField)
{
    host.references = {"TS", "WIDE", "TB"};
    struct Step {
        const char* what;
        std::function<void(cuiPreview&)> act;
        int page;  // expected current page afterwards, -1: the last
    };
    const std::vector<Step> steps = {
        {"start", [](cuiPreview&) {}, 0},
        {"page down", [](cuiPreview& p) { Key(p, Qt::Key_PageDown); }, 1},
        {"down", [](cuiPreview& p) { Key(p, Qt::Key_Down); }, 2},
        {"up", [](cuiPreview& p) { Key(p, Qt::Key_Up); }, 1},
        {"page up twice stops at the first",
         [](cuiPreview& p) {
             Key(p, Qt::Key_PageUp);
             Key(p, Qt::Key_PageUp);
         },
         0},
        {"last button", [](cuiPreview& p) { p.LastButton()->click(); }, -1},
        {"top button", [](cuiPreview& p) { p.TopButton()->click(); }, 0},
        {"next button", [](cuiPreview& p) { p.NextButton()->click(); }, 1},
        {"typing 7 and Enter goes to the last page",
         [](cuiPreview& p) {
             p.PageField()->selectAll();
             QTest::keyClicks(p.PageField(), QStringLiteral("7"));
             Key(p, Qt::Key_Return);
         },
         -1},
        {"typing 2 and Enter",
         [](cuiPreview& p) {
             p.PageField()->selectAll();
             QTest::keyClicks(p.PageField(), QStringLiteral("2"));
             Key(p, Qt::Key_Enter);
         },
         1},
    };
    int pages = 0;
    std::vector<int> seen;
    QString field, status, typed;
    printer->runPreview = Modal([&](cuiPreview& p) {
        pages = p.PageCount();
        for (const Step& s : steps) {
            s.act(p);
            seen.push_back(p.CurrentPage());
        }
        // A letter does nothing; digits and "(" reach the field.
        p.PageField()->setText(QStringLiteral("1"));
        p.PageField()->setCursorPosition(1);
        QTest::keyClicks(p.PageField(), QStringLiteral("a("));
        typed = p.PageField()->text();
        p.ShowPage(pages - 1);
        field = p.PageField()->text();
        status = p.StatusPanel()->text();
    });
    printer->PrintSheets(true, OpenCurrent("TS"));
    ASSERT_GE(pages, 3);
    ASSERT_EQ(seen.size(), steps.size());
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(seen[i], steps[i].page < 0 ? pages - 1 : steps[i].page) << steps[i].what;
    EXPECT_EQ(typed, QStringLiteral("1("));
    EXPECT_EQ(field, QString::number(pages));
    EXPECT_EQ(status, QStringLiteral(" %1 / %1").arg(pages));
}

TEST_F(PrintTest, PreviewKeysPrintAndClose)
{
    struct Case {
        const char* what;
        std::function<void(cuiPreview&)> act;
        cuiPrinter::Outcome outcome;
    };
    const Case cases[] = {
        {"Ctrl+P prints", [](cuiPreview& p) { Key(p, Qt::Key_P, Qt::ControlModifier); },
         cuiPrinter::Outcome::Printed},
        {"the Print button prints", [](cuiPreview& p) { p.PrintButton()->click(); },
         cuiPrinter::Outcome::Printed},
        {"Escape closes", [](cuiPreview& p) { Key(p, Qt::Key_Escape); },
         cuiPrinter::Outcome::PreviewCancelled},
    };
    for (const Case& c : cases) {
        QFile::remove(setup.file);
        printer->runPreview = Modal(c.act);
        printer->PrintSheets(false, OpenCurrent("WIDE"));
        EXPECT_EQ(printer->LastOutcome(), c.outcome) << c.what;
        EXPECT_EQ(QFile::exists(setup.file), c.outcome == cuiPrinter::Outcome::Printed) << c.what;
        EXPECT_TRUE(owner->isEnabled()) << c.what;
    }
}

TEST_F(PrintTest, PreviewZoomAndWheel)
{
    host.references = {"TS"};
    bool fitted = true, zoomedScroll = false;
    int afterWheel = -1;
    printer->runPreview = Modal([&](cuiPreview& p) {
        p.resize(500, 400);
        QApplication::processEvents();
        // Fitted: the wheel turns the page.
        QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(p.ScrollBox()->viewport(), &wheel);
        afterWheel = p.CurrentPage();
        p.ZoomButton()->click();
        QApplication::processEvents();
        fitted = !p.Zoomed();
        const int before = p.ScrollBox()->verticalScrollBar()->value();
        Key(p, Qt::Key_Down);
        zoomedScroll =
            p.ScrollBox()->verticalScrollBar()->value() > before && p.CurrentPage() == afterWheel;
        p.grab().save(QStringLiteral("/tmp/qv-print-preview-zoomed.png"));
    });
    printer->PrintSheets(true, OpenCurrent("TS"));
    EXPECT_EQ(afterWheel, 1);
    EXPECT_FALSE(fitted);
    EXPECT_TRUE(zoomedScroll);
}

TEST_F(PrintTest, SettingDialogChangesThePrintFontAndPaginatesAgain)
{
    int before = 0, after = 0, page = -1;
    int listed = -1;
    printer->runPreview = [&](cuiPreview& p) {
        before = p.PageCount();
        p.ShowPage(1);
        QTimer::singleShot(0, &p, [&p, &listed] {
            QDialog* d = p.SettingsDialog();
            if (!d)
                return;
            listed = p.SettingsList()->currentIndex();
            p.SettingsList()->setCurrentIndex(4);  // item "5"
            d->grab().save(QStringLiteral("/tmp/qv-print-setting.png"));
            d->accept();
        });
        p.OpenSettings();
        after = p.PageCount();
        page = p.CurrentPage();
        return true;
    };
    printer->PrintSheets(false, OpenCurrent("TS"));
    EXPECT_EQ(listed, 2);  // 10 points
    EXPECT_EQ(g_Environ->fontSizePrinter, 12);
    EXPECT_GT(after, before);  // 100 rows at 12 points need more pages
    EXPECT_EQ(page, 0);
    // The printout uses the new size.
    EXPECT_EQ(PdfPages(setup.file), after);
}

TEST_F(PrintTest, PreviewWindowRendered)
{
    host.references = {"TS"};
    printer->runPreview = Modal([](cuiPreview& p) {
        p.resize(700, 900);
        QApplication::processEvents();
        p.grab().save(QStringLiteral("/tmp/qv-print-preview-window.png"));
    });
    printer->PrintSheets(false, OpenCurrent("TS"));
    EXPECT_TRUE(QFile::exists(QStringLiteral("/tmp/qv-print-preview-window.png")));
}

TEST(PrintOverlay, EveryKeyPrintingReachesIsShipped)
{
    cmcGTex main;
    main.Open(QV_BIN_DIR "/TM5150QE.OVL");
    for (const char* key :
         {"GI_Sys_AppTitle", "GI_Sys_AppTitleRev", "GI_Sys_Maker", "GI_Sys_Printer_Margins",
          "GI_Sys_Printer_FrameFont", "GI_Sys_Printer_PrintingDialog", "GI_Sys_Printer_NoPages",
          "GI_Sys_Printer_CannotBegin", "GI_Sys_Printer_Failed", "GI_AppInd_Button_OkCancel",
          "GI_AppInd_Opt_ComSel_SizeOfButtons"})
        EXPECT_TRUE(main.HasKey(key)) << key;
    double mm[4];
    EXPECT_TRUE(prt::ParseMargins(main.GetLine("GI_Sys_Printer_Margins", 0), mm));
    EXPECT_GT(std::atoi(main.GetLine("GI_Sys_Printer_FrameFont", 0).c_str()), 0);
    EXPECT_NE(main.GetLines("GI_Sys_Printer_CannotBegin").find("%s"), std::string::npos);
    EXPECT_NE(main.GetLines("GI_Sys_Printer_Failed").find("%s"), std::string::npos);
}
