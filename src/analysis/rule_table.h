#pragma once

#include "analysis/zone.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

// What the analysis says about one room kind: the headings of its report blocks and its
// advice for each zone. All texts are plain ASCII.
struct RoomRules
{
    std::string kind; // the room text it applies to, matched exactly
    std::string firstHeading;
    std::string laterHeading;
    // The short advice that names the kind's best zone; empty when the kind has none.
    std::string recommendationLine;
    // The zone the recommendation line names; none when the kind has no line.
    std::optional<Zone> bestZone;
    // By Zone: one paragraph, then CR LF and the recommendation line where the zone calls
    // for it. No other line breaks.
    std::array<std::string, kZoneCount> advice;
    // By Zone: whether the advice ends with the recommendation line (the cells marked R).
    std::array<bool, kZoneCount> recommends{};

    const std::string &heading(bool firstBlock) const
    {
        return firstBlock ? firstHeading : laterHeading;
    }
    const std::string &adviceFor(Zone zone) const { return advice[static_cast<int>(zone)]; }
};

// The advice of Vastu Shastra for the thirteen room kinds the analysis knows, compiled in.
class RuleTable
{
public:
    RuleTable();

    // The rules for a room whose text is exactly `text` (case, blanks and all), or null:
    // "kitchen", "Kitchen " and door or entrance texts have none.
    const RoomRules *find(std::string_view text) const;
    const std::vector<RoomRules> &kinds() const { return m_kinds; }

private:
    std::vector<RoomRules> m_kinds;
};

} // namespace tessel
