// Starts frmMain as the program does (main() with its start checks), with the chart holding
// the number of elements given as the only argument, and prints the process's peak resident
// memory in KiB once the window's first frame has been painted.

#include "app/startup.h"
#include "tiled_chart.h"
#include "ui/document.h"
#include "ui/frm_main.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

class ReportAfterFirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QTimer::singleShot(0, [] {
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("%ld\n", usage.ru_maxrss);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessel");
    const int count = argc > 1 ? std::atoi(argv[1]) : 0;
    tessel::QtDialogs dialogs;
    ReportAfterFirstPaint report;
    // A lock of its own: a Tessel the user is running must not keep the probe from starting.
    tessel::StartupEnvironment environment = tessel::StartupEnvironment::system();
    environment.lockFilePath =
        QDir::temp().filePath(QString("tessel-memory-probe-%1.lock").arg(getpid()));
    return tessel::runApplication(app, dialogs, environment,
                                  [&dialogs, &report, count](tessel::FrmMain &window) {
                                      dialogs.setParent(&window);
                                      // Shown but not painted: the first frame paints them.
                                      tessel::ChartTable table;
                                      tileRooms(table, count);
                                      window.document().load(std::move(table), {}, {}, false);
                                      window.installEventFilter(&report);
                                  });
}
