#include "analysis/report.h"

#include "analysis/rule_table.h"
#include "analysis/zone.h"

namespace tessel {

namespace {

void appendBlock(std::string &report, const RoomRules &rules, const std::string &text, Zone zone,
                 bool firstBlock)
{
    if (!firstBlock) {
        report += kLineBreak;
        report += kLineBreak;
    }
    report += rules.heading(firstBlock);
    report += kLineBreak;
    report += text;
    report += ' ';
    report += zoneSentence(zone);
    report += kLineBreak;
    report += kLineBreak;
    report += rules.adviceFor(zone);
}

} // namespace

std::string RunAnalysis(const ChartTable &txtRoom, int facing)
{
    const RuleTable rules;
    std::string report;
    report += kIntroParagraph;
    report += kLineBreak;
    report += kLineBreak;
    report.append(kReportTitleIndent, ' ');
    report += kReportTitle;
    report += kLineBreak;
    report += kLineBreak;

    bool firstBlock = true;
    for (int i = 1; i <= txtRoom.elementCount(); ++i) {
        const ChartElement &element = txtRoom.at(i);
        // Known by its state: a deleted room moved away from where it was parked is still
        // deleted. Parked at the plot's right edge, it lies in no zone anyway.
        if (isDeleted(element))
            continue;
        const RoomRules *kind = rules.find(element.text);
        if (!kind)
            continue;
        const auto zone = ClassifyZone(element.left, element.top, facing);
        if (!zone)
            continue;
        appendBlock(report, *kind, element.text, *zone, firstBlock);
        firstBlock = false;
    }
    return report;
}

} // namespace tessel
