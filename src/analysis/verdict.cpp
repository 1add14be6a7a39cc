#include "analysis/verdict.h"

#include "analysis/rule_table.h"

namespace tessel {

Verdict judge(const RoomRules &rules, Zone zone)
{
    if (rules.bestZone == zone)
        return Verdict::Best;
    return rules.recommends[static_cast<int>(zone)] ? Verdict::MoveAdvised : Verdict::Acceptable;
}

Verdict judge(const RuleTable &rules, std::string_view text, Zone zone)
{
    const RoomRules *kind = rules.find(text);
    return kind ? judge(*kind, zone) : Verdict::NotJudged;
}

std::string_view verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Best:
        return "best zone";
    case Verdict::Acceptable:
        return "acceptable";
    case Verdict::MoveAdvised:
        return "move advised";
    case Verdict::NotJudged:
        break;
    }
    return "not judged";
}

std::vector<RoomVerdict> judgeRooms(const ChartTable &txtRoom, int facing, const RuleTable &rules)
{
    std::vector<RoomVerdict> verdicts;
    for (int i = 1; i <= txtRoom.elementCount(); ++i) {
        const ChartElement &element = txtRoom.at(i);
        // Left out exactly as the report leaves them out.
        if (isDeleted(element))
            continue;
        const RoomRules *kind = rules.find(element.text);
        if (!kind)
            continue;
        const auto zone = ClassifyZone(element.left, element.top, facing);
        if (!zone)
            continue;
        verdicts.push_back({i, kind, *zone, judge(*kind, *zone)});
    }
    return verdicts;
}

void countVerdict(VerdictCounts &counts, Verdict verdict)
{
    switch (verdict) {
    case Verdict::Best:
        ++counts.best;
        break;
    case Verdict::Acceptable:
        ++counts.acceptable;
        break;
    case Verdict::MoveAdvised:
        ++counts.moveAdvised;
        break;
    case Verdict::NotJudged:
        break;
    }
}

VerdictCounts countVerdicts(const std::vector<RoomVerdict> &verdicts)
{
    VerdictCounts counts;
    for (const RoomVerdict &room : verdicts)
        countVerdict(counts, room.verdict);
    return counts;
}

std::string verdictSummary(const VerdictCounts &counts)
{
    const int judged = counts.judged();
    return std::to_string(judged) + (judged == 1 ? " room" : " rooms") +
           " judged: " + std::to_string(counts.best) + " in their best zone, " +
           std::to_string(counts.acceptable) + " acceptable, " +
           std::to_string(counts.moveAdvised) + " move advised";
}

} // namespace tessel
