#pragma once

#include "model/check.h"
#include "model/dialogs.h"
#include "model/editor.h"
#include "model/plot.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

// Doors, the main entrance and the back entrance: lines on the chart laid at the selected
// room's top-left corner, each made through a facing step and then a size step. The rules of
// both steps are the same for the three kinds; only their texts and boxes differ.
enum class OpeningKind { Door, MainEntrance, BackEntrance };

// A horizontal opening runs right along a room's top wall (height 0), a vertical one down its
// left wall (width 0). The facing the user chose leaves no other trace.
enum class OpeningOrientation { Horizontal, Vertical };

// The facing each facing step offers first; afterwards it keeps the user's last choice.
inline constexpr Facing kFirstOpeningFacing = Facing::South;

// Fill of a door or an entrance just deleted (a light violet), until the next press on an
// element repaints the chart; 0xRRGGBB.
inline constexpr std::uint32_t kDeletedOpeningFill = 0xC18AE6;

inline constexpr const char *kDoorCountPrompt =
    "You can create maximum one door\r\n\r\nPlease Insert Number";

struct OpeningMessage
{
    const char *text;
    Icon icon;
};

// The texts and size boxes of one kind of opening.
struct OpeningTexts
{
    const char *elementText; // the text that makes an element this kind of opening
    const char *name;        // how a message names it
    Field widthBox;          // size box of a horizontal opening
    Field lengthBox;         // size box of a vertical opening
    OpeningMessage selectRoom;
    OpeningMessage enterLength;
    OpeningMessage longerThanLength;
    OpeningMessage longerThanWidth;
    // Entrances only: the message when the chart holds one already, and the caption of the
    // button while the chart holds none and while it holds one.
    OpeningMessage alreadyExists;
    const char *createCaption;
    const char *deleteCaption;
};
const OpeningTexts &openingTexts(OpeningKind kind);

enum class PanelChange { Keep, Show, Hide };

// What the window does after an opening command, in this order: show the message (emptying
// and focusing its field as the refusal says); show or hide the facing step and the size step
// of that opening; repaint the changed elements. "Create Door" is shown exactly while both door
// steps are hidden; an entrance's button is set from entranceButton() after every command.
struct OpeningOutcome
{
    std::optional<Refusal> message;
    PanelChange facingStep = PanelChange::Keep;
    // Show: sizeBox shown, the other box of the step hidden. Hide: both boxes emptied too.
    PanelChange sizeStep = PanelChange::Keep;
    Field sizeBox = Field::None;
    // Elements placed or deleted.
    std::vector<int> changed{};

    bool operator==(const OpeningOutcome &) const = default;
};

// "Create Door": asks how many doors (at most one) and opens the facing step.
OpeningOutcome createDoor(Editor &editor, Dialogs &dialogs);

// The two-state entrance button: deletes the entrance when the chart holds one, otherwise
// opens its facing step.
OpeningOutcome pressEntranceButton(Editor &editor, OpeningKind kind);

// up: the caption of the compass label at the top of the chart ("N", "E", ...). An opening
// facing along the chart's vertical axis lies along a room's horizontal walls.
OpeningOrientation openingOrientation(Facing facing, std::string_view up);

// The facing step's OK: closes it and opens the size step with the box of the orientation.
OpeningOutcome confirmFacing(OpeningKind kind, Facing facing, std::string_view up);
OpeningOutcome cancelFacing();

// The size step's OK. lengthText: the shown box, feet. Checks the length against the size of
// the element last pressed on and places the opening at the corner of the Highlighted element.
OpeningOutcome confirmSize(Editor &editor, OpeningKind kind, OpeningOrientation orientation,
                           const std::string &lengthText);
OpeningOutcome cancelSize();

// "&Delete Door": deletes the selected door.
OpeningOutcome deleteDoor(Editor &editor);

// The caption of an entrance's button, which follows whether the chart holds that entrance.
struct EntranceButton
{
    std::string caption;

    bool operator==(const EntranceButton &) const = default;
};
EntranceButton entranceButton(const ChartTable &table, OpeningKind kind);

} // namespace tessel
