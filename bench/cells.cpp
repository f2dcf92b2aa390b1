// The cell engine under a screen refresh: names of choice values asked for on every repaint
// (a hash lookup plus a search by halving once the list is cached) and the parsing of the
// cell lines a sheet rebuild goes through.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cells/cmcCellObj.h"
#include "cells/cmcFCache.h"
#include "overlay/cmcGTex.h"

namespace {

// A store of 200 lists of 256 choices each, two choices per line.
struct Lists {
    Lists()
    {
        text.push_back("#CellModel_Basic");
        text.push_back("<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)");
        for (int k = 0; k < kLists; ++k) {
            text.push_back("#L" + std::to_string(k) + "_Cells");
            for (int v = 0; v < kChoices; v += 2)
                text.push_back("{(%Flex0[" + std::to_string(v) + "])}Value " + std::to_string(v) +
                               "|{(%Flex0[" + std::to_string(v + 1) + "]:Alt)}x");
            text.push_back("#");
        }
        text.push_back("#End_Of_Ovl");
        for (const std::string& s : text)
            lines.push_back(s.c_str());
        lines.push_back(nullptr);
        store.UseLines(lines.data());
    }
    static constexpr int kLists = 200;
    static constexpr int kChoices = 256;
    std::vector<std::string> text;
    std::vector<const char*> lines;
    cmcGTex store;
};

Lists& Store()
{
    static Lists l;
    return l;
}

void BM_NameOfCachedList(benchmark::State& state)
{
    cmcFCache cache(&Store().store);
    std::vector<std::string> names;
    for (int k = 0; k < Lists::kLists; ++k) {
        names.push_back("L" + std::to_string(k));
        cache.NameOf(names.back(), Flex0, 0);
    }
    int i = 0;
    for (auto _ : state) {
        const std::string& n = cache.NameOf(names[i % Lists::kLists], Flex0, i % Lists::kChoices);
        benchmark::DoNotOptimize(n.data());
        ++i;
    }
}
BENCHMARK(BM_NameOfCachedList);

void BM_ParseSheetLine(benchmark::State& state)
{
    cmcGTex* saved = g_GTex;
    g_GTex = &Store().store;
    cmcCellObj basic;
    cmcCounters counters{};
    basic.ParseCell("{($Basic)(PopupMenu=GI_PMenu_Edit)}", nullptr, &counters);
    const std::string line =
        "|{(@ch0++)(%CT_Mch.CL_Mch_No[@ch0])S}\\(@ch0+1)|{(%CL_Mch_FreqR[@ch0])S>}|"
        "{(%CL_Mch_FreqT[@ch0])S>}|{(%CL_Mch_CTone_R[@ch0])S^(Color=clYellow)}|"
        "{(%CL_Mch_Text[@ch0])S(Font=,,,%120,,fsBold,)}";
    cmcCellObj cell;
    for (auto _ : state) {
        std::string rest = line;
        while (!rest.empty())
            rest = cell.ParseCell(rest, &basic, &counters);
        benchmark::DoNotOptimize(cell.id);
    }
    g_GTex = saved;
}
BENCHMARK(BM_ParseSheetLine);

}  // namespace
