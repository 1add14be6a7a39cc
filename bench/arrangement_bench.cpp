// The arrangement adviser on a house of the catalogue's rooms (goal: best, proved, under 1 s)
// and on many rooms (goal: the best it finds within a time limit of 5 s).

#include "arrangement_cases.h"
#include "chart_bench.h"
#include "ui/arrangement_preview.h"
#include "ui/chart_painter.h"

#include <QFont>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

void report(benchmark::State &state, const tessel::Arrangement &arrangement)
{
    state.counters["optimal"] = arrangement.optimal ? 1 : 0;
    state.counters["best"] = arrangement.after.best;
    state.counters["acceptable"] = arrangement.after.acceptable;
    state.counters["moveAdvised"] = arrangement.after.moveAdvised;
    state.counters["bestBefore"] = arrangement.before.best;
    state.counters["moves"] = double(arrangement.moves.size());
    state.counters["feet"] = arrangement.movement;
}

void run(benchmark::State &state, const tessel::ArrangementRequest &request)
{
    tessel::Arrangement arrangement;
    for (auto _ : state) {
        arrangement = tessel::arrange(request);
        benchmark::DoNotOptimize(arrangement.moves.data());
    }
    report(state, arrangement);
}

void catalogueHouse(benchmark::State &state)
{
    const tessel::RuleTable rules;
    run(state, tessel::bench::catalogueRequest(rules, state.range(0) != 0));
}
// The solver runs on a thread of its own: wall-clock time is what the user waits.
BENCHMARK(catalogueHouse)
    ->ArgName("snap")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Smaller rooms, more of them, up to the most the adviser proves best.
void roomsProved(benchmark::State &state)
{
    const tessel::RuleTable rules;
    run(state, tessel::bench::manyRoomsRequest(rules, int(state.range(0)),
                                               tessel::bench::plotScales(40, 50)));
}
BENCHMARK(roomsProved)
    ->Arg(8)
    ->Arg(11)
    ->Arg(13)
    ->Arg(15)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void manyRooms(benchmark::State &state)
{
    const tessel::RuleTable rules;
    tessel::ArrangementRequest request = tessel::bench::manyRoomsRequest(rules, 40);
    request.timeLimit = std::chrono::seconds(5);
    run(state, request);
}
BENCHMARK(manyRooms)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The preview of the 40 rooms' proposal over the whole chart at 400 % (goal: within a frame,
// 16 ms): the chart, then every outline, name and arrow.
void previewAt400(benchmark::State &state)
{
    const tessel::RuleTable rules;
    tessel::ArrangementRequest request = tessel::bench::manyRoomsRequest(rules, 40);
    request.timeLimit = std::chrono::seconds(1);
    const tessel::Arrangement arrangement = tessel::arrange(request);
    const int side = 4 * 320;
    QImage image(side, side, QImage::Format_RGB32);
    const double scale = double(side) / tessel::kChartExtent;
    const QRectF exposed(0, 0, side, side);
    const QFont font;
    for (auto _ : state) {
        QPainter painter(&image);
        tessel::paintChart(painter, request.table, scale, exposed);
        tessel::paintArrangementPreview(painter, request.table, arrangement, scale, exposed, font);
    }
    state.counters["moves"] = double(arrangement.moves.size());
}
BENCHMARK(previewAt400)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runPaintingBenchmarks(argc, argv);
}
