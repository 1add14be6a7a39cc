#pragma once

#include "model/check.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tessel {

// Twips (1/1440 inch); the whole plot maps onto the square 0..4800 on both axes,
// width along x (to the right), length along y (downwards).
inline constexpr double kChartExtent = 4800.0;
inline constexpr double kRulerDivision = 800.0;
inline constexpr int kRulerDivisions = 6;

enum class Facing { North = 0, South = 1, West = 2, East = 3 };

// Feet of plot that one ruler division stands for; both 0 until the plot is measured.
struct Scales
{
    double length = 0;
    double width = 0;

    bool isSet() const { return length > 0 && width > 0; }
    bool operator==(const Scales &) const = default;
};

// Both plot fields must hold a number greater than 0 before any scale is computed from them.
std::optional<Refusal> ValidatePlotEntry(const std::string &lengthText,
                                         const std::string &widthText);

// The scales for plot fields that passed ValidatePlotEntry.
Scales measureScales(const std::string &lengthText, const std::string &widthText);

// decimalPoint: the user's decimal separator, UTF-8.
std::string lengthScaleCaption(const Scales &scales, std::string_view decimalPoint = ".");
std::string widthScaleCaption(const Scales &scales, std::string_view decimalPoint = ".");

// Feet to chart units and back; length runs along y, width along x.
double lengthToChart(double feet, const Scales &scales);
double widthToChart(double feet, const Scales &scales);
double chartToLength(double twips, const Scales &scales);
double chartToWidth(double twips, const Scales &scales);

// The compass letters at the top, bottom, left and right of the chart: the facing
// direction stands at the top and the others follow clockwise.
struct CompassCaptions
{
    std::string up, down, left, right;
    bool operator==(const CompassCaptions &) const = default;
};
CompassCaptions compassCaptions(Facing facing);

inline constexpr std::array<const char *, 4> kFacingNames = {"North", "South", "West", "East"};

} // namespace tessel
