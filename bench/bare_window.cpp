// The yardstick of the start-up benchmark: a bare Qt window with one label, started and ended
// the way main_window.cpp starts and ends frmMain.

#include "quit_on_first_paint.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessel");
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Tessel"), &window));
    tessel::bench::QuitOnFirstPaint quit;
    window.installEventFilter(&quit);
    window.show();
    return app.exec();
}
