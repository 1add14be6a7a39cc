// The yardstick of the start-up benchmark: a bare Qt main window with one label, ended after
// its first complete frame the way `tessel --quit-after-first-frame` ends.

#include "app/first_frame.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessel");
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Tessel"), &window));
    window.show();
    tessel::quitAfterFirstFrame(window);
    return app.exec();
}
