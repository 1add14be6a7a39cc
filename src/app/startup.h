#pragma once

#include <QString>

#include <functional>

class QApplication;

namespace tessel {

class Dialogs;
class FrmMain;

// What start-up needs from the system, so that tests can put it in a chosen state.
struct StartupEnvironment
{
    // The lock that keeps a second instance from starting; shared by all instances of
    // this user.
    QString lockFilePath;
    // Whether a JPEG file can be written; the chart export cannot work without it.
    std::function<bool()> canWriteJpeg;

    static StartupEnvironment system();
};

// Runs the program: makes sure it is the only instance, checks that JPEG can be written,
// shows the main window and runs the event loop until it closes. `onShown` is called with
// the window once it is shown. Returns the process's exit code.
int runApplication(QApplication &app, Dialogs &dialogs, const StartupEnvironment &environment,
                   const std::function<void(FrmMain &)> &onShown = {});

} // namespace tessel
