// "Vastu Shastra Result" on a chart as full as the table allows: from the command to the
// report window's first paint of the report.

#include "analysis/report.h"
#include "scattered_rooms.h"
#include "ui/document.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/qt_dialogs.h"
#include "ui/report_pdf.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>

#include <benchmark/benchmark.h>

namespace {

// Notes the first paint of the report view.
class ReportPainted : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->parent() &&
            watched->parent()->objectName() == "txtRoomAnalysis")
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

void showReport(benchmark::State &state)
{
    tessel::QtDialogs dialogs;
    tessel::FrmMain window(dialogs);
    tessel::ChartTable table;
    tessel::bench::addScatteredRooms(table, 100);
    window.document().load(std::move(table), {}, {}, false);
    window.show();
    QApplication::processEvents();
    auto *analysis = window.findChild<QPushButton *>("cmdAnalysis");
    ReportPainted watcher;
    qApp->installEventFilter(&watcher);

    for (auto _ : state) {
        watcher.painted = false;
        analysis->click();
        while (!watcher.painted)
            QApplication::processEvents();

        state.PauseTiming();
        QPointer<tessel::FrmDisplay> display = window.findChild<tessel::FrmDisplay *>();
        display->close();
        while (display)
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    qApp->removeEventFilter(&watcher);
    state.counters["rooms"] = window.editor().txtRoom.elementCount();
}

BENCHMARK(showReport)->Unit(benchmark::kMillisecond)->Iterations(10);

// The PDF of a layout of `range(0)` rooms, chart, room table and report. Goal: under 1 s at 100.
void reportPdf(benchmark::State &state)
{
    tessel::ReportSubject subject{{}, "60", "30", 0};
    tessel::bench::addScatteredRooms(subject.table, 300, int(state.range(0)));
    const std::string report = tessel::RunAnalysis(subject.table, 0);
    qsizetype bytes = 0;
    for (auto _ : state)
        bytes = tessel::renderReportPdf(subject, report, QPageSize(QPageSize::A4)).size();
    state.counters["pdfBytes"] = double(bytes);
}

BENCHMARK(reportPdf)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
