#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tessel {

// The eight compass zones of a plot; there is no centre zone.
enum class Zone { NorthWest, North, NorthEast, West, East, SouthWest, South, SouthEast };

inline constexpr int kZoneCount = 8;

// The zone grid in twips, inclusive as named. It is finer than the guide lines drawn on the
// chart: a corner between a guide line and a bound is classified by the bound.
struct ZoneGrid
{
    // Columns: left up to kLeftColumnEnd, middle from kMiddleColumnStart to
    // kMiddleColumnEnd, right from kRightColumnStart to kRightColumnEnd. A left between two
    // of these (a fraction in a gap, or kRightColumnEnd and beyond) is in no column.
    static constexpr double kLeftColumnEnd = 1597;
    static constexpr double kMiddleColumnStart = 1598;
    static constexpr double kMiddleColumnEnd = 3186;
    static constexpr double kRightColumnStart = 3187;
    static constexpr double kRightColumnEnd = 4799;
    // Rows have no gaps: top row up to kTopRowEnd, middle row up to kMiddleRowEnd, bottom
    // row beyond.
    static constexpr double kTopRowEnd = 1582;
    static constexpr double kMiddleRowEnd = 3187;
    // The centre cell's quadrants: left half up to kCentreLeftEnd, right half from
    // kCentreRightStart (a fraction between them is in neither); upper half up to
    // kCentreUpperEnd.
    static constexpr double kCentreLeftEnd = 2400;
    static constexpr double kCentreRightStart = 2401;
    static constexpr double kCentreUpperEnd = 2390;
};

// The zone of a box whose top-left corner is at (left, top), in twips, on a plot facing the
// cmbDirection entry `facing` (0 North, 1 South, 2 West, 3 East). Only that corner counts,
// however large the box. std::nullopt when the corner lies in no zone or no facing is
// selected (any other index).
std::optional<Zone> ClassifyZone(double left, double top, int facing);

// The sentence by which the report names a zone: "Is in the North direction." and so on.
std::string_view zoneSentence(Zone zone);

// How a zone is named in running text: "North West", "North" and so on.
std::string_view zoneName(Zone zone);

} // namespace tessel
