// Painting the plot chart with as many elements as the table holds: the whole chart (a
// window uncovered) and the area of one room (what a moved room repaints); then a chart as full
// of doors, drawn as lines.

#include "analysis/rule_set.h"
#include "analysis/rule_table.h"
#include "chart_bench.h"
#include "model/chart.h"
#include "model/plot.h"
#include "ui/chart_painter.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// The full chart with every room turned into a door along its top or its left wall.
tessel::ChartTable fullChartOfDoors()
{
    tessel::ChartTable table = fullChart();
    for (int index = 1; index <= table.elementCount(); ++index) {
        tessel::ChartElement &element = table.at(index);
        element.text = "";
        (index % 2 ? element.width : element.height) = 0;
    }
    return table;
}

// Paints a full chart onto a 320-pixel image, exposing only `exposed` (pixels).
void paintChartArea(benchmark::State &state, const QRectF &exposed,
                    tessel::ChartTable (*makeChart)())
{
    const tessel::ChartTable table = makeChart();
    QImage image(320, 320, QImage::Format_RGB32);
    const double scale = 320.0 / tessel::kChartExtent;
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setClipRect(exposed);
        tessel::paintChart(painter, table, scale, exposed);
    }
    state.counters["elements"] = table.elementCount();
}

BENCHMARK_CAPTURE(paintChartArea, wholeChart, QRectF(0, 0, 320, 320), fullChart)
    ->Unit(benchmark::kMillisecond);
// What a moved room repaints: its old and new place.
BENCHMARK_CAPTURE(paintChartArea, oneRoomsArea, QRectF(100, 100, 12, 12), fullChart)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(paintChartArea, wholeChartOfDoors, QRectF(0, 0, 320, 320), fullChartOfDoors)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paintChartArea, oneDoorsArea, QRectF(100, 100, 12, 12), fullChartOfDoors)
    ->Unit(benchmark::kMicrosecond);

// The whole chart at 400 %, 1280 pixels a side, as it is and with the zones and every room's
// name shown.
void wholeChartAt400(benchmark::State &state, bool overlays)
{
    const tessel::ChartTable table = fullChart();
    const int side = 4 * 320;
    QImage image(side, side, QImage::Format_RGB32);
    const double scale = side / tessel::kChartExtent;
    tessel::ChartPaintOptions options;
    options.showZones = overlays;
    options.showNames = overlays;
    options.facing = 0;
    for (auto _ : state) {
        QPainter painter(&image);
        tessel::paintChart(painter, table, scale, QRectF(image.rect()), options);
    }
    state.counters["elements"] = table.elementCount();
}
BENCHMARK_CAPTURE(wholeChartAt400, plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wholeChartAt400, zonesAndNames, true)->Unit(benchmark::kMillisecond);

// The whole chart at 400 % over a 4000 x 4000 plan image at half opacity.
void wholeChartAt400OverAPlanImage(benchmark::State &state)
{
    const tessel::ChartTable table = fullChart();
    const int side = 4 * 320;
    QImage image(side, side, QImage::Format_RGB32);
    const QImage plan = planImageAt(side);
    const double scale = side / tessel::kChartExtent;
    tessel::ChartPaintOptions options;
    options.planImage = &plan;
    options.planOpacity = 0.5;
    for (auto _ : state) {
        QPainter painter(&image);
        tessel::paintChart(painter, table, scale, QRectF(image.rect()), options);
    }
    state.counters["elements"] = table.elementCount();
}
BENCHMARK(wholeChartAt400OverAPlanImage)->Unit(benchmark::kMillisecond);

// A house of twelve rooms of the known kinds, in a ring round the centre.
tessel::ChartTable houseOfTwelve()
{
    static const char *const kinds[] = {
        "Kitchen",    "Hall",        "Bath Room",  "Store Room",  "Puja Room",   "Master BedRoom",
        "Study Room", "Dining Room", "Guest Room", "Family Room", "Living Room", "Drawing Room"};
    tessel::ChartTable table;
    for (int i = 0; i < 12; ++i) {
        const int index = *table.createElement();
        tessel::ChartElement &room = table.at(index);
        room.text = kinds[i];
        room.left = float(200 + (i % 4) * 1150);
        room.top = float(200 + (i / 4) * 1500);
        room.width = 1000;
        room.height = 1300;
        room.borderStyle = 1;
    }
    return table;
}

// The sixteen-zone wheel over a 4000-pixel plan at 400 %, with the zone names, the verdict
// tints of every room and of the wedges for the selected kind: the whole chart, as a window
// uncovered or turned to another bearing; and the area a dragged room repaints at each step.
void wheelAt400OverAPlanImage(benchmark::State &state, bool wholeChart)
{
    const tessel::ChartTable table = houseOfTwelve();
    const int side = 4 * 320;
    QImage image(side, side, QImage::Format_RGB32);
    const QImage plan = planImageAt(side);
    const double scale = side / tessel::kChartExtent;
    const tessel::RuleTable rules;
    const tessel::RuleSet ruleSet = tessel::builtInRuleSet(rules);
    tessel::ChartPaintOptions options;
    options.planImage = &plan;
    options.planOpacity = 0.5;
    options.showZones = true;
    options.showNames = true;
    options.facing = 0;
    options.verdicts = &rules;
    options.zoneTintKind = rules.find("Kitchen");
    tessel::ZoneSettings wheel;
    wheel.method = tessel::ZoneMethod::Wheel16;
    wheel.bearing = *tessel::Bearing::fromDegrees(17.5);
    wheel.plot = {40, 60};
    options.wheel = wheel;
    options.ruleSet = &ruleSet;
    options.wheelTintKind = ruleSet.find("Kitchen");
    const QRectF exposed = wholeChart
                               ? QRectF(image.rect())
                               : QRectF(200 * scale, 200 * scale, 1100 * scale, 1400 * scale);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setClipRect(exposed);
        tessel::paintChart(painter, table, scale, exposed, options);
    }
}
BENCHMARK_CAPTURE(wheelAt400OverAPlanImage, wholeChart, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wheelAt400OverAPlanImage, dragStep, false)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return runPaintingBenchmarks(argc, argv);
}
