// The main window as a dealer starts it: from nothing to the first painted sheet, and the
// memory the program holds once every sheet of every model type has been opened.
// Runs offscreen; the first start of a run is the cold one.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTreeWidget>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "platform/qt/QtServices.h"
#include "shell/TForm1.h"
#include "shell/cuiSheetPage.h"
#include "shell/indMain.h"
#include "shell/iuiTree.h"

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_ui_shell";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    static QString dir =
        QDir::tempPath() + QStringLiteral("/qv_bench_ui_") + QString::number(getpid());
    static plat::QtServices services(dir + QStringLiteral("/user.conf"),
                                     dir + QStringLiteral("/machine.conf"));
    return app;
}

// The program's long-lived objects, built in main()'s order.
struct Program {
    Program()
    {
        const std::string key = "Software\\Tavo\\Quorvex";
        environ = std::make_unique<indEnviron>("QvBench " + std::to_string(getpid()), key, key);
        g_Environ = environ.get();
        g_GTex = &mainGTex;
        g_BaseGTex = &baseGTex;
        g_HelpGTex = &helpGTex;
        g_EvMan = &evMan;
        main = std::make_unique<indMain>("TM5150Q", 7424);
        g_Main = main.get();
        form = std::make_unique<TForm1>();
    }
    ~Program()
    {
        form.reset();
        main.reset();
        g_Main = nullptr;
        g_EvMan = nullptr;
        g_GTex = g_BaseGTex = g_HelpGTex = nullptr;
        g_Environ = nullptr;
    }
    void Open(QTreeWidgetItem* node)
    {
        main->Tree()->Control()->setCurrentItem(node);
        if (!main->Sheet())
            main->Periodic();
    }
    std::unique_ptr<indEnviron> environ;
    cmcGTex mainGTex, baseGTex;
    cmcHelpGTex helpGTex;
    cmcEvMan evMan;
    std::unique_ptr<indMain> main;
    std::unique_ptr<TForm1> form;
};

long ResidentKb()
{
    std::ifstream in("/proc/self/status");
    std::string key;
    long value = 0;
    while (in >> key) {
        if (key == "VmRSS:") {
            in >> value;
            return value;
        }
        in.ignore(1 << 16, '\n');
    }
    return 0;
}

void BM_ColdStartToFirstPaintedSheet(benchmark::State& state)
{
    App();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        {
            Program p;
            p.Open(p.main->Tree()->FindByEntry("GI_Sheet_Common"));
            QPixmap shown = p.form->grab();  // paints the window with its sheet
            benchmark::DoNotOptimize(shown);
            const auto painted = std::chrono::steady_clock::now();
            state.SetIterationTime(std::chrono::duration<double>(painted - start).count());
        }
    }
}
BENCHMARK(BM_ColdStartToFirstPaintedSheet)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void BM_ResidentMemoryAfterEverySheet(benchmark::State& state)
{
    App();
    for (auto _ : state) {
        Program p;
        int sheets = 0;
        for (int type = 0; type < 4; ++type) {
            p.main->ChangeModelType(type, false);
            for (QTreeWidgetItem* n : p.main->Tree()->Nodes()) {
                p.Open(n);
                benchmark::DoNotOptimize(p.form->grab());
                ++sheets;
            }
        }
        state.counters["sheets"] = sheets;
        state.counters["RSS_MB"] = static_cast<double>(ResidentKb()) / 1024.0;
    }
}
BENCHMARK(BM_ResidentMemoryAfterEverySheet)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
