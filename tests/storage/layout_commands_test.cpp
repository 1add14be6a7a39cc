#include "storage/layout_commands.h"

#include "fake_dialogs.h"
#include "sample_plan.h"
#include "storage/layout_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace tessel {
namespace {

using testing::addElement;
using testing::FakeDialogs;
using testing::park;
using Shown = FakeDialogs::Shown;

const std::string kFolder = "/opt/tessel";
const std::string kPath = "/opt/tessel/Structure.txt";

// Files in memory; a write can be made to fail as a full disk does.
class FakeFiles : public FileAccess
{
public:
    std::map<std::string, std::string> files;
    std::optional<std::string> writeFailure;
    std::optional<std::string> readFailure;

    bool exists(const std::string &path) override { return files.count(path) != 0; }
    Content readAll(const std::string &path, std::size_t maxBytes) override
    {
        if (readFailure)
            return {false, {}, *readFailure};
        return {true, files.at(path).substr(0, maxBytes + 1), {}};
    }
    std::optional<std::string> writeAtomically(const std::string &path,
                                               std::string_view bytes) override
    {
        if (writeFailure)
            return writeFailure;
        files[path] = std::string(bytes);
        return std::nullopt;
    }
};

const Shown kNoMain{"Please create Main Entrance", Icon::Information};
const Shown kNoBack{"There is no Back Entrance\r\nDo you want To create ?", Icon::None};
const Shown kMainOutside{"Main Entrance must be inside the room", Icon::Information};
const Shown kBackOutside{"Back Entrance must be inside the room", Icon::Information};
const Shown kNoDoors{"Please Create Doors", Icon::Information};
const Shown kOverlap{"You cannot overlap rooms", Icon::Information};
const Shown kSaveQuestion{"Do You Want to Save Lay Out of Your Plot?", Icon::None};

struct SaveCase
{
    const char *what;
    std::function<void(Editor &)> change;
    std::deque<bool> answers;
    std::vector<Shown> messages;
    std::vector<Shown> questions;
    bool saved;
};

class SaveChecks : public ::testing::TestWithParam<SaveCase>
{
};

TEST_P(SaveChecks, RunInOrderAndStopAtTheFirstFailure)
{
    const SaveCase &c = GetParam();
    Editor editor = testing::samplePlan();
    c.change(editor);
    const std::string before = writeLayout(editor.txtRoom);
    FakeDialogs dialogs;
    dialogs.yesNoAnswers = c.answers;
    FakeFiles files;
    files.files[kPath] = "previous";

    const LayoutOutcome outcome = SaveLayout(editor, dialogs, files, kFolder);

    EXPECT_EQ(dialogs.messages, c.messages) << c.what;
    EXPECT_EQ(dialogs.questions, c.questions) << c.what;
    EXPECT_TRUE(dialogs.unanswered.empty()) << c.what;
    EXPECT_EQ(outcome.chartChanged, c.saved) << c.what;
    EXPECT_EQ(files.files[kPath], c.saved ? before : "previous") << c.what;
    EXPECT_EQ(editor.txtRoom.elementCount() == 0, c.saved) << c.what;
}

const auto keep = [](Editor &) {
};
const auto dropMain = [](Editor &e) {
    park(e, 4, "a");
};
const auto dropBack = [](Editor &e) {
    park(e, 5, "a");
};

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveChecks,
    ::testing::Values(
        SaveCase{"a sound plan", keep, {true}, {}, {kSaveQuestion}, true},
        SaveCase{"no main entrance, and nothing else tested",
                 [](Editor &e) {
                     dropMain(e);
                     dropBack(e);
                     park(e, 3, "Deleted Door");
                 },
                 {},
                 {kNoMain},
                 {},
                 false},
        SaveCase{"no back entrance, answered Yes", dropBack, {true}, {}, {kNoBack}, false},
        SaveCase{"no back entrance, answered No",
                 dropBack,
                 {false, true},
                 {},
                 {kNoBack, kSaveQuestion},
                 true},
        SaveCase{"main entrance one twip outside",
                 [](Editor &e) { e.txtRoom.at(4).left = -1; },
                 {},
                 {kMainOutside},
                 {},
                 false},
        SaveCase{"main entrance on the door only",
                 [](Editor &e) {
                     e.txtRoom.at(3).left = e.txtRoom.at(3).top = 2000;
                     e.txtRoom.at(4) = e.txtRoom.at(3);
                     e.txtRoom.at(4).text = "Main Entrance";
                 },
                 {},
                 {kMainOutside},
                 {},
                 false},
        SaveCase{"back entrance one twip outside",
                 [](Editor &e) { e.txtRoom.at(5).left = 3201; },
                 {},
                 {kBackOutside},
                 {},
                 false},
        SaveCase{"only a deleted door",
                 [](Editor &e) { park(e, 3, "Deleted Door"); },
                 {},
                 {kNoDoors},
                 {},
                 false},
        SaveCase{"one live door beside a deleted one",
                 [](Editor &e) {
                     park(e, addElement(e, "", 0, 0, 0, 400), "Deleted Door");
                     e.doorsPresent = false;
                 },
                 {true},
                 {},
                 {kSaveQuestion},
                 true},
        SaveCase{"rooms overlapping on the chart though the last drop was fine",
                 [](Editor &e) {
                     addElement(e, "Study Room", 0, 0, 800, 800);
                     e.overlapDetected = false;
                 },
                 {},
                 {kOverlap},
                 {},
                 false},
        SaveCase{"the last drop failed but the chart is clear",
                 [](Editor &e) { e.overlapDetected = true; },
                 {true},
                 {},
                 {kSaveQuestion},
                 true},
        SaveCase{"the final question answered No", keep, {false}, {}, {kSaveQuestion}, false}));

