// The yardstick of the start-up benchmark: a bare Qt main window with one label, ended after
// its first complete frame the way `tessel --quit-after-first-frame` ends. Given WIDTHxHEIGHT,
// it is shown at that size: the benchmark shows it at Tessel's, to tell what the window's area
// costs from what the program does.

#include "app/first_frame.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QRegularExpression>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessel");
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Tessel"), &window));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(arguments.at(1));
        if (!size.hasMatch())
            return 2;
        window.resize(size.captured(1).toInt(), size.captured(2).toInt());
    }
    window.show();
    tessel::quitAfterFirstFrame(window);
    return app.exec();
}
