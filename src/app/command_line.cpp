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
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A layout to open: a .tessel document or a "
                                                "layout file."),
                                 QStringLiteral("[file]"));
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
    QCommandLineOption quitAfterFirstFrame(QStringLiteral("quit-after-first-frame"));
    quitAfterFirstFrame.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(quitAfterFirstFrame);
    if (!parser.parse(arguments))
        return {CommandLine::Action::UsageError,
                parser.errorText() + QStringLiteral("\nTry 'tessel --help' for more information.\n"),
                {},
                false};
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Without an application object Qt cannot know the program's name.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), QStringLiteral("tessel"));
        return {CommandLine::Action::Print, text, {}, false};
    }
    if (parser.isSet(version))
        return {CommandLine::Action::Print,
                QCoreApplication::applicationName() + ' ' +
                    QCoreApplication::applicationVersion() + '\n',
                {},
                false};
    if (parser.positionalArguments().size() > 1)
        return {CommandLine::Action::UsageError,
                QStringLiteral("Unexpected argument: %1\nTry 'tessel --help' for more "
                               "information.\n")
                    .arg(parser.positionalArguments().at(1)),
                {},
                false};
    CommandLine run;
    run.files = parser.positionalArguments();
    run.quitAfterFirstFrame = parser.isSet(quitAfterFirstFrame);
    return run;
}

} // namespace tessel
