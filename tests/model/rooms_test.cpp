#include "model/rooms.h"

#include <gtest/gtest.h>

#include <string>

namespace tessel {
namespace {

RoomEntry kitchen()
{
    return {"Kitchen", "10", "10", "60", "30"};
}

struct RoomCheck
{
    const char *what;
    RoomEntry entry;
    Refusal refusal;
};

class RoomEntryChecks : public ::testing::TestWithParam<RoomCheck>
{
};

TEST_P(RoomEntryChecks, ReportTheFirstFault)
{
    EXPECT_EQ(checkRoomEntry(GetParam().entry), GetParam().refusal) << GetParam().what;
}

const Refusal noName{"Please enter room name", Icon::None, Field::RoomName};
const Refusal noLength{"Please enter length of the room", Icon::None, Field::RoomLength};
const Refusal tooLong{"Length of the room can't be greater than plot length", Icon::None,
                      Field::RoomLength, true};
const Refusal noWidth{"Please enter width of the room", Icon::None, Field::RoomWidth};
const Refusal tooWide{"Width of the room can't be greater than plot width", Icon::None,
                      Field::RoomWidth, true};

INSTANTIATE_TEST_SUITE_P(
    InOrder, RoomEntryChecks,
    ::testing::Values(
        RoomCheck{"everything empty", {"", "", "", "60", "30"}, noName},
        RoomCheck{"name before length", {"", "10", "10", "60", "30"}, noName},
        RoomCheck{"length empty", {"Kitchen", "", "", "60", "30"}, noLength},
        RoomCheck{"too long before width empty", {"Kitchen", "61", "", "60", "30"}, tooLong},
        RoomCheck{"width empty", {"Kitchen", "10", "", "60", "30"}, noWidth},
        RoomCheck{"too wide", {"Kitchen", "10", "31", "60", "30"}, tooWide},
        RoomCheck{"leading numbers compared", {"Kitchen", "60.5", "1", "60ft", "30"}, tooLong},
        RoomCheck{
            "plot field without a number counts 0", {"Kitchen", "1", "1", "x", "30"}, tooLong}));

TEST(RoomEntryChecks, RoomAsLargeAsThePlotPasses)
{
    EXPECT_FALSE(checkRoomEntry({"Hall", "60", "30", "60", "30"}).has_value());
    EXPECT_FALSE(checkRoomEntry({"Hall", "60.0", "30", "60", "30"}).has_value());
}

TEST(RoomEntryChecks, SizesThatAreNoNumberOrZeroAreRefused)
{
    for (const char *bad : {".", "1.2.3", "0", "0.0", "-5"}) {
        const auto lengthRefusal = checkRoomEntry({"Kitchen", bad, "10", "60", "30"});
        ASSERT_TRUE(lengthRefusal.has_value()) << bad;
        EXPECT_EQ(lengthRefusal->focus, Field::RoomLength) << bad;
        EXPECT_NE(lengthRefusal->message.find("length"), std::string::npos);

        const auto widthRefusal = checkRoomEntry({"Kitchen", "10", bad, "60", "30"});
        ASSERT_TRUE(widthRefusal.has_value()) << bad;
        EXPECT_EQ(widthRefusal->focus, Field::RoomWidth) << bad;
        EXPECT_NE(widthRefusal->message.find("width"), std::string::npos);
    }
}

TEST(RoomEntryChecks, NamesThatCannotBeStoredAreRefused)
{
    const auto quoted = checkRoomEntry({"MY \"BEST\" ROOM", "10", "10", "60", "30"});
    ASSERT_TRUE(quoted.has_value());
    EXPECT_EQ(quoted->focus, Field::RoomName);
    EXPECT_NE(quoted->message.find("double quote"), std::string::npos);

    // Trimmed to nothing it would turn into a door.
    EXPECT_EQ(checkRoomEntry({"   ", "10", "10", "60", "30"}), noName);
}

TEST(CreateRoom, DrawsTheRoomToScaleAtTheTopLeftCorner)
{
    Editor editor;
    editor.scales = measureScales("60", "30");
    RoomEntry entry = kitchen();
    entry.name = "  Kitchen ";
    ASSERT_EQ(createRoom(editor, entry), (std::variant<int, Refusal>(1)));

    const ChartElement &room = editor.txtRoom.at(1);
    EXPECT_EQ(room.text, "Kitchen");
    EXPECT_EQ(room.width, 1600);
    EXPECT_EQ(room.height, 800);
    EXPECT_EQ(room.left, 0);
    EXPECT_EQ(room.top, 0);
    EXPECT_TRUE(room.visible);
    EXPECT_TRUE(room.enabled);
    EXPECT_FALSE(room.highlighted);
    EXPECT_TRUE(editor.roomCreated);
}

TEST(CreateRoom, UsesTheScalesOfTheLastMeasureNotTheCurrentPlotField)
{
    Editor editor;
    editor.scales = measureScales("60", "30");
    // The plot field was changed afterwards: the check reads it, the size does not.
    ASSERT_EQ(createRoom(editor, {"Hall", "90", "15", "120", "30"}),
              (std::variant<int, Refusal>(1)));
    EXPECT_EQ(editor.txtRoom.at(1).height, 7200);
    EXPECT_EQ(editor.txtRoom.at(1).width, 2400);
}

TEST(CreateRoom, SecondRoomLiesInFrontOfTheFirst)
{
    Editor editor;
    editor.scales = measureScales("60", "30");
    createRoom(editor, kitchen());
    createRoom(editor, {"Hall", "20", "5", "60", "30"});
    EXPECT_EQ(editor.txtRoom.elementCount(), 2);
    EXPECT_EQ(editor.txtRoom.stackingOrder().back(), 2);
    EXPECT_EQ(editor.txtRoom.at(2).left, 0);
    EXPECT_EQ(editor.txtRoom.at(2).top, 0);
}

TEST(CreateRoom, RefusalsCreateNothing)
{
    Editor editor;
    editor.scales = measureScales("60", "30");
    EXPECT_TRUE(
        std::holds_alternative<Refusal>(createRoom(editor, {"Hall", "0", "5", "60", "30"})));
    EXPECT_EQ(editor.txtRoom.elementCount(), 0);
    EXPECT_FALSE(editor.roomCreated);

    Editor unmeasured;
    EXPECT_TRUE(std::holds_alternative<Refusal>(createRoom(unmeasured, kitchen())));
    EXPECT_EQ(unmeasured.txtRoom.elementCount(), 0);
}

TEST(CreateRoom, SizesBeyondWhatTheChartCanHoldAreRefused)
{
    Editor editor;
    editor.scales = measureScales("0.000000000000000000000000000000000000001", "30");
    const std::string huge = "1" + std::string(300, '0');
    const auto result = createRoom(editor, {"Hall", "1", "5", huge, "30"});
    ASSERT_TRUE(std::holds_alternative<Refusal>(result));
    EXPECT_EQ(editor.txtRoom.elementCount(), 0);
}

TEST(CreateRoom, AFullChartRefusesTheRoomAndStaysUnchanged)
{
    Editor editor;
    editor.scales = measureScales("60", "30");
    while (!editor.txtRoom.isFull())
        editor.txtRoom.createElement();
    const auto result = createRoom(editor, kitchen());
    ASSERT_TRUE(std::holds_alternative<Refusal>(result));
    EXPECT_NE(std::get<Refusal>(result).message.find("32767"), std::string::npos);
    EXPECT_EQ(editor.txtRoom.elementCount(), ChartTable::kMaxIndex);
    EXPECT_FALSE(editor.roomCreated);
}

} // namespace
} // namespace tessel
