// Print all to PDF: every sheet of the largest model type's tree counted, added to the
// preview (its first page drawn, as the dealer sees it), then printed one sheet per 50 ms
// tick into a PDF file. The pacing is part of what the dealer waits for, so it is measured.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "cells/cmcCellCapsule.h"
#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"
#include "print/cuiPreview.h"
#include "print/cuiPrintHost.h"
#include "print/cuiPrintSetup.h"
#include "print/cuiPrinter.h"
#include "sheets/cuiImageList.h"
#include "sheets/cuiSheet.h"

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_print";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *app;
}

int Rules(void*, cmcCellCapsule* cap, int mode)
{
    if (mode == 0)
        cap->text = cap->cell->index % 3 ? "446.00625" : "Medium";
    return 0;
}

// The tree of the largest model type, stood in for: 20 settings sheets of 30 rows and 16
// channel bank sheets of 16 channels by 40 columns.
constexpr int kSettingSheets = 20;
constexpr int kBanks = 16;

std::vector<std::string> OverlayLines()
{
    std::vector<std::string> l = {"Bench overlay",
                                  "#GI_Sys_AppTitle",
                                  "Quorvex",
                                  "#GI_CellWidthRegList",
                                  "#",
                                  "#CellModel_Basic",
                                  "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-13,,,)",
                                  "#CellModel_Hdr",
                                  "^-WHBX(Color=clBtnFace)",
                                  "#CellModel_Val",
                                  "S<-WHBX",
                                  "#CH_Style",
                                  "(TitleString=Memory Channels)(FixedCols=1)(FixedRows=1)",
                                  "#CH_BasicCell",
                                  "{($Basic)}",
                                  "#CH_Cells"};
    std::string head = "{($Hdr)}Ch";
    std::string body = "{($Hdr)(%CT_Mch.FlexMark[0])}";
    for (int c = 1; c < 40; ++c) {
        head += "|{($Hdr)}Setting\\_" + std::to_string(c);
        body += "|{($Val)(%CT_Mch.Flex0[" + std::to_string(c * 100) + "])}";
    }
    for (const std::string& s :
         {head, std::string(":(LoopFrom 16)"), body, std::string(":(LoopTo)"), std::string("#")})
        l.push_back(s);
    for (const std::string& s :
         {std::string("#SET_Style"), std::string("(TitleString=Settings)(FixedRows=1)"),
          std::string("#SET_BasicCell"), std::string("{($Basic)}"), std::string("#SET_Cells"),
          std::string("{($Hdr)}Setting|{($Hdr)}Value|{($Hdr)}Note"), std::string(":(LoopFrom 30)"),
          std::string("{($Hdr)}Squelch level|{($Val)(%CT_Mch.Flex0[0])}|{($Val)(%CT_Mch."
                      "Flex0[50])}"),
          std::string(":(LoopTo)"), std::string("#")})
        l.push_back(s);
    std::ifstream in(QV_SOURCE_DIR "/data/overlays/TM5150QE/50-print.ovl");
    for (std::string s; std::getline(in, s);)
        l.push_back(s);
    l.push_back("#End_Of_Ovl");
    return l;
}

struct Host : cuiPrintHost {
    cmcGTex* store = nullptr;
    cuiImageList images;
    QWidget owner;
    QWidget* Owner() override { return &owner; }
    cuiSheet* CreatePrintSheet(QWidget* host, const std::string& reference) override
    {
        const std::string entry = reference.substr(0, reference.find(','));
        auto* s = new cuiSheet(host, nullptr, 0, 0, store, entry, &images);
        s->setParent(host);
        s->SetDisplayName(reference);
        s->SetRules(&Rules, nullptr);
        return s;
    }
    std::vector<std::string> SheetReferences() override
    {
        std::vector<std::string> r;
        for (int i = 0; i < kSettingSheets; ++i)
            r.push_back("SET,Part " + std::to_string(i));
        for (int b = 0; b < kBanks; ++b)
            r.push_back("CH,Bank " + std::to_string(b + 1));
        return r;
    }
};

struct PdfSetup : cuiPrintSetup {
    QString file;
    bool Setup(QPrinter& printer, QWidget*) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
        return true;
    }
};

void BM_PrintAllToPdf(benchmark::State& state)
{
    App();
    QTemporaryDir dir;
    plat::QtServices services(dir.filePath(QStringLiteral("user.conf")),
                              dir.filePath(QStringLiteral("machine.conf")));
    const std::string path = dir.filePath(QStringLiteral("BENCH.OVL")).toStdString();
    {
        std::ofstream out(path, std::ios::binary);
        for (const std::string& l : OverlayLines())
            out << l << "\r\n";
    }
    cmcGTex store;
    store.Open(path);
    g_GTex = &store;
    Host host;
    host.store = &store;
    PdfSetup setup;
    setup.file = dir.filePath(QStringLiteral("all.pdf"));
    cuiPrinter printer(&host, &store, {});
    printer.SetSetup(&setup);
    printer.runPreview = [](cuiPreview& p) {
        p.ShowPage(0);
        return true;
    };
    QWidget page;
    cuiSheet* current = host.CreatePrintSheet(&page, "SET,Part 0");
    current->Show();
    int pages = 0;
    for (auto _ : state) {
        printer.PrintSheets(true, current);
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (!printer.JobRunning())
                loop.quit();
        });
        poll.start(5);
        loop.exec();
        pages = printer.PagesPrinted();
    }
    state.counters["pages"] = pages;
    state.counters["sheets"] = kSettingSheets + kBanks;
    g_GTex = nullptr;
}
BENCHMARK(BM_PrintAllToPdf)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
