#pragma once

#include "model/bearing.h"

#include <QStringList>

#include <optional>

namespace tessel {

// How --report and --arrange read the zones of a layout; each empty or std::nullopt when not
// given, the layout's own (or the default) then applying.
struct ZoneOptions
{
    // --facing North|South|West|East.
    QString facing;
    // --zones 8|16.
    std::optional<ZoneMethod> method;
    // --bearing DEG, 0 to under 360.
    std::optional<Bearing> bearing;
    // --rules FILE: a rule set file instead of the built-in set.
    QString rules;
};

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
        // Write `arrange.layout` rearranged to `arrange.output` without a window.
        Arrange,
    };
    Action action = Action::Run;
    QString text = {};
    // Layouts to open, as given.
    QStringList files = {};
    // Hidden from --help: end the process right after the window's first complete frame, so
    // that start-up can be timed from outside as a user waits for it.
    bool quitAfterFirstFrame = false;
    // --report LAYOUT [--output FILE] and the zone options; output is empty when not given.
    struct ReportArguments
    {
        QString layout;
        QString output;
        ZoneOptions zones = {};
    } report = {};
    // --arrange LAYOUT --output FILE and the zone options.
    struct ArrangeArguments
    {
        QString layout;
        QString output;
        ZoneOptions zones = {};
    } arrange = {};
};

// Reads the arguments (the program's name first). Needs no application object, so that
// --version and --help work where no display exists.
CommandLine parseCommandLine(const QStringList &arguments);

} // namespace tessel
