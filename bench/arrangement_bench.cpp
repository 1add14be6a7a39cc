// The arrangement adviser on a house of the catalogue's rooms (goal: best, proved, under 1 s)
// and on many rooms (goal: the best it finds within a time limit of 5 s).

#include "arrangement_cases.h"

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

} // namespace

BENCHMARK_MAIN();
