// Peak memory of the program with an empty chart and with as many elements as the table
// holds: each run spawns a fresh process that starts frmMain, fills its chart, paints the
// first frame and reports its peak resident memory.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Peak resident KiB of the probe with `count` elements; negative when it failed.
long peakKiB(int count)
{
    const std::string command =
        std::string(TESSEL_MEMORY_PROBE) + " " + std::to_string(count) + " 2>/dev/null";
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    long kib = -1;
    if (std::fscanf(pipe, "%ld", &kib) != 1)
        kib = -1;
    return pclose(pipe) == 0 ? kib : -1;
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
