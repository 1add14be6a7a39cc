#include "app/arrange_command.h"
#include "app/command_line.h"
#include "app/first_frame.h"
#include "app/report_command.h"
#include "app/startup.h"
#include "ui/frm_main.h"
#include "ui/qt_dialogs.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName("Tessel");
    QCoreApplication::setApplicationVersion(TESSEL_VERSION);
    // The view options are kept under this name (~/.config/Tessel/Tessel.conf).
    QCoreApplication::setOrganizationName("Tessel");

    // The arguments are read before any application object exists: --version, --help and
    // --report and --arrange answer without a display, and only the window makes a
    // QApplication.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const tessel::CommandLine commandLine = tessel::parseCommandLine(arguments);
    switch (commandLine.action) {
    case tessel::CommandLine::Action::Print:
        std::fputs(commandLine.text.toLocal8Bit().constData(), stdout);
        return 0;
    case tessel::CommandLine::Action::UsageError:
        std::fputs(commandLine.text.toLocal8Bit().constData(), stderr);
        return 2;
    case tessel::CommandLine::Action::Report:
        return tessel::runReportCommand(argc, argv, commandLine.report);
    case tessel::CommandLine::Action::Arrange:
        return tessel::runArrangeCommand(commandLine.arrange);
    case tessel::CommandLine::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    tessel::QtDialogs dialogs;
    return tessel::runApplication(
        app, dialogs, tessel::StartupEnvironment::system(),
        [&dialogs, &commandLine](tessel::FrmMain &window) {
            dialogs.setParent(&window);
            if (commandLine.quitAfterFirstFrame)
                tessel::quitAfterFirstFrame(window);
        },
        commandLine.files);
}
