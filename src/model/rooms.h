#pragma once

#include "model/check.h"
#include "model/editor.h"

#include <array>
#include <optional>
#include <string>
#include <variant>

namespace tessel {

// The room names the analysis knows, in the order the room list offers them.
inline constexpr std::array<const char *, 13> kRoomCatalogue = {
    "Master BedRoom", "Study Room",  "Kitchen",      "Bath Room",   "Children BedRoom",
    "Dining Room",    "Store Room",  "Puja Room",    "Living Room", "Guest Room",
    "Hall",           "Family Room", "Drawing Room",
};

// The texts of the room entry panel and of the plot fields, as they stand when OK is pressed.
struct RoomEntry
{
    std::string name;
    std::string length;
    std::string width;
    std::string plotLength;
    std::string plotWidth;
};

// The first fault of a room entry, checked in the order the user fills the panel in.
std::optional<Refusal> checkRoomEntry(const RoomEntry &entry);

// Checks the entry and creates the room at the chart's top-left corner, in front of every
// other element, sized by the editor's scales. Returns the new element's index, or the
// refusal with nothing created.
std::variant<int, Refusal> createRoom(Editor &editor, const RoomEntry &entry);

} // namespace tessel
