// The opening commands on a chart one short of full: the entrance buttons are set from the
// table after every command, and placing an opening scans it for the Highlighted element and
// for an entrance already there. The selected room is the last element, so every scan runs to
// the end.

#include "model/editor.h"
#include "model/openings.h"

#include <benchmark/benchmark.h>

namespace {

tessel::Editor nearlyFullChart()
{
    tessel::Editor editor;
    editor.scales = tessel::measureScales("60", "30");
    for (int i = 1; i < tessel::ChartTable::kMaxIndex; ++i) {
        tessel::ChartElement &room = editor.txtRoom.at(*editor.txtRoom.createElement());
        room.text = "Room";
        room.width = 800;
        room.height = 800;
        room.visible = true;
    }
    const int last = editor.txtRoom.elementCount();
    editor.txtRoom.at(last).highlighted = true;
    editor.roomSelected = true;
    editor.selectedRoomLength = 10;
    editor.selectedRoomWidth = 5;
    return editor;
}

void entranceButtons(benchmark::State &state)
{
    const tessel::Editor editor = nearlyFullChart();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            tessel::entranceButton(editor.txtRoom, tessel::OpeningKind::MainEntrance));
        benchmark::DoNotOptimize(
            tessel::entranceButton(editor.txtRoom, tessel::OpeningKind::BackEntrance));
    }
}
BENCHMARK(entranceButtons)->Unit(benchmark::kMicrosecond);

// Places the main entrance, then deletes it with its button; the table is restored between
// rounds, untimed.
void placeAndDeleteEntrance(benchmark::State &state)
{
    const tessel::Editor start = nearlyFullChart();
    tessel::Editor editor = start;
    for (auto _ : state) {
        state.PauseTiming();
        editor.txtRoom = start.txtRoom;
        state.ResumeTiming();
        benchmark::DoNotOptimize(tessel::confirmSize(editor, tessel::OpeningKind::MainEntrance,
                                                     tessel::OpeningOrientation::Horizontal, "4"));
        benchmark::DoNotOptimize(
            tessel::pressEntranceButton(editor, tessel::OpeningKind::MainEntrance));
    }
}
BENCHMARK(placeAndDeleteEntrance)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
