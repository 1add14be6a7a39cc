// The analysis of a chart as full as the table allows, and of smaller ones to show that the
// time grows linearly with the number of elements.

#include "analysis/report.h"
#include "analysis/rule_table.h"
#include "analysis/verdict.h"
#include "model/chart.h"
#include "model/rooms.h"

#include <benchmark/benchmark.h>

namespace {

// `count` rooms of every known kind, spread over the plot and a little beyond its right and
// bottom edges.
tessel::ChartTable chartOfRooms(int count)
{
    tessel::ChartTable table;
    for (int i = 0; i < count; ++i) {
        tessel::ChartElement &element = table.at(*table.createElement());
        element.text = tessel::kRoomCatalogue[i % tessel::kRoomCatalogue.size()];
        element.left = float((i * 37) % 4900);
        element.top = float((i * 53) % 4900);
        element.width = 100;
        element.height = 100;
    }
    return table;
}

// Goal: under 20 ms for a full chart, whose report is 8 MB.
void runAnalysis(benchmark::State &state)
{
    const tessel::ChartTable table = chartOfRooms(int(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string report = tessel::RunAnalysis(table, 0);
        size = report.size();
        benchmark::DoNotOptimize(report.data());
    }
    state.SetComplexityN(state.range(0));
    state.counters["reportBytes"] = double(size);
}

BENCHMARK(runAnalysis)
    ->Arg(1024)
    ->Arg(4096)
    ->Arg(16384)
    ->Arg(tessel::ChartTable::kMaxIndex)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Every room's verdict and their counts, as the status bar and the tints read them. Goal: under
// 5 ms for a full chart.
void judgeAllRooms(benchmark::State &state)
{
    const tessel::ChartTable table = chartOfRooms(int(state.range(0)));
    const tessel::RuleTable rules;
    for (auto _ : state) {
        const auto verdicts = tessel::judgeRooms(table, 0, rules);
        benchmark::DoNotOptimize(tessel::countVerdicts(verdicts));
    }
    state.SetComplexityN(state.range(0));
}

BENCHMARK(judgeAllRooms)
    ->Arg(4096)
    ->Arg(tessel::ChartTable::kMaxIndex)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
