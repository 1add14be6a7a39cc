#include "model/rooms.h"

#include "model/number.h"

#include <cmath>
#include <limits>

namespace tessel {

namespace {

std::optional<Refusal> checkRoomSize(const std::string &text, const char *which, Field field)
{
    if (isPositiveNumber(text))
        return std::nullopt;
    return Refusal{std::string("Please enter the ") + which +
                       " of the room as a number greater than 0, for example 12 or 10.5",
                   Icon::None, field, false};
}

bool fitsOnChart(double twips)
{
    return std::isfinite(twips) && std::abs(twips) <= std::numeric_limits<float>::max();
}

} // namespace

std::optional<Refusal> checkRoomEntry(const RoomEntry &entry)
{
    if (entry.name.empty())
        return Refusal{"Please enter room name", Icon::None, Field::RoomName};
    if (entry.length.empty())
        return Refusal{"Please enter length of the room", Icon::None, Field::RoomLength};
    if (leadingNumber(entry.plotLength) < leadingNumber(entry.length))
        return Refusal{"Length of the room can't be greater than plot length", Icon::None,
                       Field::RoomLength, true};
    if (entry.width.empty())
        return Refusal{"Please enter width of the room", Icon::None, Field::RoomWidth};
    if (leadingNumber(entry.plotWidth) < leadingNumber(entry.width))
        return Refusal{"Width of the room can't be greater than plot width", Icon::None,
                       Field::RoomWidth, true};
    // The layout file keeps a name between double quotes, with no way to escape one.
    if (entry.name.find('"') != std::string::npos)
        return Refusal{"A room name cannot contain a double quote (\"); please remove it",
                       Icon::None, Field::RoomName};
    if (trimSpaces(entry.name).empty())
        return Refusal{"Please enter room name", Icon::None, Field::RoomName};
    if (auto refusal = checkRoomSize(entry.length, "length", Field::RoomLength))
        return refusal;
    return checkRoomSize(entry.width, "width", Field::RoomWidth);
}

std::variant<int, Refusal> createRoom(Editor &editor, const RoomEntry &entry)
{
    if (auto refusal = checkRoomEntry(entry))
        return *refusal;
    if (!editor.scales.isSet())
        return Refusal{"Please press Reduced Scale Measure to set the scale of your plot first",
                       Icon::None, Field::None};
    const double height = lengthToChart(*strictNumber(entry.length), editor.scales);
    const double width = widthToChart(*strictNumber(entry.width), editor.scales);
    if (!fitsOnChart(height) || !fitsOnChart(width))
        return Refusal{"The room is too large to draw at the current scale of the plot", Icon::None,
                       Field::None};

    const auto index = editor.txtRoom.createElement();
    if (!index)
        return Refusal{ChartTable::fullMessage(), Icon::None, Field::None};
    ChartElement &room = editor.txtRoom.at(*index);
    room.width = static_cast<float>(width);
    room.height = static_cast<float>(height);
    room.left = 0;
    room.top = 0;
    room.visible = true;
    room.text = trimSpaces(entry.name);
    editor.roomCreated = true;
    return *index;
}

} // namespace tessel