TEST(SaveLayout, EmptiesTheChartAndEverythingAboutIt)
{
    Editor editor = testing::samplePlan();
    editor.roomSelected = editor.doorSelected = editor.overlapDetected = true;
    FakeDialogs dialogs;
    dialogs.yesNoAnswers = {true};
    FakeFiles files;

    const LayoutOutcome outcome = SaveLayout(editor, dialogs, files, kFolder + "/");

    EXPECT_TRUE(files.files.count(kPath));
    EXPECT_EQ(editor.txtRoom.elementCount(), 0);
    EXPECT_FALSE(editor.roomSelected || editor.doorSelected || editor.overlapDetected ||
                 editor.doorsPresent);
    EXPECT_EQ(editor.mainEntranceIndex, 0);
    EXPECT_EQ(editor.backEntranceIndex, 0);
    EXPECT_TRUE(editor.roomCreated);
    EXPECT_EQ(outcome, (LayoutOutcome{.chartChanged = true, .completed = true}));
}

TEST(SaveLayout, AFailedWriteKeepsTheChartAndThePreviousFile)
{
    Editor editor = testing::samplePlan();
    const std::string chart = writeLayout(editor.txtRoom);
    FakeDialogs dialogs;
    dialogs.yesNoAnswers = {true};
    FakeFiles files;
    files.files[kPath] = "1,\"Hall\",0,0,800,800,0\r\n";
    files.writeFailure = "No space left on device";

    EXPECT_EQ(SaveLayout(editor, dialogs, files, kFolder), LayoutOutcome());

    EXPECT_EQ(files.files[kPath], "1,\"Hall\",0,0,800,800,0\r\n");
    EXPECT_EQ(writeLayout(editor.txtRoom), chart);
    EXPECT_EQ(editor.mainEntranceIndex, 4);
    EXPECT_TRUE(editor.doorsPresent);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, Icon::Critical);
    EXPECT_NE(dialogs.lastMessage().find(kPath), std::string::npos);
    EXPECT_NE(dialogs.lastMessage().find("No space left on device"), std::string::npos);
}

TEST(OpenLayout, BringsBackWhatWasSavedAfterTheElementsOnTheChart)
{
    Editor saved = testing::samplePlan();
    park(saved, addElement(saved, "Store Room", 10, 10, 800, 800), "Store Room");
    park(saved, addElement(saved, "", 1600, 400, 0, 400), "Deleted Door");
    park(saved, addElement(saved, "Back Entrance", 3200, 0, 0, 400), "a");
    const Editor original = saved;
    FakeDialogs dialogs;
    dialogs.yesNoAnswers = {true};
    FakeFiles files;
    SaveLayout(saved, dialogs, files, kFolder);

    Editor editor;
    editor.scales = {10, 5};
    addElement(editor, "Hall", 0, 0, 800, 800);
    const LayoutOutcome outcome = OpenLayout(editor, dialogs, files, kFolder);

    EXPECT_TRUE(dialogs.messages.empty());
    const int count = original.txtRoom.elementCount();
    ASSERT_EQ(editor.txtRoom.elementCount(), count + 1);
    for (int index = 1; index <= count; ++index) {
        const ChartElement &was = original.txtRoom.at(index);
        const ChartElement &is = editor.txtRoom.at(index + 1);
        EXPECT_EQ(is.text, was.text) << index;
        EXPECT_EQ(is.left, was.left) << index;
        EXPECT_EQ(is.top, was.top) << index;
        EXPECT_EQ(is.width, was.width) << index;
        EXPECT_EQ(is.height, was.height) << index;
        EXPECT_EQ(is.borderStyle, was.borderStyle) << index;
        EXPECT_TRUE(is.visible && is.enabled) << index;
    }
    EXPECT_EQ(editor.mainEntranceIndex, 5);
    EXPECT_EQ(editor.backEntranceIndex, 6);
    EXPECT_TRUE(editor.doorsPresent);
    EXPECT_EQ(outcome, (LayoutOutcome{.chartChanged = true, .completed = true}));
}

struct OpenCase
{
    const char *what;
    bool measured;
    bool fileThere;
    bool roomCreated;
    std::deque<bool> answers;
    std::vector<Shown> messages;
    std::vector<Shown> questions;
    int loaded;
};

