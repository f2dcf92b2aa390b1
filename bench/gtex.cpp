// The overlay store under the load of a sheet rebuild: many keys, entries read line by
// line, the same lines asked for again and again.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "overlay/cmcGTex.h"

namespace {

struct BigOverlay {
    BigOverlay()
    {
        char tmpl[] = "/tmp/qv_bench_ovl_XXXXXX";
        int fd = mkstemp(tmpl);
        close(fd);
        path = tmpl;
        std::ofstream out(path, std::ios::binary);
        for (int k = 0; k < kKeys; ++k) {
            out << "#GI_Sheet_Key" << k << "\r\n";
            for (int l = 0; l < kLines; ++l)
                out << "|{($Basic)(%CT_Mch.CL_Mch_FreqR[" << l << "])}line " << l << "|\r\n";
        }
        out << "#End_Of_Ovl\r\n";
    }
    ~BigOverlay() { std::remove(path.c_str()); }
    static constexpr int kKeys = 2000;
    static constexpr int kLines = 20;
    std::string path;
};

const BigOverlay& Overlay()
{
    static BigOverlay o;
    return o;
}

// Every entry of a file read once, line by line, as a first sheet build does.
void BM_FirstReadOfEveryEntry(benchmark::State& state)
{
    for (auto _ : state) {
        cmcGTex g;
        g.Open(Overlay().path);
        for (int k = 0; k < BigOverlay::kKeys; ++k)
            benchmark::DoNotOptimize(g.GetLines("GI_Sheet_Key" + std::to_string(k)));
    }
    state.SetItemsProcessed(state.iterations() * BigOverlay::kKeys);
}
BENCHMARK(BM_FirstReadOfEveryEntry)->Unit(benchmark::kMillisecond);

// One sheet's entries read again and again (rebuilds of the same sheet).
void BM_RepeatedSheetRebuild(benchmark::State& state)
{
    cmcGTex g;
    g.Open(Overlay().path);
    g.GetLines("GI_Sheet_Key" + std::to_string(BigOverlay::kKeys - 1));
    for (auto _ : state) {
        for (int k = 1000; k < 1003; ++k)
            for (int l = 0; l < BigOverlay::kLines; ++l)
                benchmark::DoNotOptimize(g.GetLine("GI_Sheet_Key" + std::to_string(k), l));
    }
    state.SetItemsProcessed(state.iterations() * 3 * BigOverlay::kLines);
}
BENCHMARK(BM_RepeatedSheetRebuild);

}  // namespace
