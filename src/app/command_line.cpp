#include "app/command_line.h"

#include "model/number.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <initializer_list>
#include <optional>

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

// The zone options as given, checked; the usage error when one cannot be taken.
std::optional<CommandLine> readZoneOptions(const QCommandLineParser &parser, ZoneOptions &options)
{
    options.facing = parser.value(QStringLiteral("facing"));
    if (parser.isSet(QStringLiteral("facing")) &&
        !QStringList{"North", "South", "West", "East"}.contains(options.facing))
        return usageError(
            QStringLiteral("Unknown facing: %1 (North, South, West or East)").arg(options.facing));
    if (parser.isSet(QStringLiteral("zones"))) {
        const QString zones = parser.value(QStringLiteral("zones"));
        if (zones != QLatin1String("8") && zones != QLatin1String("16"))
            return usageError(QStringLiteral("--zones takes 8 or 16, not %1").arg(zones));
        options.method = zones == QLatin1String("8") ? ZoneMethod::Wheel8 : ZoneMethod::Wheel16;
    }
    if (parser.isSet(QStringLiteral("bearing"))) {
        const QString text = parser.value(QStringLiteral("bearing"));
        const std::optional<double> degrees = strictNumber(text.toStdString());
        if (!degrees || *degrees < 0 || *degrees >= 360)
            return usageError(
                QStringLiteral("--bearing takes degrees from 0 to under 360, not %1").arg(text));
        options.bearing = Bearing::fromDegrees(*degrees);
    }
    options.rules = parser.value(QStringLiteral("rules"));
    if (parser.isSet(QStringLiteral("rules")) && options.rules.isEmpty())
        return usageError(QStringLiteral("--rules needs the rule set file to read"));
    return std::nullopt;
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
    const QCommandLineOption arrange(
        QStringLiteral("arrange"),
        QStringLiteral("Moves the rooms of a layout where their rules want them and writes the "
                       "result to --output, without a window; prints what it achieved."),
        QStringLiteral("LAYOUT"));
    const QCommandLineOption output(
        QStringLiteral("output"),
        QStringLiteral("With --report: the file to write, .txt, .rtf, .pdf or .json (the zones "
                       "alone; standard output without it). With --arrange: the layout to "
                       "write, a .tessel document or else a layout file."),
        QStringLiteral("FILE"));
    const QCommandLineOption facing(
        QStringLiteral("facing"),
        QStringLiteral("The plot's facing, North, South, West or East (the document's own, or "
                       "North); it sets the bearing too."),
        QStringLiteral("direction"));
    const QCommandLineOption zones(
        QStringLiteral("zones"),
        QStringLiteral("Judges by a wheel of 8 or 16 zones from the plot's centre (a "
                       "document's own method, or by the rooms' corners)."),
        QStringLiteral("8|16"));
    const QCommandLineOption bearing(
        QStringLiteral("bearing"),
        QStringLiteral("The direction the chart's top edge faces, degrees clockwise from north, "
                       "0 to under 360 (a document's own, or its facing's)."),
        QStringLiteral("DEG"));
    const QCommandLineOption rules(
        QStringLiteral("rules"),
        QStringLiteral("A rule set file for the wheel to judge by (the built-in set without it)."),
        QStringLiteral("FILE"));
    const std::initializer_list<const QCommandLineOption *> taken = {
        &report, &arrange, &output, &facing, &zones, &bearing, &rules};
    for (const QCommandLineOption *option : taken)
        parser.addOption(*option);
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
    for (const QCommandLineOption *option : taken) {
        if (parser.values(*option).size() > 1)
            return usageError(
                QStringLiteral("--%1 is given more than once").arg(option->names().constFirst()));
    }
    if (parser.isSet(report) && parser.isSet(arrange))
        return usageError(QStringLiteral("--report and --arrange cannot be given together"));
    if (parser.isSet(report) || parser.isSet(arrange)) {
        const bool reporting = parser.isSet(report);
        CommandLine line;
        line.action = reporting ? CommandLine::Action::Report : CommandLine::Action::Arrange;
        const QString layout = parser.value(reporting ? report : arrange);
        const QString written = parser.value(output);
        if (layout.isEmpty())
            return usageError(QStringLiteral("--%1 needs the layout file to read")
                                  .arg(reporting ? "report" : "arrange"));
        ZoneOptions options;
        if (std::optional<CommandLine> refused = readZoneOptions(parser, options))
            return *refused;
        if (reporting) {
            const QString suffix = written.section('.', -1).toLower();
            if (parser.isSet(output) && !QStringList{"txt", "rtf", "pdf", "json"}.contains(suffix))
                return usageError(
                    QStringLiteral("The report is written as .txt, .rtf, .pdf or .json, not %1")
                        .arg(written));
            line.report = {layout, written, options};
        } else {
            if (written.isEmpty())
                return usageError(
                    QStringLiteral("--arrange needs --output FILE, the layout to write"));
            line.arrange = {layout, written, options};
        }
        if (!files.isEmpty())
            return usageError(QStringLiteral("Unexpected argument: %1").arg(files.constFirst()));
        return line;
    }
    for (const QCommandLineOption *option : {&output, &facing, &zones, &bearing, &rules}) {
        if (parser.isSet(*option))
            return usageError(QStringLiteral("--%1 goes with --report or --arrange")
                                  .arg(option->names().constFirst()));
    }
    if (files.size() > 1)
        return usageError(QStringLiteral("Unexpected argument: %1").arg(files.at(1)));
    CommandLine run;
    run.files = files;
    run.quitAfterFirstFrame = parser.isSet(quitAfterFirstFrame);
    return run;
}

} // namespace tessel
