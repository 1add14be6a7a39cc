// The chart's history on a full chart (32767 elements): recording, undoing and redoing the
// move of one room, and undoing and redoing the emptying of the whole chart after a save;
// then the same through the window's undo stack, and one move by key with its check against
// every room.

#include "chart_bench.h"
#include "model/placement.h"
#include "model/steps.h"
#include "ui/undo_history.h"

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

void undoRedoMoveOnTheStack(benchmark::State &state)
{
    tessel::Editor editor = fullEditor();
    tessel::History history(editor);
    history.record("Move Room", 100,
                   [&editor] { tessel::moveElement(editor.txtRoom, 100, 2000, 2000); });
    for (auto _ : state) {
        history.undo();
        history.redo();
    }
}

void undoEmptyingOnTheStack(benchmark::State &state)
{
    tessel::Editor editor = fullEditor();
    tessel::History history(editor);
    history.record("Save Layout", 0, [&editor] { editor.txtRoom.clear(); });
    for (auto _ : state) {
        history.undo();
        state.PauseTiming();
        history.redo();
        state.ResumeTiming();
    }
}

// An arrow key on a room of a full chart: the check against every room, the move, the drop
// check and the step, merged into the run before it. The room goes right and back.
void keyMove(benchmark::State &state)
{
    tessel::Editor editor = fullEditor();
    tessel::History history(editor);
    tessel::selectElement(editor, 100);
    const tessel::ChartTable &table = editor.txtRoom;
    double step = 15;
    for (auto _ : state) {
        const double left = table.at(100).left + step;
        const double top = table.at(100).top;
        benchmark::DoNotOptimize(tessel::movesOntoRoom(table, 100, left, top));
        history.record(
            "Move Room", 100,
            [&] {
                tessel::moveElement(editor.txtRoom, 100, left, top);
                tessel::dropElement(editor, 100);
            },
            true);
        step = -step;
    }
}

} // namespace

BENCHMARK(undoRedoMoveOnTheStack)
    ->Name("History/undoAndRedoAMoveOnTheUndoStack")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(undoEmptyingOnTheStack)
    ->Name("History/undoTheEmptyingOfAFullChartOnTheUndoStack")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(keyMove)->Name("History/oneMoveByKeyOnAFullChart")->Unit(benchmark::kMicrosecond);
BENCHMARK(recordMove)->Name("History/recordOneDragOfAFullChart")->Unit(benchmark::kMicrosecond);
BENCHMARK(undoRedoMove)->Name("History/undoAndRedoAMove")->Unit(benchmark::kMicrosecond);
BENCHMARK(undoEmptying)->Name("History/undoTheEmptyingOfAFullChart")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
