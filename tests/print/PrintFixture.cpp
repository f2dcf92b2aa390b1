#include "PrintFixture.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cells/cmcCellIds.h"
#include "print/cuiPreview.h"
#include "support/TestServices.h"

QApplication& PrintApp()
{
    static int argc = 1;
    static char name[] = "test_print";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *app;
}

bool ScriptedSetup::Setup(QPrinter& printer, QWidget*)
{
    ++calls;
    if (!answer)
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(page);
    printer.setPageOrientation(QPageLayout::Portrait);
    return true;
}

namespace {

// Values of the test sheets: names and modes by index.
int TestRules(void*, cmcCellCapsule* cap, int mode)
{
    if (mode != 0)
        return 0;
    const int32_t idx = cap->cell->index;
    switch (cap->cell->id) {
        case Flex0:
            cap->text = "Name " + std::to_string(idx + 1);
            break;
        case Flex1:
            cap->text = idx % 2 ? "FM" : "AM";
            break;
        case FlexMark:
            cap->text = std::to_string(idx + 1);
            break;
        default:
            break;
    }
    return 0;
}

// A bank sheet prints nothing when its bank holds no channels.
class TestBankSheet : public cuiSheet {
public:
    TestBankSheet(QWidget* parent, cmcGTex* store, const std::string& entry, cuiImageList* images,
                  bool empty)
        : cuiSheet(parent, nullptr, 0, 0, store, entry, images), m_empty(empty)
    {
    }
    bool IsPrintable() override { return !m_empty && cuiSheet::IsPrintable(); }

private:
    bool m_empty;
};

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path);
    std::string l;
    while (std::getline(in, l)) {
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        lines.push_back(l);
    }
    return lines;
}

std::string UniqueMutex()
{
    static std::atomic<int> n{0};
    return "QvPrintTest " + std::to_string(getpid()) + " " + std::to_string(n++);
}

}  // namespace

cuiSheet* TestPrintHost::CreatePrintSheet(QWidget* parent, const std::string& reference)
{
    std::string entry = reference.substr(0, reference.find(','));
    bool bank = false;
    if (!entry.empty() && entry[0] == '[') {
        bank = true;
        entry = entry.substr(entry.find(']') + 1);
    }
    if (!store->HasKey(entry + "_Cells"))
        return nullptr;
    cuiSheet* s =
        bank ? new TestBankSheet(parent, store, entry, images, emptyBanks.count(reference) > 0)
             : new cuiSheet(parent, nullptr, 0, 0, store, entry, images);
    s->setParent(parent);
    s->SetDisplayName(reference);
    s->SetRules(&TestRules, nullptr);
    return s;
}

