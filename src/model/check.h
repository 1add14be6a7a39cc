#pragma once

#include "model/dialogs.h"

#include <string>

namespace tessel {

// The entry fields of the main window that a refused entry sends the focus to.
enum class Field {
    None,
    PlotLength,
    PlotWidth,
    RoomName,
    RoomLength,
    RoomWidth,
    // The position fields of a room's properties.
    RoomLeft,
    RoomTop,
    // The size boxes of the openings: the one for a horizontal opening, then the one for a
    // vertical opening, of the door, the main entrance and the back entrance.
    DoorWidth,
    DoorLength,
    MEWidth,
    MELength,
    BEWidth,
    BELength,
};

// The first fault a check found: the message to show, with its icon, the field to focus
// and whether that field is emptied.
struct Refusal
{
    std::string message;
    Icon icon = Icon::None;
    Field focus = Field::None;
    bool clearField = false;

    bool operator==(const Refusal &) const = default;
};

} // namespace tessel
