#include "app/arrange_command.h"

#include "analysis/arrangement.h"
#include "app/command_support.h"
#include "storage/layout_document.h"
#include "storage/layout_file.h"
#include "ui/qt_file_access.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace tessel {

int runArrangeCommand(const CommandLine::ArrangeArguments &arguments)
{
    auto opened = openCommandLayout(arguments.layout, arguments.output, arguments.zones);
    if (const int *exitCode = std::get_if<int>(&opened))
        return *exitCode;
    CommandLayout &read = std::get<CommandLayout>(opened);
    const LayoutZones &zones = read.zones;
    LayoutDocument &layout = read.layout();

    // As Suggest Arrangement asks with the window's defaults: nothing snaps, the rooms kept in
    // place stay, the search has the window's time limit.
    const Scales scales = ValidatePlotEntry(layout.plotLength, layout.plotWidth)
                              ? Scales{}
                              : measureScales(layout.plotLength, layout.plotWidth);
    const ArrangementRequest request{
        .table = layout.table,
        .scales = scales,
        .judge = arrangementJudge(zones.settings, zones.ruleSet, zones.table),
        .keptInPlace = {},
        .snapToFeet = false,
        .timeLimit = kArrangementTimeLimit};
    const Arrangement arrangement = arrange(request);
    applyArrangement(layout.table, arrangement);

    std::string bytes;
    if (arguments.output.endsWith(QLatin1String(kLayoutDocumentSuffix), Qt::CaseInsensitive)) {
        // The document keeps the zones it was arranged by, so that it opens showing them.
        layout.facing = Facing(zones.settings.facing);
        layout.zoneMethod = zones.settings.method;
        layout.bearing = zones.settings.bearing;
        layout.filePath.clear();
        bytes = writeLayoutDocument(layout);
    } else {
        bytes = writeLayout(layout.table);
    }
    if (const auto failure =
            QtFileAccess().writeAtomically(arguments.output.toStdString(), bytes)) {
        complain(QStringLiteral("cannot write %1: %2")
                     .arg(arguments.output, QString::fromStdString(*failure)));
        return 1;
    }

    std::string summary = arrangement.summary + '\n';
    for (const RoomShortfall &shortfall : arrangement.shortfalls)
        summary += shortfall.message + '\n';
    if (std::fwrite(summary.data(), 1, summary.size(), stdout) != summary.size() ||
        std::fflush(stdout) != 0) {
        complain(QStringLiteral("cannot write the summary to standard output: ") +
                 QString::fromLocal8Bit(std::strerror(errno)));
        return 1;
    }
    return 0;
}

} // namespace tessel