void PrintTest::SetUp()
{
    PrintApp();
    ASSERT_TRUE(dir.isValid());
    evman = std::make_unique<cmcEvMan>();
    g_EvMan = evman.get();
    env = std::make_unique<indEnviron>(UniqueMutex(), "Software\\Tavo\\Quorvex",
                                       "Software\\Tavo\\Quorvex");
    g_Environ = env.get();
    images = std::make_unique<cuiImageList>(QList<QIcon>{}, 16);

    // The test sheets, then the program's own printing texts.
    std::vector<std::string> lines = {
        "Quorvex print test overlay",
        "#GI_Sys_AppTitle",
        "Quorvex",
        "#GI_CellWidthRegList",
        "TS:TS",
        "#",
        "#CellModel_Basic",
        "<-(Color=clWindow)(Font=DEFAULT_CHARSET,DejaVu Sans,clWindowText,-13,,,)",
        "#CellModel_Hdr",
        "^-WHBX(Color=clBtnFace)",
        "#CellModel_Val",
        "S<-WHBX",
        "#CellModel_Txt",
        "<-WHBX",
        "#TS_Style",
        "(TitleString=Channel Plan)(FixedCols=1)(FixedRows=1)",
        "#TS_BasicCell",
        "{($Basic)}",
        "#TS_Cells",
        "{($Hdr)}Ch|{($Hdr)}Name|{($Hdr)}Mode",
        ":(LoopFrom 100)",
        "{($Hdr)(%CT_Mch.FlexMark[0])}|{($Val)(%CT_Mch.Flex0[0])}|{($Val)(%CT_Mch.Flex1[0])}",
        ":(LoopTo)",
        "#",
        "#WIDE_Style",
        "(TitleString=Wide Plan)(FixedCols=1)(FixedRows=1)",
        "#WIDE_BasicCell",
        "{($Basic)}",
        "#WIDE_Cells",
        "{($Hdr)}Row|{($Hdr)}Alpha column heading|{($Hdr)}Bravo column heading|{($Hdr)}Charlie "
        "column heading|{($Hdr)}Delta column heading",
        "{($Hdr)}First|{($Txt)}a1|{($Txt)}b1|{($Txt)}c1|{($Txt)}d1",
        "{($Hdr)}Second|{($Txt)}a2|{($Txt)}b2|{($Txt)}c2|{($Txt)}d2",
        "#",
        "#NP_Style",
        "(TitleString=Hidden Sheet)(NoPrint)",
        "#NP_BasicCell",
        "{($Basic)}",
        "#NP_Cells",
        "{($Hdr)}Secret|{($Val)}x",
        "#",
        "#TB_Style",
        "(TitleString=Bank Sheet)(FixedRows=1)",
        "#TB_BasicCell",
        "{($Basic)}",
        "#TB_Cells",
        "{($Hdr)}Ch|{($Hdr)}Name",
        "{($Hdr)(%CT_Mch.FlexMark[0])}|{($Val)(%CT_Mch.Flex0[0])}",
        "#",
        "#HUGE_Style",
        "(TitleString=Huge Cell)",
        "#HUGE_BasicCell",
        "{($Basic)}",
        "#HUGE_Cells",
        "{($Hdr)}" + std::string(400, 'W'),
        "#",
    };
    for (const std::string& l : ReadLines(QV_DATA_DIR "/overlays/TM5150QE/50-print.ovl"))
        lines.push_back(l);
    lines.push_back("#End_Of_Ovl");
    const QString path = dir.filePath(QStringLiteral("TEST.OVL"));
    {
        std::ofstream out(path.toStdString(), std::ios::binary);
        for (const std::string& l : lines)
            out << l << "\r\n";
    }
    store.Open(path.toStdString());
    g_GTex = &store;

    owner = std::make_unique<QWidget>();
    owner->resize(640, 480);
    owner->show();
    host.owner = owner.get();
    host.store = &store;
    host.images = images.get();
    setup.file = Pdf("out.pdf");
    printer = std::make_unique<cuiPrinter>(&host, &store, QList<QIcon>{});
    printer->SetSetup(&setup);
    printer->runPreview = [this](cuiPreview& preview) {
        ++previewRuns;
        if (renderPreview)
            for (int i = 0; i < preview.PageCount(); ++i) {
                preview.ShowPage(i);
                previewImages.push_back(preview.Bitmap().copy());
            }
        return previewAnswer;
    };
}

void PrintTest::TearDown()
{
    printer.reset();
    pageHost.reset();
    owner.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    g_GTex = nullptr;
    g_Environ = nullptr;
    env.reset();
    g_EvMan = nullptr;
}

cuiSheet* PrintTest::OpenCurrent(const std::string& reference)
{
    pageHost = std::make_unique<QWidget>(owner.get());
    current = host.CreatePrintSheet(pageHost.get(), reference);
    current->Show();
    return current;
}

void PrintTest::RunJob(int maxTicks)
{
    for (int i = 0; i < maxTicks && printer->JobRunning(); ++i)
        qvtest::Services().timers.Advance(cuiPrinter::kJobIntervalMs);
}

int PdfPages(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {file});
    p.waitForFinished();
    if (p.exitCode() != 0)
        return -1;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

std::string PdfText(const QString& file, int page)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
             QString::number(page), QStringLiteral("-layout"), file, QStringLiteral("-")});
    p.waitForFinished();
    return p.readAllStandardOutput().toStdString();
}

QImage PdfRaster(const QString& file, int page, int dpi)
{
    const QString prefix = QDir::temp().filePath(QStringLiteral("qvprint-raster-%1").arg(getpid()));
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
             QString::number(page), QStringLiteral("-r"), QString::number(dpi),
             QStringLiteral("-gray"), QStringLiteral("-singlefile"), file, prefix});
    p.waitForFinished();
    QImage img(prefix + QStringLiteral(".pgm"));
    QFile::remove(prefix + QStringLiteral(".pgm"));
    return img;
}

QStringList PrintTest::Files() const
{
    QStringList files =
        QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    files.sort();
    return files;
}
