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

// The room's properties as its dialog first shows them: feet with at most two decimals.
RoomProperties roomProperties(const Editor &editor, int index);

// The room `index` as the properties the user changed from `shown` make it. The name and
// sizes are checked as room entry checks them (against the plot fields as they stand now),
// then the position, then the place as a drop checks it: a room is not put over another.
// A text left as it was shown keeps its exact value; a position changed lands on whole feet
// while `snap` is set.
std::variant<ChartElement, Refusal> changedRoom(const Editor &editor, int index,
                                                const RoomProperties &shown,
                                                const RoomProperties &changed,
                                                const std::string &plotLength,
                                                const std::string &plotWidth, bool snap);

} // namespace tessel