class OpenPath : public ::testing::TestWithParam<OpenCase>
{
};

TEST_P(OpenPath, AsksAndLoads)
{
    const OpenCase &c = GetParam();
    Editor editor;
    if (c.measured)
        editor.scales = {10, 5};
    editor.roomCreated = c.roomCreated;
    FakeDialogs dialogs;
    dialogs.yesNoAnswers = c.answers;
    FakeFiles files;
    if (c.fileThere)
        files.files[kPath] = "1,\"Hall\",0,0,800,800,0\r\n2,\"\",0,800,400,0,1\r\n";

    const LayoutOutcome outcome = OpenLayout(editor, dialogs, files, kFolder);

    EXPECT_EQ(dialogs.messages, c.messages) << c.what;
    EXPECT_EQ(dialogs.questions, c.questions) << c.what;
    EXPECT_EQ(editor.txtRoom.elementCount(), c.loaded) << c.what;
    EXPECT_EQ(outcome.needsPlot, !c.measured) << c.what;
    EXPECT_EQ(outcome.completed, c.loaded > 0) << c.what;
}

const Shown kNotMeasured{"Please reduced scale measure", Icon::Information};
const Shown kNoFile{"You did not save any structure of plot", Icon::Information};
const Shown kIntegrate{"Are You Sure You Want To Integrate Old Chart With New Chart ?", Icon::None};

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenPath,
    ::testing::Values(
        OpenCase{"plot not measured, though the file is there",
                 false,
                 true,
                 false,
                 {},
                 {kNotMeasured},
                 {},
                 0},
        OpenCase{"no file", true, false, true, {}, {kNoFile}, {}, 0},
        OpenCase{"no room created yet: no question", true, true, false, {}, {}, {}, 2},
        OpenCase{
            "a room was created: integrate? Yes", true, true, true, {true}, {}, {kIntegrate}, 2},
        OpenCase{
            "a room was created: integrate? No", true, true, true, {false}, {}, {kIntegrate}, 0}));

TEST(OpenLayout, AnEmptyFileLoadsNothingButCountsAsOpened)
{
    Editor editor;
    editor.scales = {10, 5};
    FakeDialogs dialogs;
    FakeFiles files;
    files.files[kPath] = "";
    const LayoutOutcome outcome = OpenLayout(editor, dialogs, files, kFolder);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(editor.txtRoom.elementCount(), 0);
    EXPECT_EQ(outcome, (LayoutOutcome{.chartChanged = false, .completed = true}));
}

TEST(OpenLayout, ADamagedFileLoadsUpToTheFaultAndSaysWhere)
{
    Editor editor;
    editor.scales = {10, 5};
    FakeDialogs dialogs;
    FakeFiles files;
    files.files[kPath] = "1,\"Hall\",0,0,800,800,0\r\n2,\"Main Entrance\",0,0,0,400,1\r\n"
                         "3,\"Kitchen\",zero,0,800,800,0\r\n4,\"\",0,0,0,0,1\r\n";
    const LayoutOutcome outcome = OpenLayout(editor, dialogs, files, kFolder);
    EXPECT_EQ(editor.txtRoom.elementCount(), 2);
    EXPECT_EQ(editor.mainEntranceIndex, 2);
    EXPECT_TRUE(outcome.completed);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "The layout file /opt/tessel/Structure.txt could not be loaded completely: field "
              "3 in line 3 is not a number.\n\n2 elements before that point were added to the "
              "chart.");
    EXPECT_EQ(dialogs.messages[0].icon, Icon::Critical);
}

TEST(OpenLayout, StopsWhenTheChartIsFull)
{
    Editor editor;
    editor.scales = {10, 5};
    while (editor.txtRoom.elementCount() < ChartTable::kMaxIndex - 1)
        editor.txtRoom.createElement();
    FakeDialogs dialogs;
    FakeFiles files;
    files.files[kPath] = "1,\"Hall\",0,0,800,800,0\r\n2,\"Hall\",0,0,800,800,0\r\n";
    OpenLayout(editor, dialogs, files, kFolder);
    EXPECT_EQ(editor.txtRoom.elementCount(), ChartTable::kMaxIndex);
    EXPECT_NE(dialogs.lastMessage().find("cannot hold more than 32767 elements; the records "
                                         "from line 2 on were not loaded"),
              std::string::npos);
}

TEST(OpenLayout, AFileThatCannotBeReadIsReported)
{
    Editor editor;
    editor.scales = {10, 5};
    FakeDialogs dialogs;
    FakeFiles files;
    files.files[kPath] = "";
    files.readFailure = "Permission denied";
    const LayoutOutcome outcome = OpenLayout(editor, dialogs, files, kFolder);
    EXPECT_EQ(dialogs.lastMessage(),
              "The layout file /opt/tessel/Structure.txt could not be read:\nPermission denied");
    EXPECT_FALSE(outcome.completed);
}

} // namespace
} // namespace tessel
