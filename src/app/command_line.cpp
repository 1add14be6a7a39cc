#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace tessel {

namespace {

// One line, as every other fault the program reports on standard error.
CommandLine usageError(QString text)
{
    if (!text.endsWith('.'))
        text += '.';
    CommandLine line;
    line.action = CommandLine::Action::UsageError;
    line.text = QStringLiteral("tessel: ") + text + QStringLiteral(" Try 'tessel --help'.\n");
    return line;
}

CommandLine print(const QString &text)
{
    CommandLine line;
    line.action = CommandLine::Action::Print;
    line.text = text;
    return line;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Judges the layout of a house against the rules of Vastu Shastra."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A layout to open: a .tessel document or a "
                                                "layout file."),
                                 QStringLiteral("[file]"));
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
    for (const char *name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "qwindowicon", "qwindowtitle", "display", "geometry", "style", "stylesheet", "session"}) {
        QCommandLineOption option(QString::fromLatin1(name), {}, QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    QCommandLineOption quitAfterFirstFrame(QStringLiteral("quit-after-first-frame"));
    quitAfterFirstFrame.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(quitAfterFirstFrame);

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Without an application object Qt cannot know the program's name.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), QStringLiteral("tessel"));
        return print(text);
    }
    if (parser.isSet(version))
        return print(QCoreApplication::applicationName() + ' ' +
                     QCoreApplication::applicationVersion() + '\n');
    const QStringList files = parser.positionalArguments();
    for (const QCommandLineOption *option : {&report, &facing, &output}) {
        if (parser.values(*option).size() > 1)
            return usageError(
                QStringLiteral("--%1 is given more than once").arg(option->names().constFirst()));
    }
    if (parser.isSet(report)) {
        CommandLine line;
        line.action = CommandLine::Action::Report;
        line.report = {parser.value(report), parser.value(facing), parser.value(output)};
        if (line.report.layout.isEmpty())
            return usageError(QStringLiteral("--report needs the layout file to read"));
        if (parser.isSet(facing) &&
            !QStringList{"North", "South", "West", "East"}.contains(line.report.facing))
            return usageError(QStringLiteral("Unknown facing: %1 (North, South, West or East)")
                                  .arg(line.report.facing));
        const QString suffix = line.report.output.section('.', -1).toLower();
        if (parser.isSet(output) && !QStringList{"txt", "rtf", "pdf"}.contains(suffix))
            return usageError(QStringLiteral("The report is written as .txt, .rtf or .pdf, not %1")
                                  .arg(line.report.output));
        if (!files.isEmpty())
            return usageError(QStringLiteral("Unexpected argument: %1").arg(files.constFirst()));
        return line;
    }
    if (parser.isSet(facing) || parser.isSet(output))
        return usageError(QStringLiteral("--facing and --output go with --report"));
    if (files.size() > 1)
        return usageError(QStringLiteral("Unexpected argument: %1").arg(files.at(1)));
    CommandLine run;
    run.files = files;
    run.quitAfterFirstFrame = parser.isSet(quitAfterFirstFrame);
    return run;
}

} // namespace tessel
