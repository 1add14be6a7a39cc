#include "model/placement.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace tessel {
namespace {

struct Box
{
    std::string text;
    float left, top, width, height;
};

// A plot of 60 x 30 feet (10 and 5 feet a division) holding the boxes in this order.
Editor chartWith(const std::vector<Box> &boxes)
{
    Editor editor;
    editor.scales = {10, 5};
    for (const Box &box : boxes) {
        ChartElement &element = editor.txtRoom.at(*editor.txtRoom.createElement());
        element.text = box.text;
        element.left = box.left;
        element.top = box.top;
        element.width = box.width;
        element.height = box.height;
        element.visible = true;
    }
    return editor;
}

const Refusal kOverlap{"Sorry you cannot overlap rooms", Icon::Information, Field::None};

struct DropCase
{
    const char *what;
    std::vector<Box> boxes; // the last one is dropped where it stands
    bool overlap;
};

class DropCheck : public ::testing::TestWithParam<DropCase>
{
};

TEST_P(DropCheck, TestsTheRoomAgainstEveryOtherRoom)
{
    const DropCase &drop = GetParam();
    Editor editor = chartWith(drop.boxes);
    const int dropped = editor.txtRoom.elementCount();
    const ChartElement before = editor.txtRoom.at(dropped);
    editor.overlapDetected = !drop.overlap;

    const auto refusal = dropElement(editor, dropped);
    EXPECT_EQ(refusal, drop.overlap ? std::optional(kOverlap) : std::nullopt);
    EXPECT_EQ(editor.overlapDetected, drop.overlap);
    // The room stays where it was dropped either way.
    EXPECT_EQ(editor.txtRoom.at(dropped).left, before.left);
    EXPECT_EQ(editor.txtRoom.at(dropped).top, before.top);
}

const Box roomA{"Kitchen", 0, 0, 1600, 800};

INSTANTIATE_TEST_SUITE_P(
    Cases, DropCheck,
    ::testing::Values(
        DropCase{"corner over corner", {roomA, {"Hall", 800, 400, 1600, 800}}, true},
        DropCase{"touching the right edge", {roomA, {"Hall", 1600, 0, 1600, 800}}, false},
        DropCase{"touching the bottom edge", {roomA, {"Hall", 0, 800, 1600, 800}}, false},
        DropCase{"covering a smaller room", {{"Puja Room", 400, 200, 400, 200}, roomA}, true},
        DropCase{"inside a larger room", {roomA, {"Puja Room", 400, 200, 400, 200}}, true},
        DropCase{"crossing like a plus sign",
                 {{"Hall", 600, 0, 400, 1600}, {"Study Room", 0, 600, 1600, 400}},
                 true},
        DropCase{"same place exactly", {roomA, roomA}, true},
        DropCase{"over a door only", {{"", 800, 0, 0, 800}, roomA}, false},
        DropCase{"over the entrances",
                 {{"Main Entrance", 0, 400, 800, 0}, {"Back Entrance", 400, 0, 0, 800}, roomA},
                 false},
        DropCase{"over a deleted door's box", {{"Deleted Door", 0, 0, 800, 800}, roomA}, false},
        DropCase{"far from the others", {roomA, {"Hall", 3200, 3200, 800, 800}}, false},
        // Edges are compared in whole twips, halves to the even one.
        DropCase{"edge at 1600.4 touches",
                 {{"Kitchen", 0, 0, 1600.4f, 800}, {"Hall", 1600, 0, 800, 800}},
                 false},
        DropCase{"edge at 1600.5 touches",
                 {{"Kitchen", 0, 0, 1600.5f, 800}, {"Hall", 1600, 0, 800, 800}},
                 false},
        DropCase{"edge at 1601.5 overlaps",
                 {{"Kitchen", 0, 0, 1601.5f, 800}, {"Hall", 1601, 0, 800, 800}},
                 true},
        DropCase{"edge at 1600.6 overlaps",
                 {{"Kitchen", 0, 0, 1600.6f, 800}, {"Hall", 1600, 0, 800, 800}},
                 true}),
    [](const auto &info) {
        std::string name = info.param.what;
        for (char &c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

struct KeyMoveCase
{
    const char *what;
    std::vector<Box> boxes; // the last one is moved
    double dx, dy;
    bool refused;
};

class KeyMove : public ::testing::TestWithParam<KeyMoveCase>
{
};

TEST_P(KeyMove, IsRefusedOntoAnotherRoomOnly)
{
    const KeyMoveCase &move = GetParam();
    const Editor editor = chartWith(move.boxes);
    const int moved = editor.txtRoom.elementCount();
    const ChartElement &room = editor.txtRoom.at(moved);
    EXPECT_EQ(movesOntoRoom(editor.txtRoom, moved, room.left + move.dx, room.top + move.dy),
              move.refused);
}

const Box hallBeside{"Hall", 1700, 0, 1600, 800};

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyMove,
    ::testing::Values(
        KeyMoveCase{"into the room beside", {roomA, hallBeside}, -150, 0, true},
        KeyMoveCase{"up to its edge", {roomA, hallBeside}, -100, 0, false},
        KeyMoveCase{"rounded up to its edge", {roomA, hallBeside}, -100.4, 0, false},
        KeyMoveCase{"rounded past its edge", {roomA, hallBeside}, -100.6, 0, true},
        KeyMoveCase{"away from it", {roomA, hallBeside}, 80, 15, false},
        KeyMoveCase{
            "within an overlap it stands in", {roomA, {"Hall", 1500, 0, 1600, 800}}, 15, 0, false},
        KeyMoveCase{"from one overlap onto another room",
                    {roomA, {"Study", 2000, 900, 800, 800}, {"Hall", 1500, 0, 1600, 800}},
                    0,
                    150,
                    true},
        KeyMoveCase{"over a door and a deleted room",
                    {{"", 800, 0, 0, 800}, {"Deleted Door", 0, 0, 800, 800}, roomA},
                    0,
                    15,
                    false}));

TEST(KeyMove, ActsOnTheLiveHighlightedElement)
{
    Editor editor = chartWith({roomA, hallBeside});
    EXPECT_EQ(highlightedElement(editor.txtRoom), std::nullopt);
    selectElement(editor, 2);
    EXPECT_EQ(highlightedElement(editor.txtRoom), 2);
    editor.txtRoom.at(2).enabled = false;
    EXPECT_EQ(highlightedElement(editor.txtRoom), std::nullopt);
}

TEST(DropCheck, DeletedAndOwnBoxNeverOverlap)
{
    Editor editor = chartWith({roomA, roomA});
    editor.roomSelected = true;
    editor.txtRoom.at(1).highlighted = true;
    ASSERT_FALSE(deleteSelectedRoom(editor));
    EXPECT_FALSE(dropElement(editor, 2));
    // Moved onto the parked room's corner.
    moveElement(editor.txtRoom, 2, 4000, 4000);
    EXPECT_FALSE(dropElement(editor, 2));
    EXPECT_FALSE(editor.overlapDetected);
}

TEST(DropCheck, TheLastDropOfARoomDecides)
{
    Editor editor = chartWith({roomA, {"Hall", 800, 400, 1600, 800}, {"Study", 3200, 0, 800, 800}});
    EXPECT_TRUE(dropElement(editor, 2));
    EXPECT_TRUE(editor.overlapDetected);
    // A and B still overlap, but the third room was dropped at a free place.
    EXPECT_FALSE(dropElement(editor, 3));
    EXPECT_FALSE(editor.overlapDetected);
    // Dropping B again where it is reports again.
    EXPECT_EQ(dropElement(editor, 2), kOverlap);
    EXPECT_TRUE(editor.overlapDetected);
}

TEST(DropCheck, AnOpeningIsPlacedWithoutATest)
{
    Editor editor = chartWith({roomA, {"", 800, 400, 0, 800}});
    editor.overlapDetected = true;
    selectElement(editor, 2);
    EXPECT_TRUE(editor.openingDragged);
    EXPECT_FALSE(dropElement(editor, 2));
    EXPECT_FALSE(editor.openingDragged);
    // The flag of the last room drop stays.
    EXPECT_TRUE(editor.overlapDetected);
}

struct SelectCase
{
    const char *text;
    bool roomSelected, doorSelected, openingDragged;
};

class Select : public ::testing::TestWithParam<SelectCase>
{
};

TEST_P(Select, RecordsWhatWasPressed)
{
    const SelectCase &select = GetParam();
    Editor editor = chartWith({roomA, {select.text, 800, 1600, 2400, 1200}});
    editor.txtRoom.at(0).highlighted = true;
    editor.txtRoom.at(1).highlighted = true;
    editor.txtRoom.at(1).fillOverride = 0xE68AC1;
    editor.roomSelected = !select.roomSelected;
    editor.doorSelected = !select.doorSelected;

    const std::vector<int> changed = selectElement(editor, 2);
    EXPECT_EQ(changed, (std::vector<int>{0, 1, 2}));
    for (int i = 0; i <= 2; ++i)
        EXPECT_EQ(editor.txtRoom.at(i).highlighted, i == 2) << i;
    EXPECT_FALSE(editor.txtRoom.at(1).fillOverride);
    EXPECT_DOUBLE_EQ(editor.selectedRoomLength, 15); // 1200 / 800 x 10
    EXPECT_DOUBLE_EQ(editor.selectedRoomWidth, 15);  // 2400 / 800 x 5
    EXPECT_EQ(editor.roomSelected, select.roomSelected);
    EXPECT_EQ(editor.doorSelected, select.doorSelected);
    EXPECT_EQ(editor.openingDragged, select.openingDragged);
    // Selection leaves the stacking order alone.
    EXPECT_EQ(editor.txtRoom.stackingOrder(), (std::vector<int>{1, 2}));
}

INSTANTIATE_TEST_SUITE_P(Kinds, Select,
                         ::testing::Values(SelectCase{"Kitchen", true, false, false},
                                           SelectCase{"", false, true, true},
                                           SelectCase{"Main Entrance", false, false, true},
                                           SelectCase{"Back Entrance", false, false, true}));

TEST(Select, PressingTheSameElementAgainChangesNothingToRepaint)
{
    Editor editor = chartWith({roomA});
    selectElement(editor, 1);
    EXPECT_TRUE(selectElement(editor, 1).empty());
}

TEST(Select, APressOnARoomLeavesOpeningDraggedForTheDrop)
{
    Editor editor = chartWith({roomA});
    editor.openingDragged = true;
    selectElement(editor, 1);
    EXPECT_TRUE(editor.openingDragged);
}

TEST(ElementAt, FindsTheFrontmostLiveElement)
{
    Editor editor = chartWith({roomA, {"Hall", 800, 0, 1600, 800}, {"", 3000, 2000, 0, 800}});
    ChartTable &table = editor.txtRoom;
    EXPECT_EQ(elementAt(table, 1000, 400, 40), 2);
    table.bringToFront(1);
    EXPECT_EQ(elementAt(table, 1000, 400, 40), 1);
    EXPECT_EQ(elementAt(table, 2000, 400, 40), 2);
    // Right and bottom edges belong to what lies beyond.
    EXPECT_EQ(elementAt(table, 2400, 400, 40), std::nullopt);
    EXPECT_EQ(elementAt(table, 2000, 800, 40), std::nullopt);
    // A door of no width is taken within the margin either side.
    EXPECT_EQ(elementAt(table, 3030, 2400, 40), 3);
    EXPECT_EQ(elementAt(table, 2965, 2400, 40), 3);
    EXPECT_EQ(elementAt(table, 3050, 2400, 40), std::nullopt);
    EXPECT_EQ(elementAt(table, 3000, 2900, 40), std::nullopt);
    // The template lies at negative coordinates and takes nothing.
    EXPECT_EQ(elementAt(table, -100, -100, 40), std::nullopt);

    table.at(1).enabled = false;
    EXPECT_EQ(elementAt(table, 1000, 400, 40), 2);
    table.at(2).visible = false;
    EXPECT_EQ(elementAt(table, 1000, 400, 40), std::nullopt);
}

TEST(MoveElement, KeepsWholeTwips)
{
    Editor editor = chartWith({roomA});
    const std::pair<double, double> moves[][2] = {
        {{100.5, 101.5}, {100, 102}},
        {{100.4, 99.6}, {100, 100}},
        {{-0.5, 4799.7}, {0, 4800}},
    };
    for (const auto &[to, expected] : moves) {
        moveElement(editor.txtRoom, 1, to.first, to.second);
        EXPECT_EQ(editor.txtRoom.at(1).left, expected.first);
        EXPECT_EQ(editor.txtRoom.at(1).top, expected.second);
    }
}

// Plot 60 x 30: 160 twips a foot across, 80 down. Plot 50 x 70: 68.57 across, 96 down.
TEST(SnapToFeet, EachAxisByItsOwnScaleOntoWholeTwips)
{
    const struct
    {
        Scales scales;
        ChartPoint from, expected;
    } cases[] = {
        {{10, 5}, {239, 41}, {160, 80}},
        {{10, 5}, {241, 39}, {320, 0}},
        {{10, 5}, {-70, 4790}, {0, 4800}},
        {{50.0 / 6, 70.0 / 6}, {100, 100}, {69, 96}},      // 68.57 x 1 = 68.57
        {{50.0 / 6, 70.0 / 6}, {1000, 1000}, {1029, 960}}, // 68.57 x 15 = 1028.57
        {{}, {123.4, 56.7}, {123.4, 56.7}},                // no scales: as it was
    };
    for (const auto &c : cases)
        EXPECT_EQ(snapToFeet(c.from.x, c.from.y, c.scales), c.expected)
            << c.from.x << ", " << c.from.y;
}

TEST(DeleteRoom, ParksTheSelectedRoom)
{
    Editor editor = chartWith({roomA, {"Hall", 1600, 0, 800, 800}, {"", 1600, 0, 0, 800}});
    editor.overlapDetected = true;
    selectElement(editor, 1);
    ASSERT_FALSE(deleteSelectedRoom(editor));
    // Only a drop decides about overlaps.
    EXPECT_TRUE(editor.overlapDetected);

    const ChartElement &parked = editor.txtRoom.at(1);
    EXPECT_EQ(parked.text, "Kitchen");
    EXPECT_FALSE(parked.enabled);
    EXPECT_FALSE(parked.highlighted);
    EXPECT_EQ(parked.left, 4800);
    EXPECT_EQ(parked.top, 4800);
    EXPECT_EQ(parked.width, 0);
    EXPECT_EQ(parked.height, 0);
    // The others stay as they were; the door of the room too.
    EXPECT_TRUE(editor.txtRoom.at(2).enabled);
    EXPECT_EQ(editor.txtRoom.at(3).left, 1600);
    EXPECT_EQ(editor.txtRoom.elementCount(), 3);
    EXPECT_EQ(editor.txtRoom.createElement(), 4);

    // The second delete finds nothing to park and says nothing.
    EXPECT_TRUE(editor.roomSelected);
    EXPECT_FALSE(deleteSelectedRoom(editor));
    EXPECT_TRUE(editor.txtRoom.at(2).enabled);
}

TEST(DeleteRoom, RefusedWithoutARoomSelected)
{
    const Refusal noRoom{"Please select a room to delete", Icon::None, Field::None};
    Editor editor = chartWith({roomA, {"", 1600, 0, 0, 800}});
    EXPECT_EQ(deleteSelectedRoom(editor), noRoom);

    selectElement(editor, 2);
    EXPECT_EQ(deleteSelectedRoom(editor), noRoom);
    EXPECT_TRUE(editor.txtRoom.at(2).enabled);
    EXPECT_TRUE(editor.txtRoom.at(2).highlighted);
}

} // namespace
} // namespace tessel
