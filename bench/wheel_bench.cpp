// The zone wheel on a chart as full as the table allows: every room's shares, main zone and
// verdict (goal: under 20 ms), the JSON for scripts, and what one drag step asks of the core.

#include "analysis/rule_set.h"
#include "analysis/rule_table.h"
#include "analysis/zone_analysis.h"
#include "analysis/zone_texts.h"
#include "scattered_rooms.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tessel;

// A plot longer than wide, turned off every axis, so that no boundary lines up with the chart.
ZoneSettings settingsFor(ZoneMethod method)
{
    return {method, 0, Bearing::fromTenths(175), {45, 80}};
}

ChartTable fullChart(float side)
{
    ChartTable table;
    bench::addScatteredRooms(table, side);
    return table;
}

// range(0): the method; range(1): the rooms' side in twips. Rooms of 100 twips mostly lie in
// one zone; rooms of 1200 straddle two or three and every one is clipped.
void analyseFullChart(benchmark::State &state)
{
    const auto method = static_cast<ZoneMethod>(state.range(0));
    const ChartTable table = fullChart(float(state.range(1)));
    const RuleTable rules;
    const RuleSet ruleSet = builtInRuleSet(rules);
    std::size_t judged = 0;
    for (auto _ : state) {
        const ZoneAnalysis analysis = analyseZones(table, settingsFor(method), ruleSet, rules);
        judged = analysis.rooms.size();
        benchmark::DoNotOptimize(analysis.rooms.data());
    }
    state.counters["rooms"] = double(judged);
    state.SetLabel(std::string(zoneMethodName(method)));
}

BENCHMARK(analyseFullChart)
    ->ArgsProduct({{int(ZoneMethod::ByCorner), int(ZoneMethod::Wheel8), int(ZoneMethod::Wheel16)},
                   {100, 1200}})
    ->Unit(benchmark::kMillisecond);

// The JSON of a full chart, from the analysis already made, and from the table.
void writeJson(benchmark::State &state)
{
    const ChartTable table = fullChart(300);
    const RuleTable rules;
    const RuleSet ruleSet = builtInRuleSet(rules);
    const ZoneAnalysis analysis =
        analyseZones(table, settingsFor(ZoneMethod::Wheel16), ruleSet, rules);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string json = zoneAnalysisJson(table, analysis);
        bytes = json.size();
        benchmark::DoNotOptimize(json.data());
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(writeJson)->Unit(benchmark::kMillisecond);

void analyseAndWriteJson(benchmark::State &state)
{
    const ChartTable table = fullChart(300);
    const RuleTable rules;
    for (auto _ : state) {
        // The command line's path: the rule set is derived afresh each run.
        const RuleSet ruleSet = builtInRuleSet(rules);
        const std::string json = zoneAnalysisJson(
            table, analyseZones(table, settingsFor(ZoneMethod::Wheel16), ruleSet, rules));
        benchmark::DoNotOptimize(json.data());
    }
}
BENCHMARK(analyseAndWriteJson)->Unit(benchmark::kMillisecond);

// One step of a drag with the wheel shown: the dragged room's status line (its shares and
// verdict) and the wheel the views draw.
void dragStep(benchmark::State &state)
{
    const ChartTable table = fullChart(300);
    const RuleTable rules;
    const RuleSet ruleSet = builtInRuleSet(rules);
    ChartElement dragged = table.at(1234);
    dragged.width = 1400;
    dragged.height = 900;
    float x = 0;
    for (auto _ : state) {
        dragged.left = 1600 + x;
        dragged.top = 1500 + x / 2;
        x = x > 2000 ? 0 : x + 7;
        const std::string status =
            zoneStatusText(dragged, 1234, settingsFor(ZoneMethod::Wheel16), ruleSet, rules);
        benchmark::DoNotOptimize(status.data());
    }
}
BENCHMARK(dragStep)->Unit(benchmark::kMicrosecond);

void drawWheelOnce(benchmark::State &state)
{
    const Wheel wheel = settingsFor(ZoneMethod::Wheel16).wheel();
    for (auto _ : state) {
        const WheelDrawing drawing = drawWheel(wheel);
        benchmark::DoNotOptimize(drawing.regions.data());
    }
}
BENCHMARK(drawWheelOnce)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
