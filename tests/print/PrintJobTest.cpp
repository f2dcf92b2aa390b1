#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>

#include "PrintFixture.h"
#include "print/cuiPreview.h"
#include "print/cuiPrintProgress.h"
#include "support/TestServices.h"

namespace {

bool Has(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

int CountPagesWith(const QString& pdf, int pages, const char* part)
{
    int n = 0;
    for (int p = 1; p <= pages; ++p)
        n += Has(PdfText(pdf, p), part) ? 1 : 0;
    return n;
}

void WriteOld(const QString& file)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
}

QByteArray Content(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The first and the last row that is dark across nearly all of [left, right): the frame's
// two rules.
std::pair<int, int> RuleRows(const QImage& image, int left, int right)
{
    const QImage g = image.convertToFormat(QImage::Format_Grayscale8);
    int first = -1, last = -1;
    for (int y = 1; y < g.height() - 1; ++y) {
        const uchar* row = g.constScanLine(y);
        int dark = 0;
        for (int x = left; x < right && x < g.width(); ++x)
            dark += row[x] < 128 ? 1 : 0;
        if (dark > (right - left) * 9 / 10) {
            if (first < 0)
                first = y;
            last = y;
        }
    }
    return {first, last};
}

using Outcome = cuiPrinter::Outcome;

}  // namespace

TEST_F(PrintTest, PrintAllSkipsEmptyBanksAndNoPrintSheetsAndMatchesThePreview)
{
    host.references = {"TS", "[St_ChBank]TB,Bank 1", "NP", "[St_ChBank]TB,Bank 2", "WIDE"};
    host.emptyBanks = {"[St_ChBank]TB,Bank 1"};
    printer->PrintSheets(true, OpenCurrent("TS"));
    EXPECT_EQ(previewRuns, 1);
    ASSERT_TRUE(printer->JobRunning());
    EXPECT_FALSE(owner->isEnabled());
    ASSERT_NE(printer->Progress(), nullptr);
    EXPECT_TRUE(printer->Progress()->isVisible());
    // The document has not begun yet: no file until the first page is drawn.
    EXPECT_FALSE(QFile::exists(setup.file));
    RunJob();
    EXPECT_FALSE(printer->JobRunning());
    EXPECT_EQ(printer->LastOutcome(), Outcome::Printed);
    EXPECT_TRUE(owner->isEnabled());
    EXPECT_EQ(printer->Progress(), nullptr);

    const int pages = PdfPages(setup.file);
    EXPECT_EQ(pages, static_cast<int>(previewImages.size()));
    EXPECT_EQ(pages, printer->PagesPrinted());
    for (int p = 1; p <= pages; ++p) {
        const std::string text = PdfText(setup.file, p);
        EXPECT_TRUE(Has(text, "Quorvex 1.0")) << "page " << p;
        EXPECT_TRUE(Has(text, "Tavo Radio Programming Software")) << "page " << p;
        EXPECT_TRUE(Has(text, "Channel Plan") || Has(text, "Bank Sheet") || Has(text, "Wide Plan"))
            << "page " << p;
    }
    EXPECT_GE(CountPagesWith(setup.file, pages, "Channel Plan"), 2);  // 100 rows: two pages
    EXPECT_EQ(CountPagesWith(setup.file, pages, "Bank Sheet"), 1);    // the empty bank gives none
    EXPECT_GE(CountPagesWith(setup.file, pages, "Wide Plan"), 1);
    EXPECT_EQ(CountPagesWith(setup.file, pages, "Hidden Sheet"), 0);
    EXPECT_EQ(CountPagesWith(setup.file, pages, "Secret"), 0);
    // Only the document is left: no temporary file beside it.
    EXPECT_EQ(Files(), QStringList({QStringLiteral("TEST.OVL"), QStringLiteral("out.pdf")}));
    EXPECT_EQ(host.commits, 1);
}

TEST_F(PrintTest, PreviewPutsTheFrameRulesWherePaperHasThem)
{
    printer->PrintSheets(false, OpenCurrent("TS"));
    ASSERT_EQ(printer->LastOutcome(), Outcome::Printed);
    ASSERT_GE(previewImages.size(), 1u);
    const QImage& preview = previewImages[0];
    const QImage paper = PdfRaster(setup.file, 1, preview.logicalDpiY());
    ASSERT_FALSE(paper.isNull());
    EXPECT_NEAR(paper.width(), preview.width(), 1);
    EXPECT_NEAR(paper.height(), preview.height(), 1);
    const int left = preview.width() / 5;
    const int right = preview.width() * 4 / 5;
    const auto onScreen = RuleRows(preview, left, right);
    const auto onPaper = RuleRows(paper, left, right);
    ASSERT_GT(onScreen.first, 0);
    ASSERT_GT(onPaper.first, 0);
    EXPECT_NEAR(onScreen.first, onPaper.first, 1);
    EXPECT_NEAR(onScreen.second, onPaper.second, 1);
    EXPECT_LT(onScreen.first, preview.height() / 10);
    EXPECT_GT(onScreen.second, preview.height() * 9 / 10);
    preview.save(QStringLiteral("/tmp/qv-print-preview-page1.png"));
    paper.save(QStringLiteral("/tmp/qv-print-paper-page1.png"));
}

TEST_F(PrintTest, OneColumnTooWidePrintsOnTwoPagesWithTheFixedHeaders)
{
    // Paper just narrower than the sheet: the last column does not fit.
    int total = 0;
    int last = 0;
    {
        cuiPrinter::BuiltSheet b =
            printer->BuildSheet("WIDE", nullptr, cuiPrinter::SettingFontHeight(1200));
        ASSERT_NE(b.sheet, nullptr);
        for (int c = 0; c < b.sheet->ColCount(); ++c)
            total += b.sheet->ColWidth(c);
        last = b.sheet->ColWidth(b.sheet->ColCount() - 1);
    }
    ASSERT_EQ(printer->PrinterDpi(), 1200);
    const int content = total - last / 2;
    const int margin = static_cast<int>(15 * 1200 / 25.4);
    const double widthMm = (content + 2 * margin) * 25.4 / 1200;
    setup.page =
        QPageSize(QSizeF(widthMm, 297), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);

    printer->PrintSheets(false, OpenCurrent("WIDE"));
    ASSERT_EQ(printer->LastOutcome(), Outcome::Printed);
    ASSERT_EQ(previewImages.size(), 2u);
    ASSERT_EQ(PdfPages(setup.file), 2);
    const std::string one = PdfText(setup.file, 1);
    const std::string two = PdfText(setup.file, 2);
    for (const std::string* page : {&one, &two}) {
        EXPECT_TRUE(Has(*page, "Wide Plan"));
        EXPECT_TRUE(Has(*page, "Row"));
        EXPECT_TRUE(Has(*page, "First"));
        EXPECT_TRUE(Has(*page, "Second"));
    }
    EXPECT_TRUE(Has(one, "Alpha column heading"));
    EXPECT_TRUE(Has(one, "Charlie column heading"));
    EXPECT_FALSE(Has(one, "Delta column heading"));
    EXPECT_TRUE(Has(two, "Delta column heading"));
    EXPECT_FALSE(Has(two, "Alpha column heading"));
    EXPECT_EQ(printer->Preview(), nullptr);
}

TEST_F(PrintTest, AJobWithNoPagesShowsNoPreviewWritesNothingAndSaysSo)
{
    struct Case {
        bool all;
        const char* current;
    };
    const Case cases[] = {{true, "NP"}, {false, "NP"}, {false, "[St_ChBank]TB,Bank 1"}};
    host.references = {"NP", "[St_ChBank]TB,Bank 1"};
    host.emptyBanks = {"[St_ChBank]TB,Bank 1"};
    for (const Case& c : cases) {
        qvtest::Services().boxes.Clear();
        qvtest::Services().boxes.Answer(plat::BoxResult::Ok);
        printer->PrintSheets(c.all, OpenCurrent(c.current));
        EXPECT_EQ(printer->LastOutcome(), Outcome::NothingToPrint) << c.current;
        EXPECT_EQ(previewRuns, 0);
        EXPECT_FALSE(printer->JobRunning());
        EXPECT_TRUE(owner->isEnabled());
        EXPECT_FALSE(QFile::exists(setup.file));
        ASSERT_EQ(qvtest::Services().boxes.Seen().size(), 1u);
        EXPECT_TRUE(Has(qvtest::Services().boxes.Seen()[0].text, "nothing to print"));
    }
}

TEST_F(PrintTest, CancelLeavesNoFileAndAnOlderFileUntouched)
{
    enum Where { Dialog, Preview, BeforeFirstPage, BeforeFirstPageOfOne };
    host.references = {"TS", "WIDE"};
    for (Where where : {Dialog, Preview, BeforeFirstPage, BeforeFirstPageOfOne}) {
        WriteOld(setup.file);
        setup.answer = where != Dialog;
        previewAnswer = where != Preview;
        renderPreview = false;
        if (where == BeforeFirstPageOfOne) {
            // The progress dialog's button, pressed before the first page of print current.
            printer->runPreview = [this](cuiPreview&) {
                printer->Cancel();
                return true;
            };
        }
        printer->PrintSheets(where != BeforeFirstPageOfOne, OpenCurrent("TS"));
        if (where == BeforeFirstPage) {
            ASSERT_TRUE(printer->JobRunning());
            printer->Progress()->Button()->click();
            RunJob();
        }
        EXPECT_FALSE(printer->JobRunning()) << where;
        EXPECT_TRUE(owner->isEnabled()) << where;
        EXPECT_EQ(Content(setup.file), QByteArray("old")) << where;
        EXPECT_EQ(Files().size(), 2) << where;
        EXPECT_EQ(printer->PagesPrinted(), 0) << where;
    }
    EXPECT_EQ(setup.calls, 4);
}

TEST_F(PrintTest, ADocumentThatCannotBeginNamesTheFile)
{
    setup.file = dir.filePath(QStringLiteral("missing/folder/out.pdf"));
    qvtest::Services().boxes.Answer(plat::BoxResult::Ok);
    renderPreview = false;
    printer->PrintSheets(false, OpenCurrent("TS"));
    EXPECT_EQ(printer->LastOutcome(), Outcome::Failed);
    EXPECT_TRUE(owner->isEnabled());
    ASSERT_EQ(qvtest::Services().boxes.Seen().size(), 1u);
    const auto& box = qvtest::Services().boxes.Seen()[0];
    EXPECT_EQ(box.icon, plat::BoxIcon::Error);
    EXPECT_TRUE(Has(box.text, setup.file.toStdString().c_str())) << box.text;
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));

    // Print all ends its job at the first sheet and enables the window.
    qvtest::Services().boxes.Answer(plat::BoxResult::Ok);
    host.references = {"TS", "WIDE"};
    printer->PrintSheets(true, OpenCurrent("TS"));
    RunJob(1);
    EXPECT_FALSE(printer->JobRunning());
    EXPECT_EQ(printer->LastOutcome(), Outcome::Failed);
    EXPECT_TRUE(owner->isEnabled());
    EXPECT_EQ(qvtest::Services().boxes.Seen().size(), 2u);
}

