#pragma once

#include "model/bearing.h"
#include "analysis/rule_set.h"
#include "analysis/wheel.h"
#include "model/chart.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tessel {

class RuleTable;

// What the zones of a layout are read from.
struct ZoneSettings
{
    ZoneMethod method = ZoneMethod::ByCorner;
    // The cmbDirection entry (0 North, 1 South, 2 West, 3 East); only the corner method reads it.
    int facing = 0;
    // The wheels and the entrances' padas read these.
    Bearing bearing;
    PlotFeet plot;

    Wheel wheel() const { return Wheel(plot, bearing, wheelZoneCount(method)); }
};

// One room the analysis judges.
struct RoomJudgement
{
    int index = 0;
    // Its main zone on a wheel; with the corner method the zone of its top-left corner.
    WheelZone mainZone = WheelZone::N;
    Verdict verdict = Verdict::NotJudged;
    // Wheels only: its shares of the zones and of the Brahmasthan.
    std::optional<RoomShares> shares;
    // A kind the rule set keeps out of the Brahmasthan that has a share of it.
    bool inBrahmasthanAgainstRules = false;
};

// The main or the back entrance.
struct EntranceJudgement
{
    int index = 0;
    ElementKind kind = ElementKind::MainEntrance;
    // From the direction of its midpoint; none at the plot's very centre or without a plot.
    std::optional<int> pada;
    PadaEffect effect = PadaEffect::NotFavoured;
};

struct ZoneAnalysis
{
    ZoneSettings settings;
    // The rule set the wheel judged by; the corner method judges by the rule table, whose
    // verdicts the built-in set has.
    std::string ruleSetName;
    // The same rooms, in the same order, as judgeRooms gives for the corner method: rooms of a
    // known kind, not deleted, with a zone (on a wheel: with a part inside the plot).
    std::vector<RoomJudgement> rooms;
    // Wheels only: positions in `rooms` of the rooms with a share of the Brahmasthan.
    std::vector<std::size_t> brahmasthanOccupants;
    // Every live element named as an entrance, in index order.
    std::vector<EntranceJudgement> entrances;
};

// One element as the analysis sees it, wherever it stands now (during a drag, at the place it
// is dragged to). std::nullopt for anything the analysis does not judge.
std::optional<RoomJudgement> judgeRoom(const ChartElement &element, int index,
                                       const ZoneSettings &settings, const RuleSet &ruleSet,
                                       const RuleTable &table);
std::optional<EntranceJudgement> judgeEntrance(const ChartElement &element, int index,
                                               const ZoneSettings &settings,
                                               const RuleSet &ruleSet);

// The whole chart, by any of the three methods.
ZoneAnalysis analyseZones(const ChartTable &txtRoom, const ZoneSettings &settings,
                          const RuleSet &ruleSet, const RuleTable &table);

} // namespace tessel
