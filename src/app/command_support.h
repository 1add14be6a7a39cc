#pragma once

#include "analysis/rule_set.h"
#include "analysis/rule_table.h"
#include "analysis/zone_analysis.h"
#include "app/command_line.h"
#include "storage/layout_document.h"

#include <QString>

#include <optional>
#include <string>
#include <variant>

namespace tessel {

// What the commands run without a window share: their faults on standard error, the layout
// they read and the zones they read it by.

// One line on standard error, "tessel: " first, as every fault a command reports.
void complain(const QString &line);

// Whether writing `output` would replace the layout: the same file by another path, a
// symbolic or a hard link (the same device and inode). An output that does not exist yet is
// another file.
bool isTheLayoutItself(const QString &output, const QString &layout);

// The layout at `path` in either format, told by its content, as the window opens it;
// std::nullopt once a line on standard error named the file and its fault.
std::optional<AnyLayoutReadResult> readLayoutFile(const QString &path);

// The plot a layout without a size is judged on by a wheel: a square, as the chart shows it.
inline constexpr PlotFeet kSquarePlot = {1, 1};

// The zone settings of a layout read from a file, with the options given:
// - facing: --facing, else the document's, else North;
// - method: --zones, else the document's, else the corner method;
// - bearing: --bearing, else --facing's, else the document's own (its facing's if it has
//   none); a layout file has its facing's;
// - plot: the document's plot fields in feet when both are numbers above 0, else kSquarePlot.
ZoneSettings zoneSettingsOf(const AnyLayoutReadResult &layout, const ZoneOptions &options);

// The rule set file of --rules, or why it cannot be used: one line naming the file and the
// fault ("rules.json: Line 4, column 12: ...").
std::variant<RuleSet, std::string> readRuleSetFile(const QString &path, const RuleTable &table);

// Everything a command judges a layout's zones by.
struct LayoutZones
{
    ZoneSettings settings;
    RuleTable table;
    RuleSet ruleSet;

    ZoneAnalysis analyse(const ChartTable &txtRoom) const
    {
        return analyseZones(txtRoom, settings, ruleSet, table);
    }
};

// The zones of a layout with the options given: its settings, the rule table, and the rule set
// of --rules or the built-in one. std::nullopt once a line on standard error told why the rule
// set file cannot be used.
std::optional<LayoutZones> layoutZones(const AnyLayoutReadResult &layout,
                                       const ZoneOptions &options);

// What a command has read before it does its work: the layout and the zones it judges it by.
struct CommandLayout
{
    AnyLayoutReadResult read;
    LayoutZones zones;

    LayoutDocument &layout() { return *read.layout; }
};

// How every command starts: an output that is the layout itself is refused (exit code 2), then
// the layout and its zones are read (exit code 1 when either cannot be). Either what was read,
// or the exit code once one line on standard error said why.
std::variant<CommandLayout, int> openCommandLayout(const QString &layout, const QString &output,
                                                   const ZoneOptions &options);

} // namespace tessel
