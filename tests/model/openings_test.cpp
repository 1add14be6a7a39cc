#include "model/openings.h"

#include "fake_dialogs.h"
#include "model/entrances.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace tessel {
namespace {

constexpr OpeningKind kAllKinds[] = {OpeningKind::Door, OpeningKind::MainEntrance,
                                     OpeningKind::BackEntrance};

// A plot 60 feet long and 30 wide: 10 feet of length and 5 of width per ruler division. The
// kitchen is 20 feet long and 8 wide, the hall 10 by 5; they lie apart.
class Openings : public ::testing::Test
{
protected:
    Openings()
    {
        editor.scales = measureScales("60", "30");
        // Every field a new opening gets must be set by the placing, not inherited.
        editor.txtRoom.at(0).borderStyle = 0;
        kitchen = addElement("Kitchen", 800, 400, 20, 8);
        hall = addElement("Hall", 2400, 3200, 10, 5);
    }

    int addElement(const char *text, float left, float top, double lengthFeet, double widthFeet)
    {
        const int index = *editor.txtRoom.createElement();
        ChartElement &element = editor.txtRoom.at(index);
        element.text = text;
        element.left = left;
        element.top = top;
        element.height = static_cast<float>(lengthToChart(lengthFeet, editor.scales));
        element.width = static_cast<float>(widthToChart(widthFeet, editor.scales));
        element.visible = true;
        return index;
    }

    // What a press on an element records.
    void press(int index)
    {
        for (int i = 0; i <= editor.txtRoom.elementCount(); ++i) {
            editor.txtRoom.at(i).highlighted = i == index;
            editor.txtRoom.at(i).fillOverride.reset();
        }
        const ChartElement &element = editor.txtRoom.at(index);
        editor.selectedRoomLength = chartToLength(element.height, editor.scales);
        editor.selectedRoomWidth = chartToWidth(element.width, editor.scales);
        editor.roomSelected = kindOf(element.text) == ElementKind::Room;
        editor.doorSelected = kindOf(element.text) == ElementKind::Door;
    }

    // Runs both steps for an opening at the pressed element; the index placed, if any.
    std::optional<int> makeOpening(OpeningKind kind, Facing facing, const std::string &feet)
    {
        if (kind == OpeningKind::Door) {
            dialogs.textAnswers.push_back("1");
            EXPECT_EQ(createDoor(editor, dialogs).facingStep, PanelChange::Show);
        } else {
            EXPECT_EQ(pressEntranceButton(editor, kind).facingStep, PanelChange::Show);
        }
        const OpeningOutcome facingDone = confirmFacing(kind, facing, "N");
        const auto orientation = facingDone.sizeBox == openingTexts(kind).widthBox
                                     ? OpeningOrientation::Horizontal
                                     : OpeningOrientation::Vertical;
        const OpeningOutcome outcome = confirmSize(editor, kind, orientation, feet);
        EXPECT_EQ(outcome.sizeStep, PanelChange::Hide);
        if (outcome.changed.size() != 1)
            return std::nullopt;
        return outcome.changed.front();
    }

    struct Box
    {
        float left, top, width, height;
        bool operator==(const Box &) const = default;
    };
    Box boxOf(int index) const
    {
        const ChartElement &element = editor.txtRoom.at(index);
        return {element.left, element.top, element.width, element.height};
    }

    std::string caption(OpeningKind kind) const
    {
        return entranceButton(editor.txtRoom, kind).caption;
    }

