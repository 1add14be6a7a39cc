#include "model/rooms.h"

#include "model/number.h"
#include "model/placement.h"

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

// Feet as the properties show them.
std::string feetText(double feet)
{
    return formatNumber(std::round(feet * 100) / 100 + 0.0);
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

RoomProperties roomProperties(const Editor &editor, int index)
{
    const ChartElement &room = editor.txtRoom.at(index);
    return {room.text, feetText(chartToLength(room.height, editor.scales)),
            feetText(chartToWidth(room.width, editor.scales)),
            feetText(chartToWidth(room.left, editor.scales)),
            feetText(chartToLength(room.top, editor.scales))};
}

std::variant<ChartElement, Refusal> changedRoom(const Editor &editor, int index,
                                                const RoomProperties &shown,
                                                const RoomProperties &changed,
                                                const std::string &plotLength,
                                                const std::string &plotWidth, bool snap)
{
    if (!editor.scales.isSet())
        return Refusal{"Please reduced scale measure", Icon::Information, Field::None};
    if (auto refusal =
            checkRoomEntry({changed.name, changed.length, changed.width, plotLength, plotWidth}))
        return *refusal;
    const auto position = [](const std::string &text,
                             Field field) -> std::variant<double, Refusal> {
        const auto feet = strictNumber(text);
        if (feet && *feet >= 0)
            return *feet;
        return Refusal{"Please enter the position of the room in feet from the top-left corner "
                       "of the plot, for example 0 or 12.5",
                       Icon::None, field, false};
    };
    const auto left = position(changed.left, Field::RoomLeft);
    if (const auto *refusal = std::get_if<Refusal>(&left))
        return *refusal;
    const auto top = position(changed.top, Field::RoomTop);
    if (const auto *refusal = std::get_if<Refusal>(&top))
        return *refusal;

    ChartElement room = editor.txtRoom.at(index);
    room.text = trimSpaces(changed.name);
    const auto twips = [](bool same, float was, double now) {
        return same ? double(was) : now;
    };
    const double height = twips(changed.length == shown.length, room.height,
                                lengthToChart(*strictNumber(changed.length), editor.scales));
    const double width = twips(changed.width == shown.width, room.width,
                               widthToChart(*strictNumber(changed.width), editor.scales));
    double x = twips(changed.left == shown.left, room.left,
                     widthToChart(std::get<double>(left), editor.scales));
    double y = twips(changed.top == shown.top, room.top,
                     lengthToChart(std::get<double>(top), editor.scales));
    if (!fitsOnChart(height) || !fitsOnChart(width) || !fitsOnChart(x) || !fitsOnChart(y))
        return Refusal{"The room is too large to draw at the current scale of the plot", Icon::None,
                       Field::None};
    if (snap && (changed.left != shown.left || changed.top != shown.top)) {
        const ChartPoint snapped = snapToFeet(x, y, editor.scales);
        x = snapped.x;
        y = snapped.y;
    }
    room.height = static_cast<float>(height);
    room.width = static_cast<float>(width);
    // On whole twips, as a drag leaves it.
    room.left = static_cast<float>(roundHalfEven(x));
    room.top = static_cast<float>(roundHalfEven(y));
    // A room beyond the plot's edge is in no zone and out of the pointer's reach.
    if (room.left + room.width > kChartExtent || room.top + room.height > kChartExtent) {
        const bool across = room.left + room.width > kChartExtent;
        return Refusal{"The room would reach beyond the plot. For its size, place it at most " +
                           feetText(chartToWidth(kChartExtent - room.width, editor.scales)) +
                           " ft from the left and " +
                           feetText(chartToLength(kChartExtent - room.height, editor.scales)) +
                           " ft from the top",
                       Icon::None, across ? Field::RoomLeft : Field::RoomTop};
    }
    if (auto refusal = checkRoomPlace(editor.txtRoom, index, room))
        return *refusal;
    return room;
}

} // namespace tessel
