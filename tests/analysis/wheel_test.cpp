#include "model/bearing.h"
#include "analysis/wheel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <numeric>
#include <set>
#include <string>

namespace tessel {
namespace {

constexpr PlotFeet kSquare{60, 60};
constexpr PlotFeet kLong{30, 90};

TEST(Bearing, TypedTextIsReadAsTenthsOfATurn)
{
    const std::pair<const char *, int> accepted[] = {
        {"17.5", 175},  {" 90 ", 900}, {"360", 0},   {"-90", 2700}, {"359.96", 0},
        {"12.34", 123}, {"0.05", 0},   {"+45", 450}, {"-360", 0},   {".5", 5},
    };
    for (const auto &[text, tenths] : accepted) {
        const auto bearing = parseBearing(text);
        ASSERT_TRUE(bearing) << text;
        EXPECT_EQ(bearing->tenths(), tenths) << text;
    }
    for (const char *junk : {"", " ", "N", "17.5 deg", "1,5", "400", "-361", "nan", "1e3", "1.2.3"})
        EXPECT_FALSE(parseBearing(junk)) << junk;
    EXPECT_FALSE(Bearing::fromDegrees(std::nan("")));
    EXPECT_EQ(Bearing::fromDegrees(725.3)->tenths(), 53);
}

TEST(Bearing, EveryBearingReadsBackAsWritten)
{
    for (int tenths = 0; tenths < Bearing::kTenthsPerTurn; ++tenths) {
        const Bearing bearing = Bearing::fromTenths(tenths);
        ASSERT_EQ(parseBearing(formatBearing(bearing)), bearing) << formatBearing(bearing);
    }
    EXPECT_EQ(formatBearing(Bearing::fromTenths(900)), "90");
    EXPECT_EQ(formatBearing(Bearing::fromTenths(175)), "17.5");
}

// The captions the chart shows around a facing name the compass directions the wheel finds
// there: the top edge faces the bearing, the right edge 90 degrees on.
TEST(Bearing, FacingsAgreeWithTheCompassCaptions)
{
    const auto named = [](double direction) -> std::string {
        const char *names[] = {"N", "E", "S", "W"};
        return names[static_cast<int>(std::lround(direction / 90)) % 4];
    };
    for (const Facing facing : {Facing::North, Facing::South, Facing::West, Facing::East}) {
        const CompassCaptions captions = compassCaptions(facing);
        const Wheel wheel(kLong, facingBearing(facing), 16);
        EXPECT_EQ(named(*wheel.directionOf({2400, 0})), captions.up);
        EXPECT_EQ(named(*wheel.directionOf({4800, 2400})), captions.right);
        EXPECT_EQ(named(*wheel.directionOf({2400, 4800})), captions.down);
        EXPECT_EQ(named(*wheel.directionOf({0, 2400})), captions.left);
    }
}

TEST(ZoneMethod, NamesAreStableAndExact)
{
    for (const ZoneMethod method : {ZoneMethod::ByCorner, ZoneMethod::Wheel8, ZoneMethod::Wheel16})
        EXPECT_EQ(parseZoneMethod(zoneMethodName(method)), method);
    EXPECT_EQ(zoneMethodName(ZoneMethod::Wheel16), "16");
    for (const char *other : {"", "Corner", "8 ", "32", "wheel"})
        EXPECT_FALSE(parseZoneMethod(other)) << other;
}

double sumOf(const RoomShares &shares)
{
    return std::accumulate(shares.share.begin(), shares.share.end(), 0.0);
}

// Rooms of many sizes and places, some reaching beyond the plot, on plots of several shapes
// and bearings.
struct Sample
{
    PlotFeet plot;
    Bearing bearing;
    int zones;
    ChartRect room;
};

std::vector<Sample> samples()
{
    std::vector<Sample> all;
    unsigned seed = 12345;
    const auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<double>((seed >> 8) % static_cast<unsigned>(range));
    };
    for (const PlotFeet plot : {kSquare, kLong, PlotFeet{100, 20}})
        for (const int tenths : {0, 175, 900, 2250, 3599})
            for (const int zones : {8, 16})
                for (int i = 0; i < 40; ++i)
                    all.push_back(
                        {plot,
                         Bearing::fromTenths(tenths),
                         zones,
                         {next(5400) - 300, next(5400) - 300, next(3000) + 1, next(3000) + 1}});
    return all;
}

TEST(Shares, SumToOneWithTheMainZoneTheLargest)
{
    for (const Sample &s : samples()) {
        const RoomShares shares = shareRoom(Wheel(s.plot, s.bearing, s.zones), s.room);
        if (!shares.hasArea())
            continue;
        EXPECT_NEAR(sumOf(shares), 1.0, 1e-12);
        const double largest = *std::max_element(shares.share.begin(), shares.share.end());
        EXPECT_NEAR(shares.share[static_cast<std::size_t>(*shares.mainZone)], largest, 1e-9);
        for (int k = 1; s.zones == 8 && k < kWheelZoneCount; k += 2)
            EXPECT_EQ(shares.share[static_cast<std::size_t>(k)], 0);
    }
}

TEST(Shares, ARoomCentredOnTheCentreGivesOppositeZonesEqualShares)
{
    for (const PlotFeet plot : {kSquare, kLong})
        for (const double w : {300.0, 1000.0, 4800.0})
            for (const double h : {200.0, 2500.0}) {
                const ChartRect room{2400 - w / 2, 2400 - h / 2, w, h};
                const RoomShares shares =
                    shareRoom(Wheel(plot, Bearing::fromTenths(175), 16), room);
                for (int k = 0; k < kWheelZoneCount / 2; ++k)
                    EXPECT_NEAR(shares.share[static_cast<std::size_t>(k)],
                                shares.share[static_cast<std::size_t>(k + 8)], 1e-12);
            }
}

TEST(Shares, TurningTheBearingByOneZoneMovesEveryShareByOneZone)
{
    for (const Sample &s : samples()) {
        const int step = s.zones == 16 ? 225 : 450;
        const Bearing turned = Bearing::fromTenths(s.bearing.tenths() + step);
        const RoomShares before = shareRoom(Wheel(s.plot, s.bearing, s.zones), s.room);
        const RoomShares after = shareRoom(Wheel(s.plot, turned, s.zones), s.room);
        const int zoneStep = 16 / s.zones;
        for (int k = 0; k < kWheelZoneCount; ++k)
            EXPECT_NEAR(after.share[static_cast<std::size_t>(turnedZone(WheelZone(k), zoneStep))],
                        before.share[static_cast<std::size_t>(k)], 1e-9);
        if (before.hasArea() && after.hasArea() &&
            std::abs(before.share[size_t(*before.mainZone)] - 0.5) > 1e-6) {
            EXPECT_EQ(*after.mainZone, turnedZone(*before.mainZone, zoneStep));
        }
    }
}

// On a plot three times as long as it is wide, the chart's top-right region lies north-east of
// the centre, though the square chart shows it nearer east.
TEST(Shares, TheWheelFollowsThePlotsRealProportions)
{
    const ChartRect room{4500, 1600, 200, 200};
    EXPECT_EQ(shareRoom(Wheel(kLong, Bearing(), 8), room).mainZone, WheelZone::NE);
    EXPECT_EQ(shareRoom(Wheel(kSquare, Bearing(), 8), room).mainZone, WheelZone::E);
    // The chart's corner is the plot's corner either way.
    EXPECT_NEAR(*Wheel(kLong, Bearing(), 8).directionOf({4800, 0}), 18.43, 0.01);
}

TEST(Shares, ATieGoesToTheFirstZoneClockwiseFromNorth)
{
    // The chart's top edge faces a boundary: a room straight above the centre halves into the
    // zones either side of it.
    const ChartRect above{2300, 500, 200, 300};
    const RoomShares eastOfNorth = shareRoom(Wheel(kSquare, Bearing::fromTenths(225), 8), above);
    EXPECT_NEAR(eastOfNorth.share[size_t(WheelZone::N)], 0.5, 1e-12);
    EXPECT_EQ(eastOfNorth.mainZone, WheelZone::N);
    const RoomShares westOfNorth = shareRoom(Wheel(kSquare, Bearing::fromTenths(3375), 8), above);
    EXPECT_NEAR(westOfNorth.share[size_t(WheelZone::NW)], 0.5, 1e-12);
    EXPECT_EQ(westOfNorth.mainZone, WheelZone::N);
}

TEST(Shares, OnlyThePartInsideThePlotCounts)
{
    const Wheel wheel(kLong, Bearing::fromTenths(300), 16);
    const RoomShares inside = shareRoom(wheel, {4000, 600, 800, 900});
    const RoomShares reaching = shareRoom(wheel, {4000, 600, 5000, 900});
    for (int k = 0; k < kWheelZoneCount; ++k)
        EXPECT_NEAR(reaching.share[size_t(k)], inside.share[size_t(k)], 1e-12);

    const ChartRect degenerate[] = {{4800, 4800, 0, 0},    {1000, 1000, 0, 500},
                                    {5000, 100, 300, 300}, {100, -900, 300, 300},
                                    {4800, 100, 300, 300}, {std::nan(""), 100, 300, 300},
                                    {100, 100, -300, 300}};
    for (const ChartRect &room : degenerate) {
        const RoomShares none = shareRoom(wheel, room);
        EXPECT_FALSE(none.hasArea()) << room.left << ", " << room.top;
        EXPECT_EQ(sumOf(none), 0);
    }
    EXPECT_FALSE(shareRoom(Wheel({0, 60}, Bearing(), 16), {100, 100, 300, 300}).hasArea());
}

TEST(Shares, TheBrahmasthanIsTheMiddleNinth)
{
    const Wheel wheel(kLong, Bearing(), 16);
    EXPECT_DOUBLE_EQ(shareRoom(wheel, kBrahmasthan).brahmasthan, 1);
    EXPECT_DOUBLE_EQ(shareRoom(wheel, {0, 0, 4800, 4800}).brahmasthan, 1.0 / 9);
    EXPECT_DOUBLE_EQ(shareRoom(wheel, {800, 2000, 1600, 400}).brahmasthan, 0.5);
    // Touching its edge is not being in it.
    EXPECT_EQ(shareRoom(wheel, {1000, 1600, 600, 600}).brahmasthan, 0);
}

TEST(Wheel, ADirectionOnABoundaryBelongsToTheZoneStartingThere)
{
    for (const int zones : {8, 16}) {
        const Wheel wheel(kSquare, Bearing(), zones);
        const double width = 360.0 / zones;
        for (int k = 0; k < zones; ++k) {
            const double boundary = std::fmod(k * width + width / 2, 360);
            const WheelZone next = wheel.zoneAtIndex((k + 1) % zones);
            EXPECT_EQ(wheel.zoneOf(boundary), next) << boundary;
            EXPECT_EQ(wheel.zoneOf(boundary - 1e-6), wheel.zoneAtIndex(k)) << boundary;
        }
        EXPECT_EQ(wheel.zoneOf(359.9999), WheelZone::N);
    }
    EXPECT_FALSE(Wheel(kSquare, Bearing(), 16).directionOf({2400, 2400}));
}

TEST(Padas, BoundariesBelongToThePadaStartingThere)
{
    for (int pada = 0; pada < kPadaCount; ++pada) {
        const double start = kFirstPadaStart + pada * kPadaWidth;
        EXPECT_EQ(padaOf(start), pada) << start;
        EXPECT_EQ(padaOf(start + 1e-6), pada) << start;
        EXPECT_EQ(padaOf(start - 1e-6), (pada + kPadaCount - 1) % kPadaCount) << start;
        EXPECT_EQ(parsePadaCode(padaCode(pada)), pada);
    }
    // The corners and middles of a square plot's sides lie on boundaries exactly.
    const Wheel north(kSquare, Bearing(), 8);
    EXPECT_EQ(padaCode(*padaAt(north, {0, 0})), "N1");
    EXPECT_EQ(padaCode(*padaAt(north, {2400, 0})), "N5");
    EXPECT_EQ(padaCode(*padaAt(north, {4800, 0})), "E1");
    EXPECT_EQ(padaCode(*padaAt(north, {4800, 4800})), "S1");
    EXPECT_EQ(padaCode(*padaAt(north, {0, 4800})), "W1");
    EXPECT_EQ(padaCode(*padaAt(Wheel(kSquare, Bearing::fromTenths(900), 8), {2400, 0})), "E5");
    EXPECT_EQ(padaName(2), "Mukhya");
    EXPECT_EQ(padaName(31), "Papyakshma");
    std::set<std::string_view> names;
    for (int pada = 0; pada < kPadaCount; ++pada)
        names.insert(padaName(pada));
    EXPECT_EQ(names.size(), size_t(kPadaCount));
}

TEST(WheelDrawing, RegionsPartThePlotAndLabelsLieInTheirZones)
{
    for (const PlotFeet plot : {kSquare, kLong})
        for (const int zones : {8, 16}) {
            const Wheel wheel(plot, Bearing::fromTenths(175), zones);
            const WheelDrawing drawing = drawWheel(wheel);
            ASSERT_EQ(drawing.regions.size(), size_t(zones));
            ASSERT_EQ(drawing.boundaries.size(), size_t(zones));
            double area = 0;
            for (const auto &region : drawing.regions) {
                double twice = 0;
                for (size_t i = 0; i < region.outline.size(); ++i) {
                    const ChartPoint a = region.outline[i];
                    const ChartPoint b = region.outline[(i + 1) % region.outline.size()];
                    twice += a.x * b.y - a.y * b.x;
                }
                // Clockwise on screen, y downwards.
                EXPECT_GT(twice, 0);
                area += twice / 2;
                EXPECT_EQ(wheel.zoneAt(region.labelAnchor), region.zone);
            }
            EXPECT_NEAR(area, kChartExtent * kChartExtent, 1e-6);
            for (const auto &[from, to] : drawing.boundaries) {
                EXPECT_EQ(from, drawing.centre);
                EXPECT_TRUE(std::abs(to.x) < 1e-9 || std::abs(to.x - 4800) < 1e-9 ||
                            std::abs(to.y) < 1e-9 || std::abs(to.y - 4800) < 1e-9);
            }
            const double north = *wheel.directionOf(drawing.northTip);
            EXPECT_NEAR(std::min(north, 360 - north), 0, 1e-9);
        }
    EXPECT_TRUE(drawWheel(Wheel({}, Bearing(), 16)).regions.empty());
}

} // namespace
} // namespace tessel
