// Clone read and write against the simulated radio on a pseudo-terminal, the radio pacing
// every byte at the line's rate. Reported as ratios to the time the bytes need on the line
// (10 bits per byte): "transfer" from the request to the end, "whole" including the mode
// script, the port openings and the echo probe.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "SimProcess.h"
#include "link/indCloneMan.h"
#include "platform/IClock.h"
#include "platform/LoopTimerHost.h"
#include "platform/Services.h"

namespace {

constexpr int32_t kImage = 0x1D00;

double Now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

struct Finished {
    bool done = false;
    int result = -1;
    static void Call(void* context, dst_CDrv_Result* r)
    {
        auto* f = static_cast<Finished*>(context);
        f->done = true;
        f->result = r->result;
    }
};

void Accept(void*, dst_CDrv_Result*) {}

void Transfer(benchmark::State& state)
{
    const bool write = state.range(0) != 0;
    const bool high = state.range(1) != 0;
    const int baud = high ? 38400 : 9600;

    plat::SteadyClock clock;
    plat::LoopTimerHost loop;
    plat::Get().clock = &clock;
    plat::Get().timers = &loop;

    double transferRatio = 0, wholeRatio = 0;
    for (auto _ : state) {
        SimProcess radio({}, true, "/tmp/bench-radiosim-" + std::to_string(getpid()) + ".clone");
        if (!radio.ok()) {
            state.SkipWithError("no pseudo-terminal");
            return;
        }

        indCloneMan man;
        man.SetCodes(0, 0);
        man.SetImageSize(kImage);
        man.SetChecks(&Accept, nullptr, &Accept, nullptr);
        man.SetPort(0, radio.path());
        man.SetHighSpeed(high);
        cmcEeprom image;
        image.SetSize(kImage);
        for (int32_t a = 0; a < kImage; ++a)
            image.SetByte(a, static_cast<uint8_t>(a * 5));
        const int32_t readRanges[] = {0x0000, 0x077F, 1, 0};
        const int32_t writeRanges[] = {0x0100, 0x077F, 1, 0};

        Finished f;
        const double start = Now();
        const bool started = write ? man.Write(image, writeRanges, &Finished::Call, &f)
                                   : man.Read(readRanges, &Finished::Call, &f);
        double requestAt = 0;
        int32_t bytesBefore = 0, bytesAll = 0;
        const int request = write ? cmcCloneDrv::StWriteRequest : cmcCloneDrv::StReadRequest;
        loop.RunUntil(
            [&] {
                const int s = man.Driver().State();
                if (requestAt == 0 && s == request) {
                    requestAt = Now();
                    bytesBefore = man.Driver().RawBytes();
                }
                if (man.Driver().IsBusy())
                    bytesAll = man.Driver().RawBytes();
                return f.done;
            },
            120000);
        const double end = Now();
        radio.Stop();
        if (!started || f.result != 0) {
            state.SkipWithError("the transfer failed");
            return;
        }
        const double lineTransfer = (bytesAll - bytesBefore) * 10.0 / baud;
        const double lineWhole = bytesAll * 10.0 / baud;
        transferRatio = (end - requestAt) / lineTransfer;
        wholeRatio = (end - start) / lineWhole;
        state.SetIterationTime(end - requestAt);
    }
    state.counters["transfer_ratio"] = transferRatio;
    state.counters["whole_ratio"] = wholeRatio;
    state.counters["baud"] = baud;
    plat::Get().clock = nullptr;
    plat::Get().timers = nullptr;
}

}  // namespace

BENCHMARK(Transfer)
    ->ArgNames({"write", "high"})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({0, 0})
    ->Args({1, 0})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