    Editor editor;
    testing::FakeDialogs dialogs;
    int kitchen = 0;
    int hall = 0;
};

struct CountAnswer
{
    const char *what;
    std::optional<std::string> answer;
    const char *message; // nullptr: none shown
    bool facingStepShown;
    int doorsPlaced;
};

class DoorCount : public Openings, public ::testing::WithParamInterface<CountAnswer>
{
};

TEST_P(DoorCount, DecidesWhetherTheStepsRunAndHowManyDoorsTheyPlace)
{
    const CountAnswer &row = GetParam();
    press(kitchen);
    dialogs.textAnswers.push_back(row.answer);
    const OpeningOutcome asked = createDoor(editor, dialogs);

    EXPECT_EQ(dialogs.prompts, std::vector<std::string>{
                                   "You can create maximum one door\r\n\r\nPlease Insert Number"});
    EXPECT_TRUE(dialogs.messages.empty());
    if (row.message)
        EXPECT_EQ(asked.message, (Refusal{row.message, Icon::None}));
    else
        EXPECT_EQ(asked.message, std::nullopt);
    ASSERT_EQ(asked.facingStep == PanelChange::Show, row.facingStepShown) << row.what;
    if (!row.facingStepShown)
        return;

    confirmFacing(OpeningKind::Door, Facing::South, "N");
    const OpeningOutcome placed =
        confirmSize(editor, OpeningKind::Door, OpeningOrientation::Horizontal, "4");
    EXPECT_EQ(placed.message, std::nullopt);
    EXPECT_EQ(placed.sizeStep, PanelChange::Hide);
    EXPECT_EQ(static_cast<int>(placed.changed.size()), row.doorsPlaced) << row.what;
    EXPECT_EQ(editor.txtRoom.elementCount(), 2 + row.doorsPlaced);
    // The flag claims a door only when one was placed.
    EXPECT_EQ(editor.doorsPresent, row.doorsPlaced > 0);
}

constexpr const char *kTooMany = "You canot create more than one door at a time";
constexpr const char *kNoNumber = "Please insert only number";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Answers, DoorCount, ::testing::Values(
    CountAnswer{"one", "1", nullptr, true, 1},
    CountAnswer{"0.6 rounds to one", "0.6", nullptr, true, 1},
    CountAnswer{"a half rounds to the even 0", "0.5", nullptr, true, 0},
    CountAnswer{"0 runs both steps and places nothing", "0", nullptr, true, 0},
    CountAnswer{"below 0", "-2", nullptr, true, 0},
    CountAnswer{"1.4 is more than one", "1.4", kTooMany, false, 0},
    CountAnswer{"two", " 2 ", kTooMany, false, 0},
    CountAnswer{"empty", "", nullptr, false, 0},
    CountAnswer{"cancelled", std::nullopt, nullptr, false, 0},
    CountAnswer{"a word", "one", kNoNumber, false, 0},
    CountAnswer{"two points", "1.2.3", kNoNumber, false, 0}));
// clang-format on

TEST_F(Openings, NoRoomSelectedAsksNothing)
{
    EXPECT_EQ(createDoor(editor, dialogs).message, (Refusal{"Please select a room", Icon::None}));
    EXPECT_TRUE(dialogs.prompts.empty());
    EXPECT_EQ(pressEntranceButton(editor, OpeningKind::MainEntrance).message,
              (Refusal{"Please select a room to create Main Entrance", Icon::None}));

    press(kitchen);
    ASSERT_EQ(makeOpening(OpeningKind::Door, Facing::South, "2"), 3);
    press(3); // a door is no room
    EXPECT_EQ(pressEntranceButton(editor, OpeningKind::BackEntrance).message,
              (Refusal{"Please select a room to create Back Entrance", Icon::None}));
    EXPECT_EQ(createDoor(editor, dialogs).message, (Refusal{"Please select a room", Icon::None}));
    EXPECT_EQ(dialogs.prompts.size(), 1u);
}

struct OrientationRow
{
    Facing facing;
    const char *up;
    OpeningOrientation orientation;
};

class OrientationRule : public ::testing::TestWithParam<OrientationRow>
{
};

