#include "analysis/report.h"

#include "analysis/rule_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tessel {
namespace {

constexpr int kNorth = 0, kEast = 3, kNoFacing = -1;

struct Box
{
    const char *text;
    float left;
    float top;
};

ChartTable chartOf(std::initializer_list<Box> boxes)
{
    ChartTable table;
    for (const Box &box : boxes) {
        ChartElement &element = table.at(*table.createElement());
        element.text = box.text;
        element.left = box.left;
        element.top = box.top;
        element.width = 800;
        element.height = 800;
    }
    return table;
}

// Everything in front of the first room block.
const std::string kFront =
    std::string(kIntroParagraph) + "\r\n\r\n" + std::string(42, ' ') + "TESSEL ANALYSIS\r\n\r\n";

const std::string kKitchenNorthWest =
    "Analysis for Kitchen :-\r\n"
    "Kitchen Is in the NorthWest direction.\r\n"
    "\r\n"
    "North West is a good direction for the kitchen. Kitchen in the North West direction "
    "allows the family to lead a happy and peaceful life.";

const std::string kHallSouth = "Analysis for Hall :-\r\n"
                               "Hall Is in the South direction.\r\n"
                               "\r\n"
                               "South should never be chosen for the hall as it affects the "
                               "family head's health.\r\n"
                               "North is good for the hall.";

const std::string kSeparator = "\r\n\r\n";

TEST(IntroParagraph, IsOneLineOfFiveSentencesWithTwoEnDashes)
{
    const std::string intro(kIntroParagraph);
    EXPECT_TRUE(intro.starts_with("Vastu Shastra is the sublime elucidation of your surrounding "
                                  "environment and their influence on your life. "));
    const auto codePoints =
        std::count_if(intro.begin(), intro.end(), [](char c) { return (c & 0xC0) != 0x80; });
    EXPECT_EQ(codePoints, 725);
    EXPECT_EQ(intro.find_first_of("\r\n"), std::string::npos);
    std::size_t dashes = 0;
    for (std::size_t at = intro.find("\u2013"); at != std::string::npos;
         at = intro.find("\u2013", at + 1))
        ++dashes;
    EXPECT_EQ(dashes, 2u);
    EXPECT_EQ(std::count(intro.begin(), intro.end(), '.'), 5);
    EXPECT_TRUE(intro.ends_with("."));
    for (const char *topic : {"Atharva Veda", "five elements", "astrology", "harmonious life"})
        EXPECT_NE(intro.find(topic), std::string::npos) << topic;
}

TEST(RunAnalysis, NoRoomsGiveTheIntroductionAndTheTitle)
{
    EXPECT_EQ(RunAnalysis(ChartTable(), kNorth), kFront);
}

TEST(RunAnalysis, OneKitchenFacingNorth)
{
    EXPECT_EQ(RunAnalysis(chartOf({{"Kitchen", 100, 100}}), kNorth), kFront + kKitchenNorthWest);
}

TEST(RunAnalysis, KitchenAndHall)
{
    EXPECT_EQ(RunAnalysis(chartOf({{"Kitchen", 100, 100}, {"Hall", 2000, 4000}}), kNorth),
              kFront + kKitchenNorthWest + kSeparator + kHallSouth);
}

TEST(RunAnalysis, SecondMasterBedRoomHasTheLaterHeading)
{
    const std::string report = RunAnalysis(
        chartOf({{"Master BedRoom", 100, 100}, {"Master BedRoom", 4000, 4000}}), kNorth);
    EXPECT_EQ(report, kFront +
                          "Analysis for Master Bed Room :-\r\n"
                          "Master BedRoom Is in the NorthWest direction.\r\n\r\n" +
                          RuleTable().find("Master BedRoom")->adviceFor(Zone::NorthWest) +
                          kSeparator +
                          "Analysis for Master BedRoom :-\r\n"
                          "Master BedRoom Is in the SouthEast direction.\r\n\r\n" +
                          RuleTable().find("Master BedRoom")->adviceFor(Zone::SouthEast));
}

TEST(RunAnalysis, OpeningsBeforeTheFirstRoomDoNotCount)
{
    const ChartTable chart = chartOf({{"", 100, 100},
                                      {"Main Entrance", 200, 200},
                                      {"Back Entrance", 300, 300},
                                      {"Deleted Door", 4800, 4800},
                                      {"a", 4800, 4800},
                                      {"Kitchen", 100, 100}});
    EXPECT_EQ(RunAnalysis(chart, kNorth), kFront + kKitchenNorthWest);
}

TEST(RunAnalysis, DeletedRoomsAreLeftOutWhereverTheyLie)
{
    // Where a live Hall is in the South: deleted and moved, deleted and read back from a file.
    ChartTable chart = chartOf({{"Kitchen", 100, 100}, {"Hall", 2000, 4000}, {"Hall", 2000, 4000}});
    chart.at(2).enabled = false;
    chart.at(2).width = chart.at(2).height = 0;
    chart.at(3).width = chart.at(3).height = 0;
    EXPECT_EQ(RunAnalysis(chart, kNorth), kFront + kKitchenNorthWest);
}

TEST(RunAnalysis, UnknownNamesLeaveNoTrace)
{
    const ChartTable chart = chartOf({{"Kitchen", 100, 100},
                                      {"Garage", 2000, 2000},
                                      {"kitchen", 100, 100},
                                      {"Hall ", 100, 100},
                                      {"Hall", 2000, 4000}});
    EXPECT_EQ(RunAnalysis(chart, kNorth), kFront + kKitchenNorthWest + kSeparator + kHallSouth);
}

TEST(RunAnalysis, BoxesOffThePlotAreLeftOut)
{
    const ChartTable chart = chartOf({{"Kitchen", 4800, 4800},
                                      {"Hall", 4800, 100},
                                      {"Kitchen", 4799, 100},
                                      {"Hall", 5000, 4000}});
    EXPECT_EQ(RunAnalysis(chart, kNorth),
              kFront +
                  "Analysis for Kitchen :-\r\n"
                  "Kitchen Is in the NorthEast direction.\r\n\r\n" +
                  RuleTable().find("Kitchen")->adviceFor(Zone::NorthEast));
}

TEST(RunAnalysis, RoomsInNoZoneAreLeftOut)
{
    const ChartTable chart = chartOf({{"Kitchen", 100, 100}, {"Hall", 1597.5, 100}});
    EXPECT_EQ(RunAnalysis(chart, kNorth), kFront + kKitchenNorthWest);
}

TEST(RunAnalysis, NoFacingGivesNoBlocks)
{
    EXPECT_EQ(RunAnalysis(chartOf({{"Kitchen", 100, 100}, {"Hall", 2000, 4000}}), kNoFacing),
              kFront);
}

TEST(RunAnalysis, FacingTurnsTheZones)
{
    EXPECT_EQ(RunAnalysis(chartOf({{"Hall", 2000, 4000}}), kEast),
              kFront +
                  "Analysis for Hall :-\r\n"
                  "Hall Is in the West direction.\r\n\r\n"
                  "West is also an auspicious direction for the hall. It is better to have the "
                  "room in the Northern side.");
}

} // namespace
} // namespace tessel
