#pragma once

#include "analysis/zone_analysis.h"

#include <string>
#include <string_view>

namespace tessel {

// "SE 72 %, SSE 28 %": the shares in whole percent (halves to even), largest first (a tie in
// zone order from N), zones whose share rounds to 0 % left out.
std::string sharesText(const RoomShares &shares);

// What the status line says of a judged room, `text` being its name:
//   wheel:  "Kitchen: SE 72 %, SSE 28 %, best zone"
//   corner: "Kitchen: NW, best zone"
// A room with a share of the Brahmasthan adds it: "; 12 % in the Brahmasthan", and
// ", to be kept out" where the rule set keeps its kind out.
std::string roomStatusText(std::string_view text, const RoomJudgement &room);

// "Main Entrance: N3 Mukhya, favourable"; "Main Entrance: at the plot's centre, no pada".
std::string entranceStatusText(const EntranceJudgement &entrance);

// The status line's text for element `index` as it stands (or is dragged): a judged room's or
// an entrance's; empty for anything else, so that the caller keeps its own text.
std::string zoneStatusText(const ChartElement &element, int index, const ZoneSettings &settings,
                           const RuleSet &ruleSet, const RuleTable &table);

// The section a wheel adds after the specified report, which stays as it is: CR LF lines,
// starting with the empty line that parts it from the report and without a line break after
// the last. It names the wheel, the bearing and the rule set, gives every judged room's shares,
// main zone and verdict, the Brahmasthan's occupants and every entrance's pada. Empty for the
// corner method.
std::string zoneReportSection(const ChartTable &txtRoom, const ZoneAnalysis &analysis);

// The report window's text: the specified report of the chart for the settings' facing,
// unchanged, followed by zoneReportSection.
std::string reportWithZones(const ChartTable &txtRoom, const ZoneAnalysis &analysis);

// The analysis as JSON for scripts, one line:
//   {"bearing": 17.5, "zones": 16, "rules": "built-in",
//    "rooms": [{"index": 1, "name": "Kitchen", "shares": {"SE": 0.72, "SSE": 0.28},
//               "mainZone": "SE", "verdict": "best zone", "brahmasthan": 0.0}],
//    "entrances": [{"index": 3, "kind": "Main Entrance", "pada": "N3", "name": "Mukhya",
//                   "effect": "favourable"}]}
// Shares are fractions of 1, zones without a share left out. The corner method writes
// "zones": "corner" and leaves out "shares" and "brahmasthan". An entrance without a pada has
// null for its pada, name and effect.
std::string zoneAnalysisJson(const ChartTable &txtRoom, const ZoneAnalysis &analysis);

} // namespace tessel
