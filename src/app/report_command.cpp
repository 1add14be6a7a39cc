#include "app/report_command.h"

#include "analysis/report.h"
#include "analysis/zone_texts.h"
#include "app/command_support.h"
#include "model/plot.h"
#include "storage/layout_document.h"
#include "storage/layout_file.h"
#include "storage/rtf.h"
#include "ui/plan_image_decoder.h"
#include "ui/qt_file_access.h"
#include "ui/report_pdf.h"

#include <QGuiApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

namespace tessel {

namespace {

// Qt's own notes (a runtime folder missing, a font substituted, a file name it cannot open)
// are no part of a report written for a script: only its errors reach standard error.
void keepQuietButErrors(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fputs((message + '\n').toLocal8Bit().constData(), stderr);
}

// Read as text, the report ends its last line as it ends every other. False, with a line on
// standard error, when the report did not reach standard output whole (a full disk, a closed
// pipe).
bool writeToStandardOutput(const std::string &report)
{
    if (std::fwrite(report.data(), 1, report.size(), stdout) == report.size() &&
        std::fwrite(kLineBreak.data(), 1, kLineBreak.size(), stdout) == kLineBreak.size() &&
        std::fflush(stdout) == 0)
        return true;
    complain(QStringLiteral("cannot write the report to standard output: ") +
             QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

} // namespace

int runReportCommand(int argc, char *argv[], const CommandLine::ReportArguments &arguments)
{
    qInstallMessageHandler(keepQuietButErrors);
    auto opened = openCommandLayout(arguments.layout, arguments.output, arguments.zones);
    if (const int *exitCode = std::get_if<int>(&opened))
        return *exitCode;
    CommandLayout &read = std::get<CommandLayout>(opened);
    const LayoutZones &zones = read.zones;
    LayoutDocument &layout = read.layout();
    ReportSubject subject{std::move(layout.table), layout.plotLength, layout.plotWidth,
                          zones.settings.facing};
    subject.readFromFile = true;

    const QString suffix = arguments.output.section('.', -1).toLower();
    const bool json = !arguments.output.isEmpty() && suffix == QLatin1String("json");
    // The specified report alone needs no zones; JSON and a wheel's report section do.
    std::optional<ZoneAnalysis> analysis;
    if (json || zones.settings.method != ZoneMethod::ByCorner)
        analysis = zones.analyse(subject.table);
    QtFileAccess files;
    const std::string outputPath = arguments.output.toStdString();
    std::optional<std::string> failure;
    if (json) {
        std::string text = zoneAnalysisJson(subject.table, *analysis);
        text += '\n';
        failure = files.writeAtomically(outputPath, text);
    } else {
        std::string report = analysis ? reportWithZones(subject.table, *analysis)
                                      : RunAnalysis(subject.table, subject.facing);
        if (arguments.output.isEmpty())
            return writeToStandardOutput(report) ? 0 : 1;
        if (suffix == QLatin1String("pdf")) {
            // Fonts and a paint device, never a window: the offscreen platform, whatever the
            // environment asks for.
            qputenv("QT_QPA_PLATFORM", "offscreen");
            QGuiApplication application(argc, argv);
            const PlanImage &plan = layout.plan;
            if (plan.isSet() && plan.shown) {
                DecodedPlanImage decoded = decodePlanImage(plan);
                if (decoded.image.isNull())
                    complain(QStringLiteral("%1: the plan image is left out: %2")
                                 .arg(arguments.layout, QString::fromStdString(decoded.refusal)));
                subject.planImage = decoded.image;
                subject.planOpacity = plan.opacity / 100.0;
            }
            if (zones.settings.method != ZoneMethod::ByCorner) {
                subject.wheel = zones.settings;
                subject.ruleSet = zones.ruleSet;
            }
            const QByteArray pdf = renderReportPdf(subject, report, localPageSize());
            failure = files.writeAtomically(
                outputPath, std::string_view(pdf.constData(), std::size_t(pdf.size())));
        } else if (suffix == QLatin1String("rtf")) {
            failure = files.writeAtomically(outputPath, plainTextToRtf(report, reportFont()));
        } else {
            // As on standard output; the report is not needed after this.
            report += kLineBreak;
            failure = files.writeAtomically(outputPath, report);
        }
    }
    if (failure) {
        complain(QStringLiteral("cannot write %1: %2")
                     .arg(arguments.output, QString::fromStdString(*failure)));
        return 1;
    }
    return 0;
}

} // namespace tessel
