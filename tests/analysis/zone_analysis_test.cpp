#include "analysis/report.h"
#include "analysis/rule_table.h"
#include "analysis/verdict.h"
#include "analysis/zone_analysis.h"
#include "analysis/zone_texts.h"
#include "chart_elements.h"

#include <gtest/gtest.h>
#include <simdjson.h>

namespace tessel {
namespace {

using testing::placeElement;

ZoneSettings settingsFor(ZoneMethod method, Facing facing = Facing::North, PlotFeet plot = {60, 60})
{
    return {method, static_cast<int>(facing), facingBearing(facing), plot};
}

class ZoneAnalysisTest : public ::testing::Test
{
protected:
    const RuleTable table;
    const RuleSet builtIn = builtInRuleSet(table);
};

// Rooms near the middle of each side and in each corner lie in the same zone by their corner
// and on the eight-zone wheel, whatever the plot faces: both methods then give the same
// verdicts, the specified table's.
TEST_F(ZoneAnalysisTest, TheEightZoneWheelAgreesWithTheTableInPrincipalZones)
{
    const ChartPoint places[] = {{100, 100},   {2300, 100}, {4300, 100},  {100, 2300},
                                 {4300, 2300}, {100, 4300}, {2300, 4300}, {4300, 4300}};
    ChartTable chart;
    int n = 0;
    for (const RoomRules &kind : table.kinds())
        for (const ChartPoint place : places)
            placeElement(chart, kind.kind, float(place.x + n++ % 3), float(place.y), 200, 200);
    for (const Facing facing : {Facing::North, Facing::South, Facing::West, Facing::East}) {
        const auto specified = judgeRooms(chart, static_cast<int>(facing), table);
        const ZoneAnalysis wheel =
            analyseZones(chart, settingsFor(ZoneMethod::Wheel8, facing), builtIn, table);
        const ZoneAnalysis corner =
            analyseZones(chart, settingsFor(ZoneMethod::ByCorner, facing), builtIn, table);
        ASSERT_EQ(wheel.rooms.size(), specified.size());
        ASSERT_EQ(corner.rooms.size(), specified.size());
        for (std::size_t i = 0; i < specified.size(); ++i) {
            EXPECT_EQ(wheel.rooms[i].mainZone, wheelZoneOf(specified[i].zone));
            EXPECT_EQ(wheel.rooms[i].verdict, specified[i].verdict);
            EXPECT_EQ(corner.rooms[i].verdict, specified[i].verdict);
            EXPECT_FALSE(corner.rooms[i].shares);
        }
    }
}

TEST_F(ZoneAnalysisTest, JudgesTheRoomsThatLieOnThePlotAndTheEntrances)
{
    ChartTable chart;
    placeElement(chart, "Kitchen", 2000, 2000, 800, 800);   // 1: in the Brahmasthan
    placeElement(chart, "Garage", 100, 100, 300, 300);      // 2: a kind not judged
    placeElement(chart, "Hall", 4800, 4800, 0, 0);          // 3: deleted
    placeElement(chart, "Hall", 5000, 100, 300, 300);       // 4: beyond the plot
    placeElement(chart, "Hall", 4600, 100, 600, 300);       // 5: partly beyond
    placeElement(chart, "Main Entrance", 2400, 0, 200, 0);  // 6
    placeElement(chart, "a", 100, 100, 0, 100);             // 7: a deleted entrance
    placeElement(chart, "Back Entrance", 2400, 4800, 0, 0); // 8
    placeElement(chart, "Main Entrance", 2400, 2400, 0, 0); // 9: at the very centre
    const ZoneAnalysis analysis =
        analyseZones(chart, settingsFor(ZoneMethod::Wheel16), builtIn, table);

    ASSERT_EQ(analysis.rooms.size(), 2u);
    EXPECT_EQ(analysis.rooms[0].index, 1);
    EXPECT_TRUE(analysis.rooms[0].inBrahmasthanAgainstRules);
    EXPECT_EQ(analysis.rooms[1].index, 5);
    EXPECT_EQ(analysis.rooms[1].mainZone, WheelZone::NE);
    ASSERT_EQ(analysis.brahmasthanOccupants, std::vector<std::size_t>{0});

    ASSERT_EQ(analysis.entrances.size(), 3u);
    EXPECT_EQ(padaCode(*analysis.entrances[0].pada), "N5");
    EXPECT_EQ(analysis.entrances[1].kind, ElementKind::BackEntrance);
    EXPECT_EQ(padaCode(*analysis.entrances[1].pada), "S5");
    EXPECT_FALSE(analysis.entrances[2].pada);
    // The corner method has the entrances' padas too.
    EXPECT_EQ(
        analyseZones(chart, settingsFor(ZoneMethod::ByCorner), builtIn, table).entrances.size(),
        3u);
}

TEST_F(ZoneAnalysisTest, TheStatusLineGivesSharesLargestFirst)
{
    RoomJudgement room{1, WheelZone::SE, Verdict::Best, RoomShares{}, false};
    room.shares->share[size_t(WheelZone::SE)] = 0.7236;
    room.shares->share[size_t(WheelZone::SSE)] = 0.2724;
    room.shares->share[size_t(WheelZone::S)] = 0.004; // rounds to nothing
    EXPECT_EQ(roomStatusText("Kitchen", room), "Kitchen: SE 72 %, SSE 27 %, best zone");
    room.shares->brahmasthan = 0.12;
    room.inBrahmasthanAgainstRules = true;
    EXPECT_EQ(roomStatusText("Kitchen", room),
              "Kitchen: SE 72 %, SSE 27 %, best zone; 12 % in the Brahmasthan, to be kept out");
    EXPECT_EQ(roomStatusText("Kitchen", {1, WheelZone::NW, Verdict::Acceptable, {}, false}),
              "Kitchen: NW, acceptable");

    ChartTable chart;
    placeElement(chart, "Main Entrance", 2000, 0, 400, 0);
    EXPECT_EQ(zoneStatusText(chart.at(1), 1, settingsFor(ZoneMethod::Wheel16), builtIn, table),
              "Main Entrance: N4 Bhallat, favourable");
    placeElement(chart, "Garage", 100, 100, 300, 300);
    EXPECT_EQ(zoneStatusText(chart.at(2), 2, settingsFor(ZoneMethod::Wheel16), builtIn, table), "");
}

TEST_F(ZoneAnalysisTest, TheReportAddsASectionAfterTheSpecifiedReport)
{
    ChartTable chart;
    placeElement(chart, "Kitchen", 3800, 3800, 600, 600);
    placeElement(chart, "Hall", 1600, 1600, 1600, 800);
    placeElement(chart, "Main Entrance", 2000, 0, 400, 0);
    const ZoneSettings settings = settingsFor(ZoneMethod::Wheel16);
    const std::string report =
        reportWithZones(chart, analyseZones(chart, settings, builtIn, table));
    const std::string specified = RunAnalysis(chart, 0);
    ASSERT_EQ(report.substr(0, specified.size()), specified);
    EXPECT_EQ(report.substr(specified.size()),
              "\r\n\r\n" + std::string(42, ' ') +
                  "ZONE WHEEL\r\n\r\n"
                  "16 zones from the plot's centre, bearing 0 degrees, rule set: built-in\r\n\r\n"
                  "Kitchen: SE 100 %; main zone SE, best zone\r\n"
                  // The room's lower edge runs through the centre: the zones pair off left and
                  // right, the north-eastern of a pair first.
                  "Hall: NE 17 %, NW 17 %, NNE 12 %, ENE 12 %, WNW 12 %, NNW 12 %, N 10 %, E 5 %, "
                  "W 5 %; main zone NE, acceptable\r\n"
                  "\r\n"
                  "Brahmasthan: Hall 100 %\r\n"
                  "\r\n"
                  "Main Entrance: N4 Bhallat, favourable");
    EXPECT_EQ(reportWithZones(
                  chart, analyseZones(chart, settingsFor(ZoneMethod::ByCorner), builtIn, table)),
              specified);
}

// The JSON is read back by a JSON parser, whatever the names hold.
TEST_F(ZoneAnalysisTest, TheJsonFormReadsBack)
{
    ChartTable chart;
    // South-east on a wheel turned by 17.5 degrees; east by its corner.
    placeElement(chart, "Kitchen", 3580, 2942, 300, 300);
    placeElement(chart, "Main Entrance", 1181, 0, 400, 0);
    for (const ZoneMethod method : {ZoneMethod::Wheel16, ZoneMethod::ByCorner}) {
        ZoneSettings settings = settingsFor(method);
        settings.bearing = Bearing::fromTenths(175);
        ZoneAnalysis analysis = analyseZones(chart, settings, builtIn, table);
        // Room kinds are plain ASCII, but a rule set's name comes from a file.
        analysis.ruleSetName = "A \"school\"\\\n\xff";
        const std::string json = zoneAnalysisJson(chart, analysis);
        simdjson::dom::parser parser;
        simdjson::dom::element root;
        ASSERT_FALSE(parser.parse(json).get(root)) << json;
        EXPECT_EQ(double(root["bearing"]), 17.5);
        EXPECT_EQ(std::string_view(root["rules"]), "A \"school\"\\\n\uFFFD");
        const simdjson::dom::element room = root["rooms"].at(0);
        EXPECT_EQ(int64_t(room["index"]), 1);
        EXPECT_EQ(std::string_view(room["verdict"]),
                  method == ZoneMethod::ByCorner ? "acceptable" : "best zone");
        if (method == ZoneMethod::ByCorner) {
            EXPECT_EQ(std::string_view(root["zones"]), "corner");
            EXPECT_TRUE(room["shares"].error());
            EXPECT_TRUE(room["brahmasthan"].error());
        } else {
            EXPECT_EQ(int64_t(root["zones"]), 16);
            double sum = 0;
            for (const auto share : simdjson::dom::object(room["shares"]))
                sum += double(share.value);
            EXPECT_NEAR(sum, 1, 1e-12);
            EXPECT_EQ(double(room["brahmasthan"]), 0.0);
        }
        const simdjson::dom::element entrance = root["entrances"].at(0);
        EXPECT_EQ(std::string_view(entrance["pada"]), "N4");
        EXPECT_EQ(std::string_view(entrance["effect"]), "favourable");
    }
}

} // namespace
} // namespace tessel