TEST_F(PrintTest, APdfIsRenamedIntoPlaceAndClosingEndsTheJobCleanly)
{
    WriteOld(setup.file);
    renderPreview = false;
    host.references = {"TS", "WIDE", "TS"};
    printer->PrintSheets(true, OpenCurrent("TS"));
    ASSERT_TRUE(printer->JobRunning());
    qvtest::Services().timers.Advance(cuiPrinter::kJobIntervalMs);
    ASSERT_TRUE(printer->JobRunning());
    const int done = printer->PagesPrinted();
    EXPECT_GE(done, 2);
    // While the job runs the old file is still there, the new one beside it.
    EXPECT_EQ(Content(setup.file), QByteArray("old"));
    EXPECT_EQ(Files().size(), 3);
    // The main window closes: the job ends now with what was printed.
    printer->FinishJob();
    EXPECT_FALSE(printer->JobRunning());
    EXPECT_TRUE(owner->isEnabled());
    EXPECT_EQ(PdfPages(setup.file), done);
    EXPECT_EQ(Files().size(), 2);
    qvtest::Services().timers.Advance(10 * cuiPrinter::kJobIntervalMs);
    EXPECT_EQ(PdfPages(setup.file), done);
}

TEST_F(PrintTest, APageTooWideIsShrunkAndPreviewedAtItsShrunkFont)
{
    renderPreview = false;
    std::vector<dst_Preview> pages;
    printer->runPreview = [&pages](cuiPreview& p) {
        pages = p.Pages();
        return true;
    };
    printer->PrintSheets(false, OpenCurrent("HUGE"));
    ASSERT_EQ(pages.size(), 1u);
    const int setting = cuiPrinter::SettingFontHeight(1200);
    EXPECT_GT(pages[0].fontHeight, 0);
    EXPECT_LT(pages[0].fontHeight, -setting);
    EXPECT_EQ(PdfPages(setup.file), 1);
    EXPECT_TRUE(Has(PdfText(setup.file, 1), "Huge Cell"));
}
