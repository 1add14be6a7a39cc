// Placing a room on a chart as full as the table allows: the drop check, finding the element
// under the pointer, and one step of a drag (the move and the repaint of its old and new
// places).

#include "analysis/rule_table.h"
#include "analysis/status_line.h"
#include "chart_bench.h"
#include "model/editor.h"
#include "model/placement.h"
#include "model/plot.h"
#include "ui/chart_painter.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

#include <benchmark/benchmark.h>

namespace {

// The chart's size on a screen of 96 dots an inch.
constexpr int kChartPixels = 320;
constexpr double kScale = kChartPixels / tessel::kChartExtent;

// The last room lies beside the plot, clear of every other: its drop compares it with all.
void dropCheckOfAFreeRoom(benchmark::State &state)
{
    tessel::Editor editor;
    editor.txtRoom = fullChart();
    const int room = editor.txtRoom.elementCount();
    tessel::moveElement(editor.txtRoom, room, 5000, 5000);
    for (auto _ : state)
        benchmark::DoNotOptimize(tessel::dropElement(editor, room));
    if (editor.overlapDetected)
        state.SkipWithError("the room was to lie clear of the others");
    state.counters["elements"] = editor.txtRoom.elementCount();
}
BENCHMARK(dropCheckOfAFreeRoom)->Unit(benchmark::kMicrosecond);

// A point beside every element: the whole stacking order is walked.
void hitTestMissingEverything(benchmark::State &state)
{
    const tessel::ChartTable table = fullChart();
    for (auto _ : state)
        benchmark::DoNotOptimize(tessel::elementAt(table, 4850, 4850, 45));
    state.counters["elements"] = table.elementCount();
}
BENCHMARK(hitTestMissingEverything)->Unit(benchmark::kMicrosecond);

// The front room moves by a pixel or so; its old and new places are repainted.
void moveTheFrontRoom(benchmark::State &state, const tessel::ChartPaintOptions &options)
{
    tessel::ChartTable table = fullChart();
    const int room = table.stackingOrder().back();
    QImage image(kChartPixels, kChartPixels, QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        const QRect before = tessel::elementRepaintRect(table.at(room), kScale);
        const double offset = (step++ % 2 == 0) ? 20 : -20;
        tessel::moveElement(table, room, table.at(room).left + offset, table.at(room).top + offset);
        const QRegion changed =
            QRegion(before) | tessel::elementRepaintRect(table.at(room), kScale);
        QPainter painter(&image);
        painter.setClipRegion(changed);
        tessel::paintChart(painter, table, kScale, changed.boundingRect(), options);
    }
    state.counters["elements"] = table.elementCount();
}

void dragStep(benchmark::State &state)
{
    moveTheFrontRoom(state, {});
}
BENCHMARK(dragStep)->Unit(benchmark::kMicrosecond);

// The same step over a 4000 x 4000 plan image shown at half opacity.
void dragStepOverAPlanImage(benchmark::State &state)
{
    const QImage plan = planImageAt(kChartPixels);
    tessel::ChartPaintOptions options;
    options.planImage = &plan;
    options.planOpacity = 0.5;
    moveTheFrontRoom(state, options);
}
BENCHMARK(dragStepOverAPlanImage)->Unit(benchmark::kMicrosecond);

// A drag step of a kitchen back and forth over the bound between the left and the middle
// column, with its status line made afresh and the chart repainted in its old and new places.
void dragStepOverTheColumnBound(benchmark::State &state, const tessel::RuleTable &rules,
                                tessel::ChartPaintOptions options, bool verdicts)
{
    tessel::Editor editor;
    editor.txtRoom = fullChart();
    editor.scales = {10, 5};
    tessel::ChartTable &table = editor.txtRoom;
    const int room = table.stackingOrder().back();
    table.at(room).text = "Kitchen";
    table.at(room).highlighted = verdicts;
    QImage image(kChartPixels, kChartPixels, QImage::Format_RGB32);
    options.facing = 0;
    int step = 0;
    std::size_t statusLength = 0;
    for (auto _ : state) {
        const QRect before = tessel::elementRepaintRect(table.at(room), kScale);
        const double offset = (step++ % 2 == 0) ? 20 : -20;
        tessel::moveElement(table, room, 1590 + offset, table.at(room).top);
        statusLength += tessel::statusText(editor, room, 0, rules, verdicts).size();
        const QRegion changed =
            QRegion(before) | tessel::elementRepaintRect(table.at(room), kScale);
        QPainter painter(&image);
        painter.setClipRegion(changed);
        tessel::paintChart(painter, table, kScale, changed.boundingRect(), options);
    }
    benchmark::DoNotOptimize(statusLength);
    state.counters["elements"] = table.elementCount();
}

// With the status line, the zone overlay and the room names shown.
void dragStepWithStatusZonesAndNames(benchmark::State &state)
{
    const tessel::RuleTable rules;
    tessel::ChartPaintOptions options;
    options.showZones = true;
    options.showNames = true;
    dragStepOverTheColumnBound(state, rules, options, false);
}
BENCHMARK(dragStepWithStatusZonesAndNames)->Unit(benchmark::kMicrosecond);

// With the verdicts shown: the held room's fill follows its verdict, the zones are tinted for
// its kind and the status line names the verdict. Goal: under 1 ms.
void dragStepWithVerdicts(benchmark::State &state)
{
    const tessel::RuleTable rules;
    tessel::ChartPaintOptions options;
    options.verdicts = &rules;
    options.zoneTintKind = rules.find("Kitchen");
    dragStepOverTheColumnBound(state, rules, options, true);
}
BENCHMARK(dragStepWithVerdicts)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return runPaintingBenchmarks(argc, argv);
}
