#include "model/openings.h"

#include "model/entrances.h"
#include "model/number.h"
#include "model/placement.h"

#include <cmath>
#include <utility>

namespace tessel {

namespace {

// Relative precision of a single-precision chart unit, with room to spare.
constexpr double kSinglePrecision = 1e-6;

constexpr OpeningTexts kDoorTexts{
    "",
    "the door",
    Field::DoorWidth,
    Field::DoorLength,
    {"Please select a room", Icon::None},
    {"Please enter length of the door", Icon::None},
    {"Length of the door can't be greater than room length", Icon::None},
    {"Length of the door can't be greater than room width", Icon::None},
    {"", Icon::None},
    "",
    "",
};

constexpr OpeningTexts kMainEntranceTexts{
    "Main Entrance",
    "the Main Entrance",
    Field::MEWidth,
    Field::MELength,
    {"Please select a room to create Main Entrance", Icon::None},
    {"Please enter length of the Main Entrance", Icon::None},
    {"Length of the Main Entrance can't be greater than room length", Icon::None},
    {"Length of the Main Entrance can't be greater than room width", Icon::None},
    {"Main Entrance already exist", Icon::Information},
    "Main Entrance",
    "Delete Main Entrance",
};

constexpr OpeningTexts kBackEntranceTexts{
    "Back Entrance",
    "the Back Entrance",
    Field::BEWidth,
    Field::BELength,
    {"Please select a room to create Back Entrance", Icon::None},
    {"Please enter length of the Back Entrance", Icon::Information},
    {"Length of the Back Entrance can't be greater than room length", Icon::Information},
    {"Length of The back Entrance can't be greater than room width", Icon::None},
    {"Back entrance already exist", Icon::Information},
    "Back Entrance",
    "Delete Back Entrance",
};

Refusal refusalOf(const OpeningMessage &message, Field focus = Field::None, bool clearField = false)
{
    return Refusal{message.text, message.icon, focus, clearField};
}

bool entranceExists(const ChartTable &table, OpeningKind kind)
{
    switch (kind) {
    case OpeningKind::MainEntrance:
        return mainEntranceExists(table);
    case OpeningKind::BackEntrance:
        return backEntranceExists(table);
    case OpeningKind::Door:
        break;
    }
    return false;
}

bool roomIsSelected(const Editor &editor)
{
    return editor.roomSelected && highlightedElement(editor.txtRoom).has_value();
}

// A deleted element keeps its index: it is disabled and parked, shrunk to nothing, at the
// chart's far corner.
void markDeleted(ChartElement &element, std::string text)
{
    element.text = std::move(text);
    element.enabled = false;
    element.left = static_cast<float>(kChartExtent);
    element.top = static_cast<float>(kChartExtent);
    element.width = 0;
    element.height = 0;
    element.fillOverride = kDeletedOpeningFill;
}

void placeOpening(Editor &editor, const OpeningTexts &texts, int index, int corner,
                  OpeningOrientation orientation, double feet)
{
    const ChartElement &room = editor.txtRoom.at(corner);
    ChartElement &opening = editor.txtRoom.at(index);
    const bool vertical = orientation == OpeningOrientation::Vertical;
    opening.text = texts.elementText;
    opening.left = room.left;
    opening.top = room.top;
    opening.width = vertical ? 0.0f : static_cast<float>(widthToChart(feet, editor.scales));
    opening.height = vertical ? static_cast<float>(lengthToChart(feet, editor.scales)) : 0.0f;
    opening.borderStyle = 1;
    opening.visible = true;
    opening.enabled = true;
    opening.highlighted = false;
    opening.fillOverride.reset();
}

} // namespace

const OpeningTexts &openingTexts(OpeningKind kind)
{
    switch (kind) {
    case OpeningKind::MainEntrance:
        return kMainEntranceTexts;
    case OpeningKind::BackEntrance:
        return kBackEntranceTexts;
    case OpeningKind::Door:
        break;
    }
    return kDoorTexts;
}

OpeningOutcome createDoor(Editor &editor, Dialogs &dialogs)
{
    if (!roomIsSelected(editor))
        return {refusalOf(kDoorTexts.selectRoom)};
    const auto answer = dialogs.askText(kDoorCountPrompt);
    if (!answer || answer->empty())
        return {};
    const auto count = strictNumber(*answer);
    if (!count)
        return {Refusal{"Please insert only number"}};
    if (*count > 1)
        return {Refusal{"You canot create more than one door at a time"}};
    // A count that rounds to 0 or less lets both steps run but places nothing.
    editor.doorCount = roundHalfEven(*count) >= 1 ? 1 : 0;
    return {std::nullopt, PanelChange::Show};
}

OpeningOutcome pressEntranceButton(Editor &editor, OpeningKind kind)
{
    const OpeningTexts &texts = openingTexts(kind);
    if (!entranceExists(editor.txtRoom, kind)) {
        if (!roomIsSelected(editor))
            return {refusalOf(texts.selectRoom)};
        return {std::nullopt, PanelChange::Show};
    }
    // Every live element bearing the entrance's name goes, whatever made it.
    OpeningOutcome outcome;
    const ChartTable &view = editor.txtRoom;
    for (int index = 1; index <= view.elementCount(); ++index) {
        const ChartElement &seen = view.at(index);
        if (seen.enabled && seen.text == texts.elementText) {
            markDeleted(editor.txtRoom.at(index), "a");
            outcome.changed.push_back(index);
        }
    }
    return outcome;
}

OpeningOrientation openingOrientation(Facing facing, std::string_view up)
{
    const bool facesAlongNorthSouth = facing == Facing::North || facing == Facing::South;
    const bool northSouthIsVertical = up == "N" || up == "S";
    return facesAlongNorthSouth == northSouthIsVertical ? OpeningOrientation::Horizontal
                                                        : OpeningOrientation::Vertical;
}

OpeningOutcome confirmFacing(OpeningKind kind, Facing facing, std::string_view up)
{
    const OpeningTexts &texts = openingTexts(kind);
    const bool horizontal = openingOrientation(facing, up) == OpeningOrientation::Horizontal;
    return {std::nullopt, PanelChange::Hide, PanelChange::Show,
            horizontal ? texts.widthBox : texts.lengthBox};
}

OpeningOutcome cancelFacing()
{
    return {std::nullopt, PanelChange::Hide};
}

OpeningOutcome confirmSize(Editor &editor, OpeningKind kind, OpeningOrientation orientation,
                           const std::string &lengthText)
{
    const OpeningTexts &texts = openingTexts(kind);
    const bool vertical = orientation == OpeningOrientation::Vertical;
    const Field box = vertical ? texts.lengthBox : texts.widthBox;
    if (lengthText.empty())
        return {refusalOf(texts.enterLength, box)};
    // The room's size comes from its box, which holds chart units in single precision: a
    // length within that precision of it is the room's own length, and fits.
    const double roomSize = vertical ? editor.selectedRoomLength : editor.selectedRoomWidth;
    if (leadingNumber(lengthText) > roomSize + std::abs(roomSize) * kSinglePrecision)
        return {refusalOf(vertical ? texts.longerThanLength : texts.longerThanWidth, box, true)};
    // A length of 0 or no number at all would make an element that cannot be seen or pressed.
    if (!isPositiveNumber(lengthText))
        return {Refusal{std::string("Please enter the length of ") + texts.name +
                            " as a number greater than 0, for example 3 or 2.5",
                        texts.enterLength.icon, box}};

    const OpeningOutcome closed{std::nullopt, PanelChange::Keep, PanelChange::Hide};
    if (entranceExists(editor.txtRoom, kind)) {
        OpeningOutcome outcome = closed;
        outcome.message = refusalOf(texts.alreadyExists);
        return outcome;
    }
    const auto corner = highlightedElement(editor.txtRoom);
    if (!corner) {
        // A door the user asked for goes nowhere silently; an entrance waits for a room.
        if (kind == OpeningKind::Door)
            return closed;
        return {refusalOf(texts.selectRoom)};
    }
    if (kind == OpeningKind::Door && editor.doorCount < 1)
        return closed;
    const auto index = editor.txtRoom.createElement();
    if (!index)
        return {Refusal{ChartTable::fullMessage(), Icon::None, box}};

    placeOpening(editor, texts, *index, *corner, orientation, *strictNumber(lengthText));
    switch (kind) {
    case OpeningKind::Door:
        editor.doorsPresent = true;
        break;
    case OpeningKind::MainEntrance:
        editor.mainEntranceIndex = *index;
        break;
    case OpeningKind::BackEntrance:
        editor.backEntranceIndex = *index;
        break;
    }
    OpeningOutcome outcome = closed;
    outcome.changed.push_back(*index);
    return outcome;
}

OpeningOutcome cancelSize()
{
    return {std::nullopt, PanelChange::Keep, PanelChange::Hide};
}

OpeningOutcome deleteDoor(Editor &editor)
{
    if (!editor.doorSelected)
        return {Refusal{"Please select a door to delete", Icon::Information}};
    OpeningOutcome outcome;
    const ChartTable &view = editor.txtRoom;
    for (int index = 1; index <= view.elementCount(); ++index) {
        const ChartElement &seen = view.at(index);
        if (seen.highlighted && kindOf(seen.text) == ElementKind::Door) {
            markDeleted(editor.txtRoom.at(index), "Deleted Door");
            outcome.changed.push_back(index);
        }
    }
    editor.roomSelected = false;
    editor.doorsPresent = false;
    return outcome;
}

EntranceButton entranceButton(const ChartTable &table, OpeningKind kind)
{
    const OpeningTexts &texts = openingTexts(kind);
    if (entranceExists(table, kind))
        return {texts.deleteCaption};
    return {texts.createCaption};
}

} // namespace tessel
