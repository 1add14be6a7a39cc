#pragma once

#include "model/plot.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessel {

// The compass direction the chart's top edge faces: degrees clockwise from north, kept to one
// decimal, from 0 to 359.9. A point straight above the plot's centre on the chart lies in this
// direction from it, a point to the centre's right in the direction 90 degrees further on.
class Bearing
{
public:
    static constexpr int kTenthsPerTurn = 3600;

    constexpr Bearing() = default;

    // Any finite number of degrees, rounded to the nearest tenth (halves to even) and turned
    // into 0 to 359.9: 360 is 0, -90 is 270. std::nullopt for infinities and NaN.
    static std::optional<Bearing> fromDegrees(double degrees);
    static constexpr Bearing fromTenths(int tenths)
    {
        return Bearing(((tenths % kTenthsPerTurn) + kTenthsPerTurn) % kTenthsPerTurn);
    }

    constexpr int tenths() const { return m_tenths; }
    constexpr double degrees() const { return m_tenths / 10.0; }

    constexpr bool operator==(const Bearing &) const = default;

private:
    explicit constexpr Bearing(int tenths)
        : m_tenths(tenths)
    {}

    int m_tenths = 0;
};

// The largest bearing typed either way round: a reading of -360 to 360 degrees is taken, one
// beyond is refused as most likely a slip (1775 for 177.5).
inline constexpr double kBearingTypedLimit = 360;

// The bearing in a text typed by the user or given on the command line: one decimal number
// and nothing else, blanks around it allowed, from -360 to 360, rounded to a tenth; more than
// one decimal is rounded. std::nullopt for anything else ("", "N", "17.5 deg", "1,5", "400").
std::optional<Bearing> parseBearing(std::string_view text);

// "17.5", "0", "90": no trailing zeros, so that a facing's bearing reads as a whole number.
std::string formatBearing(Bearing bearing);

// What the user is told when a typed bearing is refused.
inline constexpr const char *kBearingRefusal =
    "The bearing must be a number of degrees from 0 to 359.9";

// The bearing that choosing a facing sets: North 0, East 90, South 180, West 270. It puts the
// compass captions of that facing where the chart shows them.
Bearing facingBearing(Facing facing);

// How the zones of a room are found.
enum class ZoneMethod {
    ByCorner, // the zone of the room's top-left corner, as the report names it
    Wheel8,   // eight zones of 45 degrees from the plot's centre
    Wheel16,  // sixteen zones of 22.5 degrees from the plot's centre
};

// The stable names of the methods in files and on the command line: "corner", "8", "16".
std::string_view zoneMethodName(ZoneMethod method);
// The method of a name as zoneMethodName gives it, exactly; std::nullopt for any other text.
std::optional<ZoneMethod> parseZoneMethod(std::string_view name);

// The zones a method's wheel has: 8 or 16; 0 for the corner method, which has no wheel.
int wheelZoneCount(ZoneMethod method);

} // namespace tessel
