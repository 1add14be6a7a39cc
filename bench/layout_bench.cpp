// The layout file with as many elements as the table holds (32767): writing and reading its
// bytes, the whole save and open with the file in memory, and the save's overlap check.

#include "model/editor.h"
#include "storage/layout_commands.h"
#include "storage/layout_file.h"
#include "storage/plan_checks.h"

#include <benchmark/benchmark.h>

#include <map>

namespace {

using namespace tessel;

// Answers every question Yes.
class YesDialogs : public Dialogs
{
public:
    void showMessage(const std::string &, Icon) override {}
    bool askYesNo(const std::string &, Icon) override { return true; }
    std::optional<std::string> askText(const std::string &) override { return std::nullopt; }
    std::optional<std::string> askSaveFileName(const std::string &, const std::string &,
                                               const std::string &) override
    {
        return std::nullopt;
    }
    bool askPrinter(PrintJob &) override { return false; }
};

class MemoryFiles : public FileAccess
{
public:
    std::map<std::string, std::string> files;

    bool exists(const std::string &path) override { return files.count(path) != 0; }
    Content readAll(const std::string &path, std::size_t) override
    {
        return {true, files.at(path), {}};
    }
    std::optional<std::string> writeAtomically(const std::string &path,
                                               std::string_view bytes) override
    {
        files[path] = std::string(bytes);
        return std::nullopt;
    }
};

void add(Editor &editor, const char *text, float left, float top, float width, float height)
{
    appendElement(editor.txtRoom, {text, left, top, width, height, 1});
}

// A plan that passes every check of a save with the table full: rooms a third of a twip
// apart in a grid of 182 columns (fractional positions, as scaled rooms have), a door and
// both entrances on the first room.
Editor fullPlan()
{
    Editor editor;
    editor.scales = {10, 5};
    const float side = 4800.0f / 182;
    add(editor, "", 0, 0, side / 2, 0);
    add(editor, "Main Entrance", 0, 0, 0, side / 2);
    add(editor, "Back Entrance", 0, side / 4, 0, side / 2);
    for (int i = 0; !editor.txtRoom.isFull(); ++i)
        add(editor, i % 2 ? "Master BedRoom" : "Kitchen", (i % 182) * side, (i / 182) * side,
            side - 1.0f / 3, side - 1.0f / 3);
    return editor;
}

void BM_WriteLayout(benchmark::State &state)
{
    const Editor editor = fullPlan();
    for (auto _ : state)
        benchmark::DoNotOptimize(writeLayout(editor.txtRoom));
}
BENCHMARK(BM_WriteLayout)->Unit(benchmark::kMillisecond);

void BM_ReadLayout(benchmark::State &state)
{
    const std::string bytes = writeLayout(fullPlan().txtRoom);
    state.SetBytesProcessed(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(readLayout(bytes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadLayout)->Unit(benchmark::kMillisecond);

// Every check, the question, the write and the emptying of the chart.
void BM_SaveLayout(benchmark::State &state)
{
    const Editor full = fullPlan();
    YesDialogs dialogs;
    MemoryFiles files;
    for (auto _ : state) {
        state.PauseTiming();
        Editor editor = full;
        state.ResumeTiming();
        SaveLayout(editor, dialogs, files, "/opt/tessel");
        if (editor.txtRoom.elementCount() != 0)
            state.SkipWithError("the save was refused");
    }
}
BENCHMARK(BM_SaveLayout)->Unit(benchmark::kMillisecond);

// Reading the file and appending every element to an empty chart.
void BM_OpenLayout(benchmark::State &state)
{
    YesDialogs dialogs;
    MemoryFiles files;
    files.files[layoutFilePath("/opt/tessel")] = writeLayout(fullPlan().txtRoom);
    for (auto _ : state) {
        Editor editor;
        editor.scales = {10, 5};
        OpenLayout(editor, dialogs, files, "/opt/tessel");
        if (editor.txtRoom.elementCount() != ChartTable::kMaxIndex)
            state.SkipWithError("the open did not load everything");
        state.PauseTiming();
        editor = Editor();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenLayout)->Unit(benchmark::kMillisecond);

// The whole sweep: no two of the 32764 rooms overlap.
void BM_SaveOverlapCheck(benchmark::State &state)
{
    const Editor editor = fullPlan();
    for (auto _ : state)
        benchmark::DoNotOptimize(findOverlappingRooms(editor.txtRoom));
}
BENCHMARK(BM_SaveOverlapCheck)->Unit(benchmark::kMillisecond);

// Every room crossed by the sweep line at once: 32767 thin rooms stacked in one column.
void BM_SaveOverlapCheckOneColumn(benchmark::State &state)
{
    Editor editor;
    const float height = 4800.0f / ChartTable::kMaxIndex;
    for (int i = 0; !editor.txtRoom.isFull(); ++i)
        add(editor, "Store Room", 0, i * height, 800, height * 0.75f);
    for (auto _ : state)
        if (findOverlappingRooms(editor.txtRoom))
            state.SkipWithError("rooms overlap");
}
BENCHMARK(BM_SaveOverlapCheckOneColumn)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
