// Layout documents of a full chart (32767 elements) as the window saves and opens them, file
// included, and the part of a recovery write that runs on the window's thread: the copy it
// takes before the writer's thread writes it.

#include "full_document.h"
#include "model/dialogs.h"
#include "ui/document.h"
#include "ui/document_commands.h"
#include "ui/recovery.h"

#include <QCoreApplication>
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
    RecoveryFile recovery(full.document, full.folder.filePath("recovery.tessel"));
    for (auto _ : state) {
        recovery.write();
        state.PauseTiming();
        recovery.writeNow();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RecoveryWriteOnTheWindowsThread)->Unit(benchmark::kMillisecond);

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
