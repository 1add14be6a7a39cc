#include "app/startup.h"
#include "ui/frm_main.h"
#include "ui/qt_dialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessel");
    // The view options are kept under this name (~/.config/Tessel/Tessel.conf).
    QApplication::setOrganizationName("Tessel");
    tessel::QtDialogs dialogs;
    return tessel::runApplication(
        app, dialogs, tessel::StartupEnvironment::system(),
        [&dialogs](tessel::FrmMain &window) { dialogs.setParent(&window); });
}