TEST_P(OrientationRule, ShowsTheBoxOfTheOrientation)
{
    const OrientationRow &row = GetParam();
    EXPECT_EQ(openingOrientation(row.facing, row.up), row.orientation);
    const std::vector<Field> widthBoxes = {Field::DoorWidth, Field::MEWidth, Field::BEWidth};
    const std::vector<Field> lengthBoxes = {Field::DoorLength, Field::MELength, Field::BELength};
    const bool horizontal = row.orientation == OpeningOrientation::Horizontal;
    for (int k = 0; k < 3; ++k) {
        const OpeningOutcome outcome = confirmFacing(kAllKinds[k], row.facing, row.up);
        EXPECT_EQ(outcome.sizeBox, horizontal ? widthBoxes[k] : lengthBoxes[k]);
        EXPECT_EQ(outcome.facingStep, PanelChange::Hide);
        EXPECT_EQ(outcome.sizeStep, PanelChange::Show);
    }
}

constexpr auto H = OpeningOrientation::Horizontal;
constexpr auto V = OpeningOrientation::Vertical;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, OrientationRule, ::testing::Values(
    OrientationRow{Facing::North, "N", H},
    OrientationRow{Facing::South, "N", H},
    OrientationRow{Facing::East, "N", V},
    OrientationRow{Facing::West, "N", V},
    OrientationRow{Facing::North, "E", V},
    OrientationRow{Facing::South, "E", V},
    OrientationRow{Facing::East, "E", H},
    OrientationRow{Facing::West, "E", H},
    OrientationRow{Facing::South, "S", H},
    OrientationRow{Facing::West, "W", H}));
// clang-format on

TEST(OrientationRule, TheFirstFacingGivesAHorizontalOpeningWithNorthAtTheTop)
{
    EXPECT_EQ(kFirstOpeningFacing, Facing::South);
    EXPECT_EQ(openingOrientation(kFirstOpeningFacing, "N"), OpeningOrientation::Horizontal);
}

struct SizeRow
{
    OpeningKind kind;
    OpeningOrientation orientation;
    const char *feet;
    Refusal refusal; // empty message: the opening is placed
};

class SizeStep : public Openings, public ::testing::WithParamInterface<SizeRow>
{
};

// The kitchen is 20 feet long and 8 wide.
TEST_P(SizeStep, ComparesWithTheSizeOfTheElementLastPressed)
{
    const SizeRow &row = GetParam();
    press(kitchen);
    editor.doorCount = 1; // the count prompt was answered 1
    const OpeningOutcome outcome = confirmSize(editor, row.kind, row.orientation, row.feet);
    if (row.refusal.message.empty()) {
        EXPECT_EQ(outcome.message, std::nullopt);
        EXPECT_EQ(outcome.changed, std::vector<int>{3});
        EXPECT_EQ(outcome.sizeStep, PanelChange::Hide);
        return;
    }
    EXPECT_EQ(outcome.message, row.refusal);
    EXPECT_EQ(outcome.sizeStep, PanelChange::Keep);
    EXPECT_EQ(editor.txtRoom.elementCount(), 2);
}

constexpr auto Door = OpeningKind::Door;
constexpr auto Main = OpeningKind::MainEntrance;
constexpr auto Back = OpeningKind::BackEntrance;
constexpr auto None = Icon::None;
constexpr auto Info = Icon::Information;

const Refusal accepted{};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Limits, SizeStep, ::testing::Values(
    SizeRow{Door, V, "20", accepted},
    SizeRow{Door, H, "8", accepted},
    SizeRow{Door, H, "7.5", accepted},
    SizeRow{Door, V, "20.5", {"Length of the door can't be greater than room length", None, Field::DoorLength, true}},
    SizeRow{Door, H, "9", {"Length of the door can't be greater than room width", None, Field::DoorWidth, true}},
    SizeRow{Door, H, "", {"Please enter length of the door", None, Field::DoorWidth}},
    SizeRow{Main, V, "20", accepted},
    SizeRow{Main, H, "8", accepted},
    SizeRow{Main, V, "21", {"Length of the Main Entrance can't be greater than room length", None, Field::MELength, true}},
    SizeRow{Main, H, "8.01", {"Length of the Main Entrance can't be greater than room width", None, Field::MEWidth, true}},
    SizeRow{Main, V, "", {"Please enter length of the Main Entrance", None, Field::MELength}},
    SizeRow{Back, V, "20", accepted},
    SizeRow{Back, H, "8", accepted},
    SizeRow{Back, V, "21", {"Length of the Back Entrance can't be greater than room length", Info, Field::BELength, true}},
    SizeRow{Back, H, "9", {"Length of The back Entrance can't be greater than room width", None, Field::BEWidth, true}},
    SizeRow{Back, H, "", {"Please enter length of the Back Entrance", Info, Field::BEWidth}}));
