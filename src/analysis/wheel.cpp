#include "analysis/wheel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace tessel {

namespace {

constexpr std::array<std::string_view, kWheelZoneCount> kWheelZoneNames = {
    "N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
    "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW",
};

// The wheel zone of each specified Zone, in the order of the Zone values.
constexpr std::array<WheelZone, kZoneCount> kPrincipalZones = {
    WheelZone::NW, WheelZone::N,  WheelZone::NE, WheelZone::W,
    WheelZone::E,  WheelZone::SW, WheelZone::S,  WheelZone::SE,
};

constexpr std::array<std::string_view, kPadaCount> kPadaCodes = {
    "N1", "N2", "N3", "N4", "N5", "N6", "N7", "N8", "E1", "E2", "E3", "E4", "E5", "E6", "E7", "E8",
    "S1", "S2", "S3", "S4", "S5", "S6", "S7", "S8", "W1", "W2", "W3", "W4", "W5", "W6", "W7", "W8",
};

// The deities of the outer ring of the plot's mandala, in the same clockwise order.
constexpr std::array<std::string_view, kPadaCount> kPadaNames = {
    "Roga",   "Naga",     "Mukhya",  "Bhallat",    "Soma",  "Bhujag",    "Aditi",     "Diti",
    "Shikhi", "Parjanya", "Jayant",  "Indra",      "Surya", "Satya",     "Bhrisha",   "Antariksh",
    "Anil",   "Pusha",    "Vitatha", "Grihakshat", "Yama",  "Gandharva", "Bhringraj", "Mriga",
    "Pitra",  "Dauvarik", "Sugreev", "Pushpdant",  "Varun", "Asura",     "Shosha",    "Papyakshma",
};

constexpr double kCentre = kChartExtent / 2;
// A direction this close to a boundary, in degrees, is on it: it absorbs the rounding of the
// trigonometry, and lies far below anything a chart position in twips can tell apart.
constexpr double kBoundarySnap = 1e-9;

double cross(ChartPoint a, ChartPoint b)
{
    return a.x * b.y - a.y * b.x;
}

// Which of `count` sectors of `width` degrees, the first starting at 0, an angle lies in.
int sectorOf(double angle, double width, int count)
{
    double position = std::fmod(angle / width, count);
    if (position < 0)
        position += count;
    const double nearest = std::round(position);
    if (std::fabs(position - nearest) * width < kBoundarySnap)
        position = nearest;
    return static_cast<int>(std::floor(position)) % count;
}

// A compass direction as a vector of the chart's frame (twips, y downwards) on this plot.
ChartPoint chartVector(double direction, Bearing bearing, PlotFeet plot)
{
    const double angle = (direction - bearing.degrees()) * std::numbers::pi / 180;
    // In feet the direction is (sin, -cos); one foot is 4800 / size twips along each axis.
    return {std::sin(angle) * kChartExtent / plot.width,
            -std::cos(angle) * kChartExtent / plot.length};
}

// Up to a rectangle's four corners cut by two lines: six corners at most; room to spare.
constexpr int kMaxCorners = 8;

struct Polygon
{
    std::array<ChartPoint, kMaxCorners> points;
    int size = 0;
};

// The part of a convex polygon on the clockwise side of `boundary`, both from the wheel's
// centre (Sutherland-Hodgman against one line through the centre).
Polygon clipClockwiseOf(const Polygon &polygon, ChartPoint boundary)
{
    Polygon kept;
    if (polygon.size == 0)
        return kept;
    ChartPoint a = polygon.points[polygon.size - 1];
    double sideA = cross(boundary, a);
    for (int i = 0; i < polygon.size; ++i) {
        const ChartPoint b = polygon.points[i];
        const double sideB = cross(boundary, b);
        if ((sideA >= 0) != (sideB >= 0)) {
            const double t = sideA / (sideA - sideB);
            kept.points[kept.size++] = {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
        }
        if (sideB >= 0)
            kept.points[kept.size++] = b;
        a = b;
        sideA = sideB;
    }
    return kept;
}

Polygon clipToWedge(const Polygon &polygon, const Wheel::Wedge &wedge)
{
    const Polygon opened = clipClockwiseOf(polygon, wedge.from);
    return clipClockwiseOf(opened, {-wedge.to.x, -wedge.to.y});
}

double areaOf(const Polygon &polygon)
{
    if (polygon.size == 0)
        return 0;
    double twice = cross(polygon.points[polygon.size - 1], polygon.points[0]);
    for (int i = 1; i < polygon.size; ++i)
        twice += cross(polygon.points[i - 1], polygon.points[i]);
    return std::fabs(twice) / 2;
}

// A box's corners from the wheel's centre, clockwise on screen.
Polygon cornersOf(double left, double top, double right, double bottom)
{
    Polygon corners;
    corners.points[0] = {left - kCentre, top - kCentre};
    corners.points[1] = {right - kCentre, top - kCentre};
    corners.points[2] = {right - kCentre, bottom - kCentre};
    corners.points[3] = {left - kCentre, bottom - kCentre};
    corners.size = 4;
    return corners;
}

double overlap(double firstStart, double firstEnd, double secondStart, double secondEnd)
{
    return std::max(0.0, std::min(firstEnd, secondEnd) - std::max(firstStart, secondStart));
}

// Where a line from the centre along `vector` leaves the plot.
ChartPoint edgeAlong(ChartPoint vector)
{
    double reach = std::numeric_limits<double>::infinity();
    if (vector.x != 0)
        reach = std::min(reach, kCentre / std::fabs(vector.x));
    if (vector.y != 0)
        reach = std::min(reach, kCentre / std::fabs(vector.y));
    return {kCentre + reach * vector.x, kCentre + reach * vector.y};
}

} // namespace

long long shareRank(double share)
{
    // Shares equal to a billionth rank equal, so that a tie the rounding of the clipping
    // breaks either way still goes to the first zone.
    return static_cast<long long>(share * 1e9 + 0.5);
}

std::string_view wheelZoneName(WheelZone zone)
{
    return kWheelZoneNames[static_cast<std::size_t>(zone)];
}

std::optional<WheelZone> parseWheelZone(std::string_view name)
{
    for (int i = 0; i < kWheelZoneCount; ++i)
        if (kWheelZoneNames[static_cast<std::size_t>(i)] == name)
            return static_cast<WheelZone>(i);
    return std::nullopt;
}

std::optional<Zone> specifiedZone(WheelZone zone)
{
    for (int z = 0; z < kZoneCount; ++z)
        if (kPrincipalZones[static_cast<std::size_t>(z)] == zone)
            return static_cast<Zone>(z);
    return std::nullopt;
}

WheelZone wheelZoneOf(Zone zone)
{
    return kPrincipalZones[static_cast<std::size_t>(zone)];
}

WheelZone turnedZone(WheelZone zone, int steps)
{
    const int turned =
        (static_cast<int>(zone) + steps % kWheelZoneCount + kWheelZoneCount) % kWheelZoneCount;
    return static_cast<WheelZone>(turned);
}

bool PlotFeet::isMeasured() const
{
    return std::isfinite(width) && std::isfinite(length) && width > 0 && length > 0;
}

PlotFeet plotFeet(const Scales &scales)
{
    return {scales.width * kRulerDivisions, scales.length * kRulerDivisions};
}

Wheel::Wheel(PlotFeet plot, Bearing bearing, int zones)
    : m_plot(plot)
    , m_bearing(bearing)
    , m_zones(zones == 8 ? 8 : kWheelZoneCount)
{
    if (!isValid())
        return;
    // Each boundary is computed once, so that a zone closes exactly where the next one starts.
    const double width = 360.0 / m_zones;
    std::array<ChartPoint, kWheelZoneCount> boundaries{};
    for (int k = 0; k < m_zones; ++k)
        boundaries[static_cast<std::size_t>(k)] =
            chartVector(k * width - width / 2, m_bearing, m_plot);
    for (int k = 0; k < m_zones; ++k)
        m_wedges[static_cast<std::size_t>(k)] = {
            boundaries[static_cast<std::size_t>(k)],
            boundaries[static_cast<std::size_t>((k + 1) % m_zones)]};
}

std::optional<double> Wheel::directionOf(ChartPoint point) const
{
    if (!isValid() || (point.x == kCentre && point.y == kCentre))
        return std::nullopt;
    const double east = (point.x - kCentre) / kChartExtent * m_plot.width;
    const double north = (kCentre - point.y) / kChartExtent * m_plot.length;
    double direction = m_bearing.degrees() + std::atan2(east, north) * 180 / std::numbers::pi;
    direction = std::fmod(direction, 360.0);
    if (direction < 0)
        direction += 360;
    return direction >= 360 ? 0 : direction;
}

WheelZone Wheel::zoneOf(double direction) const
{
    const double width = 360.0 / m_zones;
    return zoneAtIndex(sectorOf(direction + width / 2, width, m_zones));
}

std::optional<WheelZone> Wheel::zoneAt(ChartPoint point) const
{
    const auto direction = directionOf(point);
    if (!direction)
        return std::nullopt;
    return zoneOf(*direction);
}

WheelZone Wheel::zoneAtIndex(int index) const
{
    return static_cast<WheelZone>(index * (kWheelZoneCount / m_zones));
}

RoomShares shareRoom(const Wheel &wheel, const ChartRect &room)
{
    RoomShares shares;
    if (!wheel.isValid() || !std::isfinite(room.left) || !std::isfinite(room.top) ||
        !std::isfinite(room.width) || !std::isfinite(room.height))
        return shares;
    // Only the part inside the plot counts.
    const double left = std::max(room.left, 0.0);
    const double top = std::max(room.top, 0.0);
    const double right = std::min(room.left + room.width, kChartExtent);
    const double bottom = std::min(room.top + room.height, kChartExtent);
    if (right <= left || bottom <= top)
        return shares;
    const Polygon corners = cornersOf(left, top, right, bottom);

    // Which side of each boundary the corners lie on tells most zones at once: a room wholly
    // on the anticlockwise side of a zone's first boundary, or the clockwise side of its last,
    // has nothing in it; a room between the two lies wholly in it. Only the zones a room
    // straddles the boundaries of are clipped.
    const int zones = wheel.zoneCount();
    std::array<bool, kWheelZoneCount> allClockwise{};
    std::array<bool, kWheelZoneCount> allAnticlockwise{};
    for (int k = 0; k < zones; ++k) {
        const ChartPoint boundary = wheel.wedge(k).from;
        int clockwise = 0;
        int anticlockwise = 0;
        for (int c = 0; c < 4; ++c) {
            const double side = cross(boundary, corners.points[c]);
            clockwise += side >= 0;
            anticlockwise += side <= 0;
        }
        allClockwise[k] = clockwise == 4;
        allAnticlockwise[k] = anticlockwise == 4;
    }

    std::array<double, kWheelZoneCount> areas{};
    double total = 0;
    for (int k = 0; k < zones; ++k) {
        const int next = (k + 1) % zones;
        if (allAnticlockwise[k] || allClockwise[next])
            continue;
        // A boundary the room lies wholly on the right side of cuts nothing off.
        double area = (right - left) * (bottom - top);
        if (!allClockwise[k] || !allAnticlockwise[next]) {
            const Wheel::Wedge &wedge = wheel.wedge(k);
            const Polygon opened = allClockwise[k] ? corners : clipClockwiseOf(corners, wedge.from);
            area = areaOf(allAnticlockwise[next]
                              ? opened
                              : clipClockwiseOf(opened, {-wedge.to.x, -wedge.to.y}));
        }
        areas[k] = area;
        total += area;
    }
    if (!(total > 0))
        return shares;

    long long largest = -1;
    for (int k = 0; k < zones; ++k) {
        if (areas[k] == 0)
            continue;
        const double share = areas[k] / total;
        const WheelZone zone = wheel.zoneAtIndex(k);
        shares.share[static_cast<std::size_t>(zone)] = share;
        // Zones are visited clockwise from N: an equal share later on does not take over.
        if (shareRank(share) > largest) {
            largest = shareRank(share);
            shares.mainZone = zone;
        }
    }
    const double inCentre =
        overlap(left, right, kBrahmasthan.left, kBrahmasthan.left + kBrahmasthan.width) *
        overlap(top, bottom, kBrahmasthan.top, kBrahmasthan.top + kBrahmasthan.height);
    shares.brahmasthan = inCentre / ((right - left) * (bottom - top));
    return shares;
}

int padaOf(double direction)
{
    return sectorOf(direction - kFirstPadaStart, kPadaWidth, kPadaCount);
}

std::optional<int> padaAt(const Wheel &wheel, ChartPoint point)
{
    const auto direction = wheel.directionOf(point);
    if (!direction)
        return std::nullopt;
    return padaOf(*direction);
}

std::string_view padaCode(int pada)
{
    return kPadaCodes.at(static_cast<std::size_t>(pada));
}

std::optional<int> parsePadaCode(std::string_view code)
{
    for (int i = 0; i < kPadaCount; ++i)
        if (kPadaCodes[static_cast<std::size_t>(i)] == code)
            return i;
    return std::nullopt;
}

std::string_view padaName(int pada)
{
    return kPadaNames.at(static_cast<std::size_t>(pada));
}

WheelDrawing drawWheel(const Wheel &wheel)
{
    WheelDrawing drawing;
    drawing.centre = {kCentre, kCentre};
    if (!wheel.isValid())
        return drawing;
    const Polygon plot = cornersOf(0, 0, kChartExtent, kChartExtent);
    for (int k = 0; k < wheel.zoneCount(); ++k) {
        const Wheel::Wedge &wedge = wheel.wedge(k);
        drawing.boundaries.emplace_back(drawing.centre, edgeAlong(wedge.from));

        const Polygon part = clipToWedge(plot, wedge);
        WheelDrawing::Region region{wheel.zoneAtIndex(k), {}, {}};
        // The centroid of the part's area, by the triangles it makes with the centre, which
        // is one of its corners.
        double twiceArea = 0;
        ChartPoint weighted;
        for (int i = 0; i < part.size; ++i) {
            const ChartPoint a = part.points[i];
            const ChartPoint b = part.points[(i + 1) % part.size];
            region.outline.push_back({a.x + kCentre, a.y + kCentre});
            const double twice = cross(a, b);
            twiceArea += twice;
            weighted.x += (a.x + b.x) * twice;
            weighted.y += (a.y + b.y) * twice;
        }
        if (twiceArea != 0)
            region.labelAnchor = {kCentre + weighted.x / (3 * twiceArea),
                                  kCentre + weighted.y / (3 * twiceArea)};
        else
            region.labelAnchor = drawing.centre;
        drawing.regions.push_back(std::move(region));
    }
    drawing.northTip = edgeAlong(chartVector(0, wheel.bearing(), wheel.plot()));
    return drawing;
}

} // namespace tessel
