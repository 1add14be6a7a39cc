#include "fake_dialogs.h"
#include "model/openings.h"
#include "model/placement.h"
#include "model/rooms.h"
#include "model/steps.h"

#include <gtest/gtest.h>

#include <functional>

namespace tessel {
namespace {

// The whole state a step may touch, compared field for field.
struct State
{
    int count;
    std::vector<ChartElement> elements;
    std::vector<int> stacking;
    EditorFlags flags;
    bool operator==(const State &) const = default;
};

State stateOf(const Editor &editor)
{
    State state{
        editor.txtRoom.elementCount(), {}, editor.txtRoom.stackingOrder(), EditorFlags::of(editor)};
    for (int index = 0; index <= state.count; ++index)
        state.elements.push_back(editor.txtRoom.at(index));
    return state;
}

// A plot of 60 x 30 feet with a kitchen and a hall side by side, a door on the kitchen and
// the main entrance on its wall; the kitchen is selected.
Editor startingChart()
{
    Editor editor;
    editor.scales = {10, 5};
    for (const char *name : {"Kitchen", "Hall"})
        std::get<int>(createRoom(editor, {name, "10", "10", "60", "30"}));
    moveElement(editor.txtRoom, 2, 1600, 0);
    selectElement(editor, 1);
    editor.doorCount = 1;
    confirmSize(editor, OpeningKind::Door, OpeningOrientation::Horizontal, "3");
    selectElement(editor, 1);
    confirmSize(editor, OpeningKind::MainEntrance, OpeningOrientation::Vertical, "4");
    selectElement(editor, 1);
    return editor;
}

struct StepCase
{
    const char *name;
    std::function<void(Editor &)> command;
};

class EveryStep : public ::testing::TestWithParam<StepCase>
{
};

TEST_P(EveryStep, UndoRestoresTheStateBeforeAndRedoTheStateAfter)
{
    Editor editor = startingChart();
    const State before = stateOf(editor);
    StepRecorder recorder(editor, GetParam().name);
    GetParam().command(editor);
    const Step step = recorder.finish();
    const State after = stateOf(editor);
    ASSERT_NE(before, after) << "the command changed nothing";
    EXPECT_FALSE(step.isEmpty());

    step.undo(editor);
    EXPECT_EQ(stateOf(editor), before);
    step.redo(editor);
    EXPECT_EQ(stateOf(editor), after);
    step.undo(editor);
    EXPECT_EQ(stateOf(editor), before);
}

INSTANTIATE_TEST_SUITE_P(
    History, EveryStep,
    ::testing::Values(StepCase{"CreateRoom",
                               [](Editor &e) {
                                   createRoom(e, {"Study Room", "10", "5", "60", "30"});
                               }},
                      StepCase{"DragWithOverlap",
                               [](Editor &e) {
                                   selectElement(e, 2);
                                   moveElement(e.txtRoom, 2, 800, 400);
                                   dropElement(e, 2);
                               }},
                      StepCase{"DeleteRoom",
                               [](Editor &e) {
                                   deleteSelectedRoom(e);
                               }},
                      StepCase{"CreateBackEntrance",
                               [](Editor &e) {
                                   confirmSize(e, OpeningKind::BackEntrance,
                                               OpeningOrientation::Vertical, "2");
                               }},
                      StepCase{"DeleteDoor",
                               [](Editor &e) {
                                   selectElement(e, 3);
                                   deleteDoor(e);
                               }},
                      StepCase{"DeleteMainEntrance",
                               [](Editor &e) {
                                   pressEntranceButton(e, OpeningKind::MainEntrance);
                               }},
                      StepCase{"AppendElements",
                               [](Editor &e) {
                                   for (int i = 0; i < 3; ++i)
                                       e.txtRoom.at(*e.txtRoom.createElement()).text = "Puja Room";
                                   e.backEntranceIndex = 5;
                               }},
                      StepCase{"EmptyTheChart",
                               [](Editor &e) {
                                   e.txtRoom.clear();
                                   e.roomSelected = e.doorsPresent = false;
                                   e.mainEntranceIndex = 0;
                               }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(History, AMoveKeepsOneElementAndARunOfMovesIsOneStep)
{
    Editor editor = startingChart();
    const State before = stateOf(editor);
    Step run;
    for (int step = 1; step <= 3; ++step) {
        StepRecorder recorder(editor, "Move Kitchen", 1);
        moveElement(editor.txtRoom, 1, 15.0 * step, 0);
        Step move = recorder.finish();
        if (step == 1)
            run = std::move(move);
        else
            ASSERT_TRUE(run.absorb(move));
    }
    EXPECT_EQ(editor.txtRoom.at(1).left, 45);
    run.undo(editor);
    EXPECT_EQ(stateOf(editor), before);

    // A step that wrote to another element is not taken into the run.
    StepRecorder recorder(editor, "Move Hall", 2);
    moveElement(editor.txtRoom, 2, 1700, 0);
    EXPECT_FALSE(run.absorb(recorder.finish()));
}

TEST(History, APressWithoutChangeIsAnEmptyStep)
{
    Editor editor = startingChart();
    StepRecorder recorder(editor, "Move Kitchen", 1);
    selectElement(editor, 1);
    dropElement(editor, 1);
    EXPECT_TRUE(recorder.finish().isEmpty());
}

} // namespace
} // namespace tessel
