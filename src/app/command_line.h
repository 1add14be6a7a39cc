#pragma once

#include <QStringList>

namespace tessel {

// What the program was asked to do by its arguments.
struct CommandLine
{
    enum class Action {
        // Start the window.
        Run,
        // Print `text` on standard output and end with exit code 0.
        Print,
        // Print `text` on standard error and end with exit code 2.
        UsageError,
        // Write the report on `report.layout` without a window.
        Report,
    };
    Action action = Action::Run;
    QString text = {};
    // Layouts to open, as given.
    QStringList files = {};
    // Hidden from --help: end the process right after the window's first complete frame, so
    // that start-up can be timed from outside as a user waits for it.
    bool quitAfterFirstFrame = false;
    // --report LAYOUT [--facing North|South|West|East] [--output FILE]; facing and output are
    // empty when not given.
    struct ReportArguments
    {
        QString layout;
        QString facing;
        QString output;
    } report = {};
};

// Reads the arguments (the program's name first). Needs no application object, so that
// --version and --help work where no display exists.
CommandLine parseCommandLine(const QStringList &arguments);

} // namespace tessel
