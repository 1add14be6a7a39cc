#pragma once

#include <QString>
#include <QStringList>

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
    // Where the running instance listens for files handed to a second start; none when
    // empty.
    QString handoffSocket = {};
    // Where each instance keeps a copy of its unsaved work against a crash; none when empty.
    QString recoveryFolder = {};

    static StartupEnvironment system();
};

// Runs the program: makes sure it is the only instance, checks that JPEG can be written,
// shows the main window, offers to restore unsaved work a crash left, opens `files` and runs
// the event loop until the window closes. `onShown` is called with the window once it is
// shown. A second start given files hands them to the running instance and ends. Returns the
// process's exit code.
int runApplication(QApplication &app, Dialogs &dialogs, const StartupEnvironment &environment,
                   const std::function<void(FrmMain &)> &onShown = {},
                   const QStringList &files = {});

} // namespace tessel
