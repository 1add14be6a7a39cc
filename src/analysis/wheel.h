#pragma once

#include "analysis/zone.h"
#include "model/bearing.h"
#include "model/chart.h"
#include "model/plot.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tessel {

// The sixteen compass points; zone k of the sixteen-zone wheel is centred on k x 22.5 degrees.
// The eight-zone wheel has the principal ones (N, NE, E, ...), each twice as wide.
enum class WheelZone : std::uint8_t {
    N,
    NNE,
    NE,
    ENE,
    E,
    ESE,
    SE,
    SSE,
    S,
    SSW,
    SW,
    WSW,
    W,
    WNW,
    NW,
    NNW
};
inline constexpr int kWheelZoneCount = 16;

// "N", "NNE", ... as files, the status line and the report name them.
std::string_view wheelZoneName(WheelZone zone);
// The zone of a name exactly as wheelZoneName gives it.
std::optional<WheelZone> parseWheelZone(std::string_view name);

// N, NE, E, SE, S, SW, W and NW: the zones the specified table speaks of.
constexpr bool isPrincipal(WheelZone zone)
{
    return static_cast<int>(zone) % 2 == 0;
}
// The specified zone of a principal zone; std::nullopt for a sub-zone.
std::optional<Zone> specifiedZone(WheelZone zone);
WheelZone wheelZoneOf(Zone zone);
// The zone `steps` zones of sixteen clockwise from `zone` (negative: anticlockwise).
WheelZone turnedZone(WheelZone zone, int steps);

// The plot's size in feet: width along the chart's x axis, length along its y axis (downwards).
struct PlotFeet
{
    double width = 0;
    double length = 0;

    // A plot without a positive finite size has no wheel.
    bool isMeasured() const;
    bool operator==(const PlotFeet &) const = default;
};
// The plot the scales were measured from: each is the feet of one of the six ruler divisions.
PlotFeet plotFeet(const Scales &scales);

// A box on the chart, twips, y downwards.
struct ChartRect
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    bool operator==(const ChartRect &) const = default;
};

// The plot's middle ninth, the middle third of its width by the middle third of its length.
// The same twips for every plot, as the chart always shows the plot as the same square.
inline constexpr ChartRect kBrahmasthan = {1600, 1600, 1600, 1600};

// A wheel of 8 or 16 zones laid on a plot from its centre, turned by the bearing. Directions are
// found in feet, with the plot's real proportions: the chart point (x, y) twips lies at
// (x / 4800 x width, y / 4800 x length) feet, however square the chart shows it.
class Wheel
{
public:
    // zones: 8 or 16 (any other count is taken as 16).
    Wheel(PlotFeet plot, Bearing bearing, int zones);

    PlotFeet plot() const { return m_plot; }
    Bearing bearing() const { return m_bearing; }
    int zoneCount() const { return m_zones; }
    // False for a plot without size: nothing lies in any of its zones.
    bool isValid() const { return m_plot.isMeasured(); }

    // Compass degrees from the plot's centre to a chart point, 0 to under 360; std::nullopt at
    // the centre itself and on a plot without size.
    std::optional<double> directionOf(ChartPoint point) const;
    // The zone a compass direction lies in. A direction on a boundary belongs to the zone that
    // starts there (clockwise); one within a billionth of a degree of a boundary is on it.
    WheelZone zoneOf(double direction) const;
    // The zone a chart point lies in; std::nullopt where directionOf has none.
    std::optional<WheelZone> zoneAt(ChartPoint point) const;

    // The zone's wedge, chart frame: twips from the plot's centre along its starting and its
    // closing boundary. A wedge is narrower than a half turn, so a point lies in it exactly
    // when it is clockwise of the first and anticlockwise of the second.
    struct Wedge
    {
        ChartPoint from;
        ChartPoint to;
    };
    // The wedge of zone `index` of zoneCount(), counted clockwise from N.
    const Wedge &wedge(int index) const { return m_wedges[static_cast<std::size_t>(index)]; }
    // The wheel zone of zone `index` of zoneCount().
    WheelZone zoneAtIndex(int index) const;

private:
    PlotFeet m_plot;
    Bearing m_bearing;
    int m_zones;
    std::array<Wedge, kWheelZoneCount> m_wedges{};
};

// How much of a room lies in each zone of a wheel, exactly (clipped polygons, not samples).
struct RoomShares
{
    // By WheelZone: the part of the room inside the plot that lies in the zone, as a fraction of
    // that part; the fractions sum to 1. All 0 when no part lies inside; the sub-zones of an
    // eight-zone wheel stay 0.
    std::array<double, kWheelZoneCount> share{};
    // The largest share; a tie, within a billionth, goes to the first zone clockwise from N.
    // std::nullopt when no part of the room lies inside the plot.
    std::optional<WheelZone> mainZone;
    // The fraction of that same part that lies in the Brahmasthan.
    double brahmasthan = 0;

    bool hasArea() const { return mainZone.has_value(); }
};

// Shares of equal rank are equal: they agree to a billionth. Larger shares rank higher.
long long shareRank(double share);

// A room that does not reach into the plot (of no size, beyond its edges, parked after
// deletion) has no shares.
RoomShares shareRoom(const Wheel &wheel, const ChartRect &room);

// The 32 entrance padas, counted clockwise from the north-west corner of the compass:
// 0 to 7 are N1 to N8 (315 to 45 degrees), 8 to 15 E1 to E8, 16 to 23 S1 to S8, 24 to 31 W1 to
// W8, 11.25 degrees each.
inline constexpr int kPadaCount = 32;
inline constexpr double kPadaWidth = 360.0 / kPadaCount;
inline constexpr double kFirstPadaStart = 315;

// The pada a compass direction lies in; a direction on a boundary belongs to the pada that
// starts there, and one within a billionth of a degree of a boundary is on it.
int padaOf(double direction);
// The pada of the direction from the plot's centre to a chart point; std::nullopt at the
// centre and on a plot without size (the wheel's zone count plays no part).
std::optional<int> padaAt(const Wheel &wheel, ChartPoint point);
// "N1" ... "W8".
std::string_view padaCode(int pada);
std::optional<int> parsePadaCode(std::string_view code);
// The deity the pada is named after: "Roga" ... "Papyakshma".
std::string_view padaName(int pada);

// What the views draw for a wheel, in twips: they draw this and compute nothing of their own.
struct WheelDrawing
{
    struct Region
    {
        WheelZone zone;
        // The zone's wedge clipped to the plot, a convex polygon clockwise on screen.
        std::vector<ChartPoint> outline;
        // Where the zone's name goes: the centre of the outline's area.
        ChartPoint labelAnchor;
    };

    ChartPoint centre;
    // The line from the centre to the plot's edge along each zone's starting boundary, in
    // zone order; the n lines part the n zones.
    std::vector<std::pair<ChartPoint, ChartPoint>> boundaries;
    // The zones clockwise from N.
    std::vector<Region> regions;
    ChartRect brahmasthan = kBrahmasthan;
    // Where the line from the centre towards north meets the plot's edge: the north arrow.
    ChartPoint northTip;
};
// Empty (no boundaries, no regions) on a plot without size.
WheelDrawing drawWheel(const Wheel &wheel);

} // namespace tessel
