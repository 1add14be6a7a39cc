#include "app/report_command.h"

#include "analysis/report.h"
#include "model/plot.h"
#include "storage/layout_document.h"
#include "storage/layout_file.h"
#include "storage/rtf.h"
#include "ui/qt_file_access.h"
#include "ui/report_pdf.h"

#include <QGuiApplication>

#include <cstdio>
#include <optional>

namespace tessel {

namespace {

// Qt's own notes (a runtime folder missing, a font substituted) are no part of a report
// written for a script: only its errors reach standard error.
void keepQuietButErrors(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fputs((message + '\n').toLocal8Bit().constData(), stderr);
}

void complain(const QString &line)
{
    std::fputs((QStringLiteral("tessel: ") + line + '\n').toLocal8Bit().constData(), stderr);
}

// The layout in `bytes`, in either format, or the fault that keeps it from being read.
std::optional<ReportSubject> readSubject(const std::string &bytes, std::string &fault)
{
    AnyLayoutReadResult read = readAnyLayout(bytes);
    if (!read.layout) {
        fault = read.error;
        return std::nullopt;
    }
    LayoutDocument &layout = *read.layout;
    return ReportSubject{std::move(layout.table), layout.plotLength, layout.plotWidth,
                         int(layout.facing)};
}

} // namespace

int runReportCommand(int argc, char *argv[], const CommandLine::ReportArguments &arguments)
{
    const std::string layoutPath = arguments.layout.toStdString();
    QtFileAccess files;
    const FileAccess::Content content = files.readAll(layoutPath, kMaxLayoutFileBytes);
    if (!content.ok) {
        complain(QStringLiteral("cannot read %1: %2")
                     .arg(arguments.layout, QString::fromStdString(content.error)));
        return 1;
    }
    std::string fault;
    std::optional<ReportSubject> subject = readSubject(content.bytes, fault);
    if (!subject) {
        complain(arguments.layout + QStringLiteral(": ") + QString::fromStdString(fault));
        return 1;
    }
    if (!arguments.facing.isEmpty()) {
        for (std::size_t i = 0; i < kFacingNames.size(); ++i) {
            if (arguments.facing == QLatin1String(kFacingNames[i]))
                subject->facing = int(i);
        }
    }
    const std::string report = RunAnalysis(subject->table, subject->facing);

    if (arguments.output.isEmpty()) {
        std::fwrite(report.data(), 1, report.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    const std::string outputPath = arguments.output.toStdString();
    const QString suffix = arguments.output.section('.', -1).toLower();
    std::optional<std::string> failure;
    if (suffix == QLatin1String("pdf")) {
        // Fonts and a paint device, never a window: the offscreen platform, whatever the
        // environment asks for.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(keepQuietButErrors);
        QGuiApplication application(argc, argv);
        const QByteArray pdf = renderReportPdf(*subject, report, localPageSize());
        failure = files.writeAtomically(outputPath,
                                        std::string_view(pdf.constData(), std::size_t(pdf.size())));
    } else if (suffix == QLatin1String("rtf")) {
        failure = files.writeAtomically(outputPath, plainTextToRtf(report, reportFont()));
    } else {
        failure = files.writeAtomically(outputPath, report);
    }
    if (failure) {
        complain(QStringLiteral("cannot write %1: %2")
                     .arg(arguments.output, QString::fromStdString(*failure)));
        return 1;
    }
    return 0;
}

} // namespace tessel
