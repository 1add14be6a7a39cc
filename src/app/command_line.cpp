#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace tessel {

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Judges the layout of a house against the rules of Vastu Shastra."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption report(
        QStringLiteral("report"),
        QStringLiteral("Writes the report on a layout (Structure.txt or .tessel) without a "
                       "window."),
        QStringLiteral("LAYOUT"));
    const QCommandLineOption facing(
        QStringLiteral("facing"),
        QStringLiteral("With --report: the plot's facing, North, South, West or East (the "
                       "document's own, or North)."),
        QStringLiteral("direction"));
    const QCommandLineOption output(
        QStringLiteral("output"),
        QStringLiteral("With --report: the file to write, .txt, .rtf or .pdf (standard output "
                       "without it)."),
        QStringLiteral("FILE"));
    parser.addOptions({report, facing, output});
    // The options every Qt program takes (-platform offscreen, -style ...): the application
    // object reads them later; here they are only let through.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "qwindowgeometry", "qwindowicon", "qwindowtitle", "display",
                             "geometry", "style", "stylesheet", "session"}) {
        QCommandLineOption option(QString::fromLatin1(name), {}, QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    if (!parser.parse(arguments))
        return {CommandLine::Action::UsageError,
                parser.errorText() + QStringLiteral("\nTry 'tessel --help' for more information.\n")};
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Without an application object Qt cannot know the program's name.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), QStringLiteral("tessel"));
        return {CommandLine::Action::Print, text};
    }
    if (parser.isSet(version))
        return {CommandLine::Action::Print, QCoreApplication::applicationName() + ' ' +
                                                QCoreApplication::applicationVersion() + '\n'};
    const QString tryHelp = QStringLiteral("\nTry 'tessel --help' for more information.\n");
    if (parser.isSet(report)) {
        CommandLine line{CommandLine::Action::Report,
                         {},
                         {parser.value(report), parser.value(facing), parser.value(output)}};
        if (parser.isSet(facing) &&
            !QStringList{"North", "South", "West", "East"}.contains(line.report.facing))
            return {CommandLine::Action::UsageError,
                    QStringLiteral("Unknown facing: %1 (North, South, West or East)")
                            .arg(line.report.facing) +
                        tryHelp};
        const QString suffix = line.report.output.section('.', -1).toLower();
        if (parser.isSet(output) && !QStringList{"txt", "rtf", "pdf"}.contains(suffix))
            return {CommandLine::Action::UsageError,
                    QStringLiteral("The report is written as .txt, .rtf or .pdf, not %1")
                            .arg(line.report.output) +
                        tryHelp};
        if (parser.positionalArguments().isEmpty())
            return line;
    } else if (parser.isSet(facing) || parser.isSet(output)) {
        return {CommandLine::Action::UsageError,
                QStringLiteral("--facing and --output go with --report") + tryHelp};
    }
    if (!parser.positionalArguments().isEmpty())
        return {CommandLine::Action::UsageError,
                QStringLiteral("Unexpected argument: %1\nTry 'tessel --help' for more "
                               "information.\n")
                    .arg(parser.positionalArguments().constFirst())};
    return {};
}

} // namespace tessel
