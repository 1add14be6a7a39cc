#include "analysis/report.h"
#include "analysis/rule_table.h"
#include "analysis/verdict.h"
#include "chart_elements.h"
#include "model/rooms.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace tessel {
namespace {

using testing::placeElement;

// The zone a recommendation line names by its opening words ("South East direction is ..."),
// the longest name that fits: "North East" before "North".
std::optional<Zone> zoneNamedBy(const std::string &line)
{
    std::optional<Zone> named;
    std::size_t longest = 0;
    for (int i = 0; i < kZoneCount; ++i) {
        const std::string_view name = zoneName(Zone(i));
        if (line.starts_with(name) && name.size() > longest) {
            named = Zone(i);
            longest = name.size();
        }
    }
    return named;
}

bool endsWith(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// All 104 cells: each verdict is read off what the report would say in that cell, not off a
// second table.
TEST(Verdict, EveryCellIsJudgedByWhatItsAdviceSays)
{
    const RuleTable rules;
    ASSERT_EQ(rules.kinds().size(), kRoomCatalogue.size());
    std::map<Verdict, int> seen;
    int cells = 0;
    for (const RoomRules &kind : rules.kinds()) {
        const std::optional<Zone> best = zoneNamedBy(kind.recommendationLine);
        EXPECT_EQ(best.has_value(), !kind.recommendationLine.empty()) << kind.kind;
        for (int i = 0; i < kZoneCount; ++i) {
            const Zone zone = Zone(i);
            const std::string &advice = kind.adviceFor(zone);
            const bool sendsAway = !kind.recommendationLine.empty() &&
                                   endsWith(advice, "\r\n" + kind.recommendationLine);
            Verdict expected = sendsAway ? Verdict::MoveAdvised : Verdict::Acceptable;
            if (zone == best) {
                // The best cell gives the long form and never sends the room away.
                EXPECT_FALSE(sendsAway) << kind.kind;
                expected = Verdict::Best;
            }
            EXPECT_EQ(judge(kind, zone), expected) << kind.kind << " in " << zoneName(zone);
            EXPECT_EQ(judge(rules, kind.kind, zone), expected) << kind.kind;
            ++seen[expected];
            ++cells;
        }
    }
    EXPECT_EQ(cells, 104);
    // Every kind but Guest Room has exactly one best cell.
    EXPECT_EQ(seen[Verdict::Best], 12);
    EXPECT_GT(seen[Verdict::MoveAdvised], 0);
    EXPECT_GT(seen[Verdict::Acceptable], 0);

    const RoomRules &guest = *rules.find("Guest Room");
    for (int i = 0; i < kZoneCount; ++i)
        EXPECT_EQ(judge(guest, Zone(i)), Verdict::Acceptable);
    for (const char *unknown : {"kitchen", "Kitchen ", "Bathroom", "", "Main Entrance"})
        EXPECT_EQ(judge(rules, unknown, Zone::North), Verdict::NotJudged) << unknown;
}

// The rooms judged are the rooms the report has a block for; the counts add them up.
TEST(Verdict, RoomsJudgedAreTheRoomsOfTheReportAndAreCounted)
{
    const RuleTable rules;
    ChartTable table;
    // North facing: top-left NorthWest, bottom-right SouthEast, bottom-middle South.
    placeElement(table, "Kitchen", 4000, 4000, 100, 100);       // SouthEast: best
    placeElement(table, "", 100, 100, 0, 300);                  // a door
    placeElement(table, "Kitchen", 100, 100, 100, 100);         // NorthWest: acceptable
    placeElement(table, "Pantry", 2000, 2000, 100, 100);        // not a kind
    placeElement(table, "Hall", 2000, 4000, 100, 100);          // South: move advised
    placeElement(table, "Guest Room", 1597.5f, 100, 100, 100);  // in no zone
    placeElement(table, "Master BedRoom", 100, 4000, 100, 100); // SouthWest: best
    // A deleted room moved away from where deleting parked it.
    const int deleted = placeElement(table, "Study Room", 3500, 100, 0, 0);
    table.at(deleted).enabled = false;

    const std::vector<RoomVerdict> verdicts = judgeRooms(table, 0, rules);
    ASSERT_EQ(verdicts.size(), 4u);
    EXPECT_EQ(verdicts[0].index, 1);
    EXPECT_EQ(verdicts[1].index, 3);
    EXPECT_EQ(verdicts[2].index, 5);
    EXPECT_EQ(verdicts[3].index, 7);
    EXPECT_EQ(verdicts[2].zone, Zone::South);
    EXPECT_EQ(verdicts[2].verdict, Verdict::MoveAdvised);

    const VerdictCounts counts = countVerdicts(verdicts);
    EXPECT_EQ(counts, (VerdictCounts{2, 1, 1}));
    EXPECT_EQ(verdictSummary(counts),
              "4 rooms judged: 2 in their best zone, 1 acceptable, 1 move advised");
    EXPECT_EQ(verdictSummary({0, 1, 0}),
              "1 room judged: 0 in their best zone, 1 acceptable, 0 move advised");

    // One block per judged room, no more.
    const std::string report = RunAnalysis(table, 0);
    std::size_t blocks = 0;
    for (std::size_t at = report.find("Analysis for "); at != std::string::npos;
         at = report.find("Analysis for ", at + 1))
        ++blocks;
    EXPECT_EQ(blocks, verdicts.size());

    // The facing turns the plot: facing South the first Kitchen is in the NorthWest.
    EXPECT_EQ(judgeRooms(table, 1, rules)[0].verdict, Verdict::Acceptable);
    EXPECT_TRUE(judgeRooms(table, -1, rules).empty());
}

} // namespace
} // namespace tessel
