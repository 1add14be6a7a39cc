#include "analysis/report.h"

#include "analysis/rule_table.h"
#include "analysis/verdict.h"
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

    // The rooms the report speaks of are the rooms that are judged, in the same order.
    bool firstBlock = true;
    for (const RoomVerdict &room : judgeRooms(txtRoom, facing, rules)) {
        appendBlock(report, *room.rules, txtRoom.at(room.index).text, room.zone, firstBlock);
        firstBlock = false;
    }
    return report;
}

} // namespace tessel
