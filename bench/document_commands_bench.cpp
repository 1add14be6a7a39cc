// Layout documents of a full chart (32767 elements) as the window saves and opens them, file
// included, the part of a recovery write that runs on the window's thread (the copy it takes
// before the writer's thread writes it), and whole recovery writes of a layout with a plan
// image of the largest size a layout keeps.

#include "full_document.h"
#include "model/dialogs.h"
#include "ui/document.h"
#include "ui/document_commands.h"
#include "ui/recovery.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace tessel;

// Asks nothing; the benchmarks never lose work.
class SilentDialogs : public Dialogs
{
public:
    void showMessage(const std::string &, Icon) override { failed = true; }
    bool askYesNo(const std::string &, Icon) override { return false; }
    std::optional<std::string> askText(const std::string &) override { return std::nullopt; }
    std::optional<std::string> askSaveFileName(const std::string &, const std::string &,
                                               const std::string &) override
    {
        return std::nullopt;
    }
    bool askPrinter(PrintJob &) override { return false; }
    bool failed = false;
};

struct FullDocument
{
    FullDocument()
    {
        LayoutDocument full = bench::fullDocument();
        document.load(std::move(full.table),
                      PlotState{full.plotLength, full.plotWidth, full.facing, full.facing},
                      folder.filePath("full.tessel"), false);
    }
    QTemporaryDir folder;
    Document document;
    SilentDialogs dialogs;
    DocumentCommands commands{document, dialogs};
};

void BM_SaveLayoutDocument(benchmark::State &state)
{
    FullDocument full;
    for (auto _ : state)
        benchmark::DoNotOptimize(full.commands.saveLayout());
    if (full.dialogs.failed)
        state.SkipWithError("the document was not saved");
}
BENCHMARK(BM_SaveLayoutDocument)->Unit(benchmark::kMillisecond);

void BM_OpenLayoutDocument(benchmark::State &state)
{
    FullDocument full;
    full.commands.saveLayout();
    const QString path = full.document.filePath();
    for (auto _ : state)
        benchmark::DoNotOptimize(full.commands.openLayoutFile(path));
    if (full.dialogs.failed ||
        full.document.editor().txtRoom.elementCount() != ChartTable::kMaxIndex)
        state.SkipWithError("the document was not opened whole");
}
BENCHMARK(BM_OpenLayoutDocument)->Unit(benchmark::kMillisecond);

// What a recovery write holds up the window for; the writing itself runs on its own thread.
void BM_RecoveryWriteOnTheWindowsThread(benchmark::State &state)
{
    FullDocument full;
    RecoveryFile recovery(full.document, full.dialogs, full.folder.filePath("recovery"));
    for (auto _ : state) {
        recovery.write();
        state.PauseTiming();
        recovery.writeNow();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RecoveryWriteOnTheWindowsThread)->Unit(benchmark::kMillisecond);

// A few rooms over a plan image of kMaxPlanImageBytes; bytes the recovery keeps as they are.
struct ImageLayout
{
    ImageLayout()
    {
        ChartTable table;
        for (int i = 0; i < 12; ++i)
            appendElement(table, {"Kitchen", i * 400.0f, 0, 380, 380, 0});
        // The base64 text of a 20 MB image, as a document keeps it.
        std::string base64(kMaxPlanImageBytes / 3 * 4, 'A');
        for (std::size_t i = 0; i < base64.size(); ++i)
            base64[i] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"
                [(i * 2654435761u >> 13) % 64];
        document.load(std::move(table), PlotState{"60", "30"}, {}, true,
                      {std::make_shared<const std::string>(std::move(base64))});
    }
    QTemporaryDir folder;
    Document document;
    SilentDialogs dialogs;
};

// The copy written a second after each change: one room moved, the image as it was. Timed on
// the clock, as the writing runs on the writer's thread.
void BM_RecoveryWriteAfterOneRoomChange(benchmark::State &state)
{
    ImageLayout layout;
    RecoveryFile recovery(layout.document, layout.dialogs, layout.folder.filePath("recovery"));
    recovery.writeNow();
    for (auto _ : state) {
        const ChartElement &room = layout.document.table().at(1);
        layout.document.nudgeElement(1, room.left + 1, room.top);
        recovery.writeNow();
    }
    QCoreApplication::processEvents();
    if (layout.dialogs.failed)
        state.SkipWithError("the copy was not written");
    state.counters["copy bytes"] = static_cast<double>(QFileInfo(recovery.path()).size());
}
BENCHMARK(BM_RecoveryWriteAfterOneRoomChange)->Unit(benchmark::kMillisecond)->UseRealTime();

// The copy written after the plan image changed: a copy of the same bytes, loaded again.
void BM_RecoveryWriteAfterNewPlanImage(benchmark::State &state)
{
    ImageLayout layout;
    RecoveryFile recovery(layout.document, layout.dialogs, layout.folder.filePath("recovery"));
    recovery.writeNow();
    for (auto _ : state) {
        state.PauseTiming();
        PlanImage plan = layout.document.editor().plan;
        plan.base64 = std::make_shared<const std::string>(*plan.base64);
        layout.document.setPlanImage(plan);
        state.ResumeTiming();
        recovery.writeNow();
    }
    QCoreApplication::processEvents();
    if (layout.dialogs.failed)
        state.SkipWithError("the copy was not written");
}
BENCHMARK(BM_RecoveryWriteAfterNewPlanImage)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