// clang-format on

TEST_F(Openings, LengthsOfZeroOrNoNumberAreRefusedWithTheStepLeftOpen)
{
    press(kitchen);
    for (const OpeningKind kind : kAllKinds) {
        for (const char *feet : {"0", ".", "1.2.3", "-2", "0.0"}) {
            const OpeningOutcome outcome = confirmSize(editor, kind, V, feet);
            ASSERT_TRUE(outcome.message.has_value()) << feet;
            EXPECT_NE(outcome.message->message.find("number greater than 0"), std::string::npos);
            EXPECT_EQ(outcome.message->focus, openingTexts(kind).lengthBox);
            // What was typed stays for the user to mend.
            EXPECT_FALSE(outcome.message->clearField);
            EXPECT_EQ(outcome.sizeStep, PanelChange::Keep);
        }
    }
    EXPECT_EQ(editor.txtRoom.elementCount(), 2);
    EXPECT_FALSE(editor.doorsPresent);
    EXPECT_EQ(caption(Main), "Main Entrance");
}

TEST_F(Openings, ALengthEqualToTheRoomPassesAtAScaleThatIsNotWhole)
{
    // 11.67 feet per division: a room of 1 by 3 feet reads back from its box as 0.99999997 by
    // 2.99999990 feet.
    editor.scales = measureScales("70", "70");
    const int room = addElement("Study Room", 0, 0, 1, 3);
    press(room);
    editor.doorCount = 1;
    ASSERT_LT(editor.selectedRoomLength, 1);
    EXPECT_EQ(confirmSize(editor, Door, V, "1").message, std::nullopt);
    EXPECT_EQ(confirmSize(editor, Main, H, "3").message, std::nullopt);
    EXPECT_TRUE(confirmSize(editor, Back, V, "1.00001").message.has_value());
    EXPECT_TRUE(confirmSize(editor, Back, H, "3.0001").message.has_value());
}

TEST_F(Openings, ArePlacedAtTheCornerOfWhateverIsHighlightedAtOk)
{
    press(kitchen);
    dialogs.textAnswers.push_back("1");
    createDoor(editor, dialogs);
    ASSERT_EQ(confirmFacing(Door, Facing::North, "N").sizeBox, Field::DoorWidth);
    press(hall); // the user pressed another room meanwhile: the hall's 5 feet of width limit
    EXPECT_EQ(confirmSize(editor, Door, H, "6").message->message,
              "Length of the door can't be greater than room width");
    EXPECT_EQ(confirmSize(editor, Door, H, "5").changed, std::vector<int>{3});

    const ChartElement &door = editor.txtRoom.at(3);
    EXPECT_EQ(door.text, "");
    EXPECT_EQ(boxOf(3), (Box{2400, 3200, 800, 0}));
    EXPECT_EQ(door.borderStyle, 1);
    EXPECT_TRUE(door.visible);
    EXPECT_TRUE(door.enabled);
    EXPECT_FALSE(door.highlighted);
    EXPECT_EQ(editor.txtRoom.stackingOrder().back(), 3);
    EXPECT_TRUE(editor.doorsPresent);
    EXPECT_TRUE(editor.txtRoom.at(hall).highlighted);

    press(kitchen);
    ASSERT_EQ(makeOpening(Main, Facing::East, "20"), 4);
    const ChartElement &entrance = editor.txtRoom.at(4);
    EXPECT_EQ(entrance.text, "Main Entrance");
    EXPECT_EQ(boxOf(4), (Box{800, 400, 0, 1600}));
    EXPECT_EQ(entrance.borderStyle, 1);
    EXPECT_EQ(editor.mainEntranceIndex, 4);
    EXPECT_EQ(editor.txtRoom.stackingOrder().back(), 4);

    ASSERT_EQ(makeOpening(Back, Facing::South, "3"), 5);
    EXPECT_EQ(editor.txtRoom.at(5).text, "Back Entrance");
    EXPECT_EQ(editor.backEntranceIndex, 5);
}

