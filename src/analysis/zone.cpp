#include "analysis/zone.h"

namespace tessel {

namespace {

using enum Zone;

// The zones of the chart's cells, read with the facing at the top edge: rows top to bottom,
// columns left to right, one table per cmbDirection entry. The centre cell itself is never
// read: its quadrants take the zone of the corner cell on their side.
constexpr Zone kCellZones[4][3][3] = {
    // North
    {{NorthWest, North, NorthEast}, {West, NorthWest, East}, {SouthWest, South, SouthEast}},
    // South
    {{SouthEast, South, SouthWest}, {East, SouthEast, West}, {NorthEast, North, NorthWest}},
    // West
    {{SouthWest, West, NorthWest}, {South, SouthWest, North}, {SouthEast, East, NorthEast}},
    // East
    {{NorthEast, East, SouthEast}, {North, NorthEast, South}, {NorthWest, West, SouthWest}},
};

constexpr std::array<std::string_view, kZoneCount> kZoneSentences = {
    "Is in the NorthWest direction.", "Is in the North direction.",
    "Is in the NorthEast direction.", "Is in the West direction.",
    "Is in the East direction.",      "Is in the SouthWest direction.",
    "Is in the South direction.",     "Is in the SouthEast direction.",
};

constexpr std::array<std::string_view, kZoneCount> kZoneNames = {
    "North West", "North", "North East", "West", "East", "South West", "South", "South East",
};

std::optional<int> columnOf(double left)
{
    using G = ZoneGrid;
    if (left <= G::kLeftColumnEnd)
        return 0;
    if (left >= G::kMiddleColumnStart && left <= G::kMiddleColumnEnd)
        return 1;
    if (left >= G::kRightColumnStart && left <= G::kRightColumnEnd)
        return 2;
    return std::nullopt;
}

int rowOf(double top)
{
    if (top <= ZoneGrid::kTopRowEnd)
        return 0;
    return top <= ZoneGrid::kMiddleRowEnd ? 1 : 2;
}

} // namespace

std::optional<Zone> ClassifyZone(double left, double top, int facing)
{
    if (facing < 0 || facing > 3)
        return std::nullopt;
    auto column = columnOf(left);
    if (!column)
        return std::nullopt;
    int row = rowOf(top);
    if (row == 1 && *column == 1) {
        // The centre cell: each quadrant belongs to the corner cell on its side.
        if (left <= ZoneGrid::kCentreLeftEnd)
            column = 0;
        else if (left >= ZoneGrid::kCentreRightStart)
            column = 2;
        else
            return std::nullopt;
        row = top <= ZoneGrid::kCentreUpperEnd ? 0 : 2;
    }
    return kCellZones[facing][row][*column];
}

std::string_view zoneSentence(Zone zone)
{
    return kZoneSentences[static_cast<int>(zone)];
}

std::string_view zoneName(Zone zone)
{
    return kZoneNames[static_cast<int>(zone)];
}

} // namespace tessel
