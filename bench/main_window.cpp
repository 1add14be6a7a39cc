// The program's start-up exactly as main() runs it, ended right after frmMain's first paint.

#include "app/startup.h"
#include "quit_on_first_paint.h"
#include "ui/frm_main.h"
#include "ui/qt_dialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessel");
    tessel::QtDialogs dialogs;
    tessel::bench::QuitOnFirstPaint quit;
    return tessel::runApplication(app, dialogs, tessel::StartupEnvironment::system(),
                                  [&dialogs, &quit](tessel::FrmMain &window) {
                                      dialogs.setParent(&window);
                                      window.installEventFilter(&quit);
                                  });
}