TEST_F(Openings, NothingHighlightedAtOkPlacesNothingAndClaimsNothing)
{
    press(kitchen);
    dialogs.textAnswers.push_back("1");
    createDoor(editor, dialogs);
    // The room was deleted meanwhile: it is still highlighted, but no longer live.
    editor.txtRoom.at(kitchen).enabled = false;

    const OpeningOutcome door = confirmSize(editor, Door, H, "4");
    EXPECT_EQ(door.message, std::nullopt);
    EXPECT_EQ(door.sizeStep, PanelChange::Hide);
    EXPECT_TRUE(door.changed.empty());
    EXPECT_FALSE(editor.doorsPresent);

    editor.txtRoom.at(kitchen).highlighted = false;
    const OpeningOutcome entrance = confirmSize(editor, Main, H, "4");
    EXPECT_EQ(entrance.message,
              (Refusal{"Please select a room to create Main Entrance", Icon::None}));
    EXPECT_EQ(entrance.sizeStep, PanelChange::Keep);
    EXPECT_EQ(editor.txtRoom.elementCount(), 2);
    EXPECT_EQ(editor.mainEntranceIndex, 0);
    EXPECT_EQ(caption(Main), "Main Entrance");
    EXPECT_FALSE(mainEntranceExists(editor.txtRoom));
}

TEST_F(Openings, DeleteDoorTwice)
{
    EXPECT_EQ(deleteDoor(editor).message,
              (Refusal{"Please select a door to delete", Icon::Information}));

    press(kitchen);
    ASSERT_EQ(makeOpening(Door, Facing::South, "4"), 3);
    press(3);
    const OpeningOutcome first = deleteDoor(editor);
    EXPECT_EQ(first.message, std::nullopt);
    EXPECT_EQ(first.changed, std::vector<int>{3});
    const ChartElement &door = editor.txtRoom.at(3);
    EXPECT_EQ(door.text, "Deleted Door");
    EXPECT_FALSE(door.enabled);
    EXPECT_EQ(boxOf(3), (Box{4800, 4800, 0, 0}));
    // Red C1, green 8A, blue E6.
    EXPECT_EQ(door.fillOverride, (0xC1u << 16) | (0x8Au << 8) | 0xE6u);
    EXPECT_FALSE(editor.doorsPresent);
    EXPECT_FALSE(editor.roomSelected);
    EXPECT_TRUE(editor.doorSelected);

    const OpeningOutcome second = deleteDoor(editor);
    EXPECT_EQ(second, OpeningOutcome{});
    EXPECT_EQ(editor.txtRoom.at(kitchen).text, "Kitchen");
    EXPECT_EQ(editor.txtRoom.elementCount(), 3);
}

