// A press, a drag step and a drop on a full chart in the main window, as the user makes them:
// the events go to the chart, the document makes the change, and every view that follows it
// (the chart's repaint, the status line, the title, the entrance buttons) is brought up to
// date before the step counts as done.

#include "chart_bench.h"
#include "model/dialogs.h"
#include "ui/chart_widget.h"
#include "ui/document.h"
#include "ui/frm_main.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStandardPaths>

namespace {

// The tiles touch: a drop may find an overlap, which is told and not answered here.
struct QuietDialogs : tessel::Dialogs
{
    void showMessage(const std::string &, tessel::Icon) override {}
    bool askYesNo(const std::string &, tessel::Icon) override { return false; }
    std::optional<std::string> askText(const std::string &) override { return std::nullopt; }
    std::optional<std::string> askSaveFileName(const std::string &, const std::string &,
                                               const std::string &) override
    {
        return std::nullopt;
    }
    bool askPrinter(tessel::PrintJob &) override { return false; }
};

struct FullWindow
{
    FullWindow()
    {
        QStandardPaths::setTestModeEnabled(true);
        window.document().load(fullChart(), {"60", "30"}, {}, false);
        window.show();
        QApplication::processEvents();
        chart = window.findChild<tessel::ChartWidget *>("picRoomLocation");
        room = window.document().table().stackingOrder().back();
    }
    // The pointer over the front room, pixels of the chart.
    QPointF onRoom(double dx = 0) const
    {
        const tessel::ChartElement &element = window.document().table().at(room);
        return QPointF(element.left + element.width / 2 + dx, element.top + element.height / 2) *
               chart->scale();
    }
    void send(QEvent::Type type, const QPointF &at, Qt::MouseButtons held)
    {
        QMouseEvent event(type, at, chart->mapToGlobal(at), Qt::LeftButton, held, {});
        QApplication::sendEvent(chart, &event);
    }

    QuietDialogs dialogs;
    tessel::FrmMain window{dialogs};
    tessel::ChartWidget *chart = nullptr;
    int room = 0;
};

// A drag of the front room by a few pixels, from the press to the end of the repaint after
// the drop: the drop check, the step kept in the history and every view brought up to date.
void pressAndDrop(benchmark::State &state)
{
    FullWindow full;
    int step = 0;
    for (auto _ : state) {
        const double dx = (step++ % 2 == 0) ? 3 : -3;
        full.send(QEvent::MouseButtonPress, full.onRoom(), Qt::LeftButton);
        full.send(QEvent::MouseMove, full.onRoom(dx), Qt::LeftButton);
        full.send(QEvent::MouseButtonRelease, full.onRoom(dx), Qt::NoButton);
        // The repaint of what the step changed, as the event loop would make it now.
        QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
    state.counters["elements"] = full.window.document().table().elementCount();
}
BENCHMARK(pressAndDrop)->Unit(benchmark::kMillisecond);

// One move of the held room by a few pixels and its repaint.
void dragStepInTheWindow(benchmark::State &state)
{
    FullWindow full;
    full.send(QEvent::MouseButtonPress, full.onRoom(), Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        full.send(QEvent::MouseMove, full.onRoom((step++ % 2 == 0) ? 3 : -3), Qt::LeftButton);
        // The repaint of what the step changed, as the event loop would make it now.
        QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
    full.send(QEvent::MouseButtonRelease, full.onRoom(), Qt::NoButton);
    state.counters["elements"] = full.window.document().table().elementCount();
}
BENCHMARK(dragStepInTheWindow)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
