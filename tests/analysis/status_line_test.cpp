#include "analysis/rule_table.h"
#include "analysis/status_line.h"
#include "chart_elements.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tessel {
namespace {

constexpr int kN = 0, kW = 2;

// A plot of 60 by 30 feet: 10 feet of length and 5 of width a ruler division.
Editor measuredEditor()
{
    Editor editor;
    editor.scales = {10, 5};
    return editor;
}

int put(Editor &editor, const std::string &text, float left, float top, float width, float height)
{
    return testing::placeElement(editor.txtRoom, text, left, top, width, height);
}

struct CellCase
{
    const char *region;
    float left, top;
    int facing;
    const char *sentence;
};

std::ostream &operator<<(std::ostream &out, const CellCase &c)
{
    return out << c.region << " facing " << c.facing;
}

class StatusZones : public ::testing::TestWithParam<CellCase>
{
};

// The zone named is the report's, right at the bounds, and the kind's best zone follows.
TEST_P(StatusZones, NameTheZoneOfTheCornerAndTheBestZone)
{
    const CellCase &c = GetParam();
    Editor editor = measuredEditor();
    const int room = put(editor, "Kitchen", c.left, c.top, 1600, 800);
    const std::string text = statusText(editor, room, c.facing, RuleTable());
    const std::string tail = std::string(" | ") + c.sentence + " | best: South East";
    ASSERT_GE(text.size(), tail.size()) << text;
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text;
}

// clang-format off
const CellCase kCells[] = {
    {"top-left",            1597, 1582, kN, "Is in the NorthWest direction."},
    {"top-middle",          1598, 1582, kN, "Is in the North direction."},
    {"top-right",           3187,    0, kN, "Is in the NorthEast direction."},
    {"middle-left",            0, 1583, kN, "Is in the West direction."},
    {"centre upper-left",   2400, 2390, kN, "Is in the NorthWest direction."},
    {"centre upper-right",  2401, 1583, kN, "Is in the NorthEast direction."},
    {"centre lower-left",   1598, 2391, kN, "Is in the SouthWest direction."},
    {"centre lower-right",  3186, 3187, kN, "Is in the SouthEast direction."},
    {"middle-right",        4799, 3187, kN, "Is in the East direction."},
    {"bottom-left",         1597, 3188, kN, "Is in the SouthWest direction."},
    {"bottom-middle",       3186, 4799, kN, "Is in the South direction."},
    {"bottom-right",        3187, 3188, kN, "Is in the SouthEast direction."},
    {"top-left",               0,    0, kW, "Is in the SouthWest direction."},
    {"top-middle",          2000,    0, kW, "Is in the West direction."},
    {"top-right",           4000,    0, kW, "Is in the NorthWest direction."},
    {"middle-left",            0, 2000, kW, "Is in the South direction."},
    {"centre upper-left",   2000, 2000, kW, "Is in the SouthWest direction."},
    {"centre upper-right",  3000, 2000, kW, "Is in the NorthWest direction."},
    {"centre lower-left",   2000, 3000, kW, "Is in the SouthEast direction."},
    {"centre lower-right",  3000, 3000, kW, "Is in the NorthEast direction."},
    {"middle-right",        4000, 2000, kW, "Is in the North direction."},
    {"bottom-left",            0, 4000, kW, "Is in the SouthEast direction."},
    {"bottom-middle",       2000, 4000, kW, "Is in the East direction."},
    {"bottom-right",        4000, 4000, kW, "Is in the NorthEast direction."},
    {"beyond the plot",     4800,  100, kN, "in no zone"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(AllCells, StatusZones, ::testing::ValuesIn(kCells));

TEST(StatusText, GivesNameSizeInFeetAndCorner)
{
    Editor editor = measuredEditor();
    const int room = put(editor, "Master BedRoom", 800, 1600, 1600, 1000);
    EXPECT_EQ(statusText(editor, room, kN, RuleTable()),
              "Master BedRoom | 12.5 x 10 ft | corner 5 ft right, 20 ft down"
              " | Is in the West direction. | best: South West");
    // Thirds of a foot show to two decimals.
    editor.scales = {25, 5};
    EXPECT_EQ(statusText(editor, room, kN, RuleTable()),
              "Master BedRoom | 31.25 x 10 ft | corner 5 ft right, 50 ft down"
              " | Is in the West direction. | best: South West");
    editor.scales = {10.0 / 3, 5};
    EXPECT_NE(statusText(editor, room, kN, RuleTable()).find("| 4.17 x 10 ft |"),
              std::string::npos);
}

TEST(StatusText, KindsWithoutABestZoneAndPlotsWithoutAFacing)
{
    Editor editor = measuredEditor();
    const int guest = put(editor, "Guest Room", 0, 0, 800, 800);
    const int garage = put(editor, "Garage", 0, 4000, 800, 800);
    EXPECT_EQ(statusText(editor, guest, kN, RuleTable()),
              "Guest Room | 10 x 5 ft | corner 0 ft right, 0 ft down | Is in the NorthWest "
              "direction.");
    EXPECT_EQ(statusText(editor, garage, kW, RuleTable()),
              "Garage | 10 x 5 ft | corner 0 ft right, 50 ft down | Is in the SouthEast "
              "direction.");
    EXPECT_EQ(statusText(editor, guest, -1, RuleTable()),
              "Guest Room | 10 x 5 ft | corner 0 ft right, 0 ft down");
}

// The verdict is added only when asked for, and only for a room the analysis judges.
TEST(StatusText, AddsTheVerdictOfAJudgedRoomWhenAsked)
{
    Editor editor = measuredEditor();
    const int kitchen = put(editor, "Kitchen", 0, 0, 800, 800);
    const int hall = put(editor, "Hall", 2000, 4000, 800, 800);
    const int garage = put(editor, "Garage", 4000, 4000, 800, 800);
    const RuleTable rules;
    const std::string plain = statusText(editor, kitchen, kN, rules);
    EXPECT_EQ(statusText(editor, kitchen, kN, rules, true), plain + " | acceptable");
    EXPECT_TRUE(statusText(editor, hall, kN, rules, true).ends_with("best: North | move advised"));
    // Facing South the hall's corner is in the North.
    EXPECT_TRUE(statusText(editor, hall, 1, rules, true).ends_with(" | best zone"));
    EXPECT_EQ(statusText(editor, garage, kN, rules, true), statusText(editor, garage, kN, rules));
    EXPECT_EQ(statusText(editor, kitchen, -1, rules, true), statusText(editor, kitchen, -1, rules));
}

TEST(StatusText, OpeningsGiveTheirKindAndLength)
{
    Editor editor = measuredEditor();
    const int door = put(editor, "", 800, 800, 480, 0);
    const int main = put(editor, "Main Entrance", 0, 800, 0, 400);
    const int back = put(editor, "Back Entrance", 4000, 0, 0, 800);
    EXPECT_EQ(statusText(editor, door, kN, RuleTable()),
              "Door | 3 ft | corner 5 ft right, 10 ft down");
    EXPECT_EQ(statusText(editor, main, kN, RuleTable()),
              "Main Entrance | 5 ft | corner 0 ft right, 10 ft down");
    EXPECT_EQ(statusText(editor, back, kW, RuleTable()),
              "Back Entrance | 10 ft | corner 25 ft right, 0 ft down");
}

TEST(StatusText, SaysNothingBeforeTheMeasureOrForWhatIsGone)
{
    Editor editor;
    const int room = put(editor, "Kitchen", 0, 0, 1600, 800);
    EXPECT_EQ(statusText(editor, room, kN, RuleTable()), "");
    editor.scales = {10, 5};
    EXPECT_NE(statusText(editor, room, kN, RuleTable()), "");
    for (const int index : {0, -1, room + 1})
        EXPECT_EQ(statusText(editor, index, kN, RuleTable()), "") << index;
    // Deleted: parked and disabled, whatever it was.
    const int door = put(editor, "Deleted Door", 4800, 4800, 0, 0);
    editor.txtRoom.at(door).enabled = false;
    editor.txtRoom.at(room).enabled = false;
    EXPECT_EQ(statusText(editor, room, kN, RuleTable()), "");
    EXPECT_EQ(statusText(editor, door, kN, RuleTable()), "");
}

} // namespace
} // namespace tessel
