// The chart's history on a full chart (32767 elements): recording, undoing and redoing the
// move of one room, and undoing and redoing the emptying of the whole chart after a save.

#include "chart_bench.h"
#include "model/history.h"
#include "model/placement.h"

namespace {

tessel::Editor fullEditor()
{
    tessel::Editor editor;
    editor.scales = {10, 5};
    editor.txtRoom = fullChart();
    return editor;
}

void recordMove(benchmark::State &state)
{
    tessel::Editor editor = fullEditor();
    double left = 0;
    for (auto _ : state) {
        tessel::StepRecorder recorder(editor, "Move Room", 100);
        tessel::selectElement(editor, 100);
        tessel::moveElement(editor.txtRoom, 100, left, 0);
        tessel::dropElement(editor, 100);
        benchmark::DoNotOptimize(recorder.finish());
        left = left > 4000 ? 0 : left + 15;
    }
}

void undoRedoMove(benchmark::State &state)
{
    tessel::Editor editor = fullEditor();
    tessel::StepRecorder recorder(editor, "Move Room", 100);
    tessel::selectElement(editor, 100);
    tessel::moveElement(editor.txtRoom, 100, 2000, 2000);
    const tessel::Step step = recorder.finish();
    for (auto _ : state) {
        step.undo(editor);
        step.redo(editor);
    }
}

void undoEmptying(benchmark::State &state)
{
    tessel::Editor editor = fullEditor();
    tessel::StepRecorder recorder(editor, "Save Layout");
    editor.txtRoom.clear();
    const tessel::Step step = recorder.finish();
    for (auto _ : state) {
        step.undo(editor);
        state.PauseTiming();
        step.redo(editor);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(recordMove)->Name("History/recordOneDragOfAFullChart")->Unit(benchmark::kMicrosecond);
BENCHMARK(undoRedoMove)->Name("History/undoAndRedoAMove")->Unit(benchmark::kMicrosecond);
BENCHMARK(undoEmptying)->Name("History/undoTheEmptyingOfAFullChart")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
