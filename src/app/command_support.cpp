#include "app/command_support.h"

#include "analysis/wheel.h"
#include "model/plot.h"
#include "storage/layout_file.h"
#include "ui/qt_file_access.h"

#include <QFile>

#include <cstdio>
#include <filesystem>

namespace tessel {

void complain(const QString &line)
{
    std::fputs((QStringLiteral("tessel: ") + line + '\n').toLocal8Bit().constData(), stderr);
}

bool isTheLayoutItself(const QString &output, const QString &layout)
{
    std::error_code unknown;
    return !output.isEmpty() &&
           std::filesystem::equivalent(QFile::encodeName(output).toStdString(),
                                       QFile::encodeName(layout).toStdString(), unknown);
}

std::optional<AnyLayoutReadResult> readLayoutFile(const QString &path)
{
    const FileAccess::Content content =
        QtFileAccess().readAll(path.toStdString(), kMaxLayoutFileBytes);
    if (!content.ok) {
        complain(
            QStringLiteral("cannot read %1: %2").arg(path, QString::fromStdString(content.error)));
        return std::nullopt;
    }
    AnyLayoutReadResult read = readAnyLayout(content.bytes);
    if (!read.layout) {
        complain(path + QStringLiteral(": ") + QString::fromStdString(read.error));
        return std::nullopt;
    }
    return read;
}

ZoneSettings zoneSettingsOf(const AnyLayoutReadResult &layout, const ZoneOptions &options)
{
    const LayoutDocument &document = *layout.layout;
    Facing facing = document.facing;
    for (std::size_t i = 0; i < kFacingNames.size(); ++i) {
        if (options.facing == QLatin1String(kFacingNames[i]))
            facing = Facing(i);
    }
    ZoneSettings settings;
    settings.facing = int(facing);
    settings.method = options.method.value_or(document.zoneMethod);
    // Choosing a facing sets its bearing, in the window as here.
    if (options.bearing)
        settings.bearing = *options.bearing;
    else if (!options.facing.isEmpty() || !layout.isDocument || !document.bearing)
        settings.bearing = facingBearing(facing);
    else
        settings.bearing = *document.bearing;
    const bool measured = !ValidatePlotEntry(document.plotLength, document.plotWidth);
    settings.plot =
        measured ? plotFeet(measureScales(document.plotLength, document.plotWidth)) : kSquarePlot;
    return settings;
}

std::variant<RuleSet, std::string> readRuleSetFile(const QString &path, const RuleTable &table)
{
    const FileAccess::Content content =
        QtFileAccess().readAll(path.toStdString(), kMaxRuleSetBytes);
    if (!content.ok)
        return QStringLiteral("cannot read the rule set %1: %2")
            .arg(path, QString::fromStdString(content.error))
            .toStdString();
    auto read = readRuleSet(content.bytes, table);
    if (const auto *error = std::get_if<std::string>(&read))
        return (path + QStringLiteral(": ") + QString::fromStdString(*error)).toStdString();
    return read;
}

std::optional<LayoutZones> layoutZones(const AnyLayoutReadResult &layout,
                                       const ZoneOptions &options)
{
    LayoutZones zones{zoneSettingsOf(layout, options), RuleTable(), RuleSet()};
    if (options.rules.isEmpty()) {
        zones.ruleSet = builtInRuleSet(zones.table);
        return zones;
    }
    auto read = readRuleSetFile(options.rules, zones.table);
    if (const auto *error = std::get_if<std::string>(&read)) {
        complain(QString::fromStdString(*error));
        return std::nullopt;
    }
    zones.ruleSet = std::move(std::get<RuleSet>(read));
    return zones;
}

std::variant<CommandLayout, int> openCommandLayout(const QString &layout, const QString &output,
                                                   const ZoneOptions &options)
{
    if (isTheLayoutItself(output, layout)) {
        complain(QStringLiteral("cannot write %1: it is the layout %2 itself").arg(output, layout));
        return 2;
    }
    std::optional<AnyLayoutReadResult> read = readLayoutFile(layout);
    if (!read)
        return 1;
    std::optional<LayoutZones> zones = layoutZones(*read, options);
    if (!zones)
        return 1;
    return CommandLayout{std::move(*read), std::move(*zones)};
}

} // namespace tessel
