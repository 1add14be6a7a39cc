#include "model/bearing.h"

#include "model/number.h"

#include <cmath>

namespace tessel {

std::optional<Bearing> Bearing::fromDegrees(double degrees)
{
    if (!std::isfinite(degrees))
        return std::nullopt;
    // Reduced first, so that the tenths fit an int whatever the number of turns.
    const double turn = std::fmod(degrees, 360.0);
    return fromTenths(static_cast<int>(roundHalfEven(turn * 10)));
}

std::optional<Bearing> parseBearing(std::string_view text)
{
    const std::optional<double> value = strictNumber(text);
    if (!value || std::fabs(*value) > kBearingTypedLimit)
        return std::nullopt;
    return Bearing::fromDegrees(*value);
}

std::string formatBearing(Bearing bearing)
{
    const int tenths = bearing.tenths();
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) {
        text += '.';
        text += static_cast<char>('0' + tenths % 10);
    }
    return text;
}

Bearing facingBearing(Facing facing)
{
    switch (facing) {
    case Facing::East:
        return Bearing::fromTenths(900);
    case Facing::South:
        return Bearing::fromTenths(1800);
    case Facing::West:
        return Bearing::fromTenths(2700);
    case Facing::North:
        break;
    }
    return Bearing();
}

std::string_view zoneMethodName(ZoneMethod method)
{
    switch (method) {
    case ZoneMethod::Wheel8:
        return "8";
    case ZoneMethod::Wheel16:
        return "16";
    case ZoneMethod::ByCorner:
        break;
    }
    return "corner";
}

std::optional<ZoneMethod> parseZoneMethod(std::string_view name)
{
    for (const ZoneMethod method : {ZoneMethod::ByCorner, ZoneMethod::Wheel8, ZoneMethod::Wheel16})
        if (zoneMethodName(method) == name)
            return method;
    return std::nullopt;
}

int wheelZoneCount(ZoneMethod method)
{
    switch (method) {
    case ZoneMethod::Wheel8:
        return 8;
    case ZoneMethod::Wheel16:
        return 16;
    case ZoneMethod::ByCorner:
        break;
    }
    return 0;
}

} // namespace tessel
