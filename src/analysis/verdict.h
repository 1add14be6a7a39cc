#pragma once

#include "analysis/zone.h"
#include "model/chart.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessel {

class RuleTable;
struct RoomRules;

// What the rule table says of a room where it stands. Nothing here is advice of its own: the
// best zone is the one the kind's recommendation line names, and a zone whose advice ends with
// that line asks for the room to be moved there.
enum class Verdict {
    Best,        // in the zone the recommendation line names
    Acceptable,  // anywhere else the advice does not send the room away from
    MoveAdvised, // the advice ends with the recommendation line
    NotJudged,   // a name the analysis does not know, or no zone
};

Verdict judge(const RoomRules &rules, Zone zone);
// Rooms of other names are not judged.
Verdict judge(const RuleTable &rules, std::string_view text, Zone zone);

// "best zone", "acceptable", "move advised", "not judged".
std::string_view verdictName(Verdict verdict);

// One room the report has a block for.
struct RoomVerdict
{
    int index;
    const RoomRules *rules;
    Zone zone;
    Verdict verdict;
};

// The rooms RunAnalysis writes a block for, in the same order, each with its verdict: rooms of
// a known kind that are not deleted and lie in a zone of a plot facing `facing`.
std::vector<RoomVerdict> judgeRooms(const ChartTable &txtRoom, int facing, const RuleTable &rules);

struct VerdictCounts
{
    int best = 0;
    int acceptable = 0;
    int moveAdvised = 0;

    int judged() const { return best + acceptable + moveAdvised; }
    bool operator==(const VerdictCounts &) const = default;
};

// Adds one verdict to the counts; a room not judged counts nowhere.
void countVerdict(VerdictCounts &counts, Verdict verdict);
VerdictCounts countVerdicts(const std::vector<RoomVerdict> &verdicts);

// "6 rooms judged: 3 in their best zone, 2 acceptable, 1 move advised".
std::string verdictSummary(const VerdictCounts &counts);

} // namespace tessel
