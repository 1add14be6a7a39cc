// Peak memory of the program with an empty chart and with as many elements as the table
// holds: each run spawns a fresh process that starts frmMain, fills its chart, paints the
// first frame and reports its peak resident memory.

#include "probe_output.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

// Peak resident KiB of the probe with `count` elements; negative when it failed.
long peakKiB(int count)
{
    return tessel::bench::numberPrintedBy(std::string(TESSEL_MEMORY_PROBE) + " " +
                                          std::to_string(count) + " 2>/dev/null");
}

void peakMemory(benchmark::State &state)
{
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    long kib = 0;
    for (auto _ : state) {
        kib = peakKiB(int(state.range(0)));
        if (kib < 0) {
            state.SkipWithError("the probe failed");
            return;
        }
    }
    state.counters["peak_MiB"] = double(kib) / 1024.0;
}

} // namespace

BENCHMARK(peakMemory)
    ->Name("PeakMemory/elements")
    ->Arg(0)
    ->Arg(32767)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