TEST_F(Openings, EntranceButtonsFollowTheChart)
{
    const EntranceButton mainAbsent{"Main Entrance"};
    const EntranceButton mainPresent{"Delete Main Entrance"};
    const EntranceButton backAbsent{"Back Entrance"};
    const EntranceButton backPresent{"Delete Back Entrance"};
    EXPECT_EQ(entranceButton(editor.txtRoom, Main), mainAbsent);
    EXPECT_EQ(entranceButton(editor.txtRoom, Back), backAbsent);

    press(kitchen);
    ASSERT_EQ(makeOpening(Main, Facing::South, "4"), 3);
    EXPECT_EQ(entranceButton(editor.txtRoom, Main), mainPresent);
    EXPECT_EQ(entranceButton(editor.txtRoom, Back), backAbsent);
    ASSERT_EQ(makeOpening(Back, Facing::South, "4"), 4);
    EXPECT_EQ(entranceButton(editor.txtRoom, Back), backPresent);

    // Deleting one leaves the other; no selection is needed.
    editor.txtRoom.at(kitchen).highlighted = false;
    editor.roomSelected = false;
    const OpeningOutcome deleted = pressEntranceButton(editor, Main);
    EXPECT_EQ(deleted.message, std::nullopt);
    EXPECT_EQ(deleted.facingStep, PanelChange::Keep);
    EXPECT_EQ(deleted.changed, std::vector<int>{3});
    const ChartElement &gone = editor.txtRoom.at(3);
    EXPECT_EQ(gone.text, "a");
    EXPECT_FALSE(gone.enabled);
    EXPECT_EQ(boxOf(3), (Box{4800, 4800, 0, 0}));
    EXPECT_EQ(gone.fillOverride, kDeletedOpeningFill);
    EXPECT_EQ(editor.mainEntranceIndex, 3);
    EXPECT_EQ(entranceButton(editor.txtRoom, Main), mainAbsent);
    EXPECT_EQ(entranceButton(editor.txtRoom, Back), backPresent);
    EXPECT_EQ(editor.txtRoom.at(4).text, "Back Entrance");

    // With the main entrance gone, its button creates again.
    press(hall);
    EXPECT_EQ(pressEntranceButton(editor, Main).facingStep, PanelChange::Show);
    EXPECT_EQ(pressEntranceButton(editor, Back).changed, std::vector<int>{4});
    EXPECT_EQ(caption(Back), "Back Entrance");
    EXPECT_EQ(editor.backEntranceIndex, 4);
}

TEST_F(Openings, AnEntranceThatAppearedMeanwhileClosesTheSizeStep)
{
    press(kitchen);
    for (const auto &[kind, name, message] :
         {std::tuple{Main, "Main Entrance", "Main Entrance already exist"},
          std::tuple{Back, "Back Entrance", "Back entrance already exist"}}) {
        ASSERT_EQ(pressEntranceButton(editor, kind).facingStep, PanelChange::Show);
        confirmFacing(kind, Facing::South, "N");
        // A layout opened meanwhile brought one along.
        addElement(name, 0, 0, 0, 5);
        const int count = editor.txtRoom.elementCount();
        const OpeningOutcome outcome = confirmSize(editor, kind, H, "4");
        EXPECT_EQ(outcome.message, (Refusal{message, Icon::Information}));
        EXPECT_EQ(outcome.sizeStep, PanelChange::Hide);
        EXPECT_TRUE(outcome.changed.empty());
        EXPECT_EQ(editor.txtRoom.elementCount(), count);
        EXPECT_EQ(caption(kind), std::string("Delete ") + name);
    }
    EXPECT_EQ(editor.mainEntranceIndex, 0);
    EXPECT_EQ(editor.backEntranceIndex, 0);
}

TEST_F(Openings, ARoomNamedMainEntranceIsTheMainEntrance)
{
    const int room = addElement("Main Entrance", 0, 0, 10, 10);
    EXPECT_TRUE(mainEntranceExists(editor.txtRoom));
    EXPECT_FALSE(backEntranceExists(editor.txtRoom));
    EXPECT_EQ(caption(Main), "Delete Main Entrance");

    press(kitchen);
    EXPECT_EQ(pressEntranceButton(editor, Main).changed, std::vector<int>{room});
    EXPECT_EQ(editor.txtRoom.at(room).text, "a");
    EXPECT_FALSE(mainEntranceExists(editor.txtRoom));
    EXPECT_EQ(caption(Main), "Main Entrance");

    // Only a live element of the exact name counts.
    addElement("main entrance", 0, 0, 10, 10);
    const int parked = addElement("Back Entrance", 4800, 4800, 0, 0);
    editor.txtRoom.at(parked).enabled = false;
    EXPECT_FALSE(mainEntranceExists(editor.txtRoom));
    EXPECT_FALSE(backEntranceExists(editor.txtRoom));
}

} // namespace
} // namespace tessel
