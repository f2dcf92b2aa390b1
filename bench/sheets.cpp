// Sheets on screen: building a sheet from its overlay entries and painting it for the first
// time (what the dealer waits for when a tree entry is clicked), and a full repaint (what a
// change to every cell, or scrolling a whole page, costs). Painted offscreen into an image.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellIds.h"
#include "cells/cmcCellObj.h"
#include "overlay/cmcGTex.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_sheets";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Every identified cell shows a value of typical length.
int Rules(void*, cmcCellCapsule* cap, int mode)
{
    if (mode == 0)
        cap->text = cap->cell->index % 3 ? "446.00625" : "Medium";
    return 0;
}

// A channel sheet the size of the largest one: a header row and 16 channels of 40 columns.
std::vector<std::string> ChannelSheetLines()
{
    std::vector<std::string> l = {"Bench overlay",
                                  "#CellModel_Basic",
                                  "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-13,,,)",
                                  "#CellModel_Hdr",
                                  "^-WH(Color=clBtnFace)",
                                  "#CellModel_Val",
                                  "S<-HBX",
                                  "#CH_Style",
                                  "(FixedCols=1)(FixedRows=1)(ColSizing)",
                                  "#CH_BasicCell",
                                  "{($Basic)}",
                                  "#CH_Cells"};
    std::string head = "{($Hdr)}Ch";
    std::string body = "{($Hdr)(%CT_Mch.FlexMark[0])}";
    for (int c = 1; c < 40; ++c) {
        head += "|{($Hdr)}Setting\\_" + std::to_string(c);
        body += "|{($Val)(%CT_Mch.Flex0[" + std::to_string(c * 100) + "])}";
    }
    l.push_back(head);
    l.push_back(":(LoopFrom 16)");
    l.push_back(body);
    l.push_back(":(LoopTo)");
    l.push_back("#");
    l.push_back("#End_Of_Ovl");
    return l;
}

struct Store {
    cmcGTex gtex;
    std::string entry;
    std::vector<std::string> lines;
    std::vector<const char*> raw;
};

Store& ChannelStore()
{
    static Store s;
    static bool ready = false;
    if (!ready) {
        s.lines = ChannelSheetLines();
        for (const std::string& l : s.lines)
            s.raw.push_back(l.c_str());
        s.raw.push_back(nullptr);
        s.gtex.UseLines(s.raw.data());
        s.entry = "CH";
        ready = true;
    }
    return s;
}

// The English overlay's sheet with the most lines of cells.
Store& EnglishStore()
{
    static Store s;
    static bool ready = false;
    if (!ready) {
        const std::string file = QV_BIN_DIR "/TM5150QE.OVL";
        s.gtex.Open(file);
        std::ifstream in(file);
        std::string line, key;
        size_t best = 0;
        int count = 0;
        auto close = [&] {
            const std::string suffix = "_Cells";
            if (key.size() > suffix.size() &&
                key.compare(key.size() - suffix.size(), suffix.size(), suffix) == 0) {
                const std::string base = key.substr(0, key.size() - suffix.size());
                if (static_cast<size_t>(count) > best && s.gtex.HasKey(base + "_Style") &&
                    s.gtex.HasKey(base + "_BasicCell")) {
                    best = static_cast<size_t>(count);
                    s.entry = base;
                }
            }
        };
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty() && line[0] == '#') {
                close();
                key = line.substr(1);
                count = 0;
            } else {
                ++count;
            }
        }
        ready = true;
    }
    return s;
}

void BuildAndPaint(benchmark::State& state, Store& store, int w, int h)
{
    App();
    g_GTex = &store.gtex;
    QImage image(w, h, QImage::Format_RGB32);
    for (auto _ : state) {
        QWidget window;
        window.resize(w, h);
        cuiSheet sheet(&window, nullptr, 0, 0, &store.gtex, store.entry, nullptr);
        sheet.SetRules(&Rules, nullptr);
        sheet.Show();
        QPainter p(&image);
        sheet.Grid()->viewport()->render(&p);
        p.end();
        benchmark::DoNotOptimize(image.bits());
    }
    state.SetLabel(store.entry);
}

void BM_BuildAndFirstPaint_LargestEnglishSheet(benchmark::State& state)
{
    Store& s = EnglishStore();
    if (s.entry.empty()) {
        state.SkipWithError("no sheet in the English overlay");
        return;
    }
    BuildAndPaint(state, s, 1024, 700);
}
BENCHMARK(BM_BuildAndFirstPaint_LargestEnglishSheet)->Unit(benchmark::kMillisecond);

void BM_BuildAndFirstPaint_Channel17x40(benchmark::State& state)
{
    BuildAndPaint(state, ChannelStore(), 1280, 700);
}
BENCHMARK(BM_BuildAndFirstPaint_Channel17x40)->Unit(benchmark::kMillisecond);

void BM_FullRepaint_Channel17x40(benchmark::State& state)
{
    App();
    Store& store = ChannelStore();
    g_GTex = &store.gtex;
    QWidget window;
    window.resize(1280, 700);
    cuiSheet sheet(&window, nullptr, 0, 0, &store.gtex, store.entry, nullptr);
    sheet.SetRules(&Rules, nullptr);
    sheet.Show();
    QImage image(1280, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        sheet.Grid()->viewport()->render(&p);
        p.end();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_FullRepaint_Channel17x40)->Unit(benchmark::kMillisecond);

}  // namespace
