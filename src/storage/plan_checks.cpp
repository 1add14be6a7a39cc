#include "storage/plan_checks.h"

#include "model/number.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <map>
#include <memory_resource>
#include <vector>

namespace tessel {

namespace {

struct Box
{
    double left, top, right, bottom;
};

Box boxOf(const ChartElement &element)
{
    return {element.left, element.top, double(element.left) + element.width,
            double(element.top) + element.height};
}

bool contains(const Box &room, const Box &entrance)
{
    const auto within = [](double low, double value, double high) {
        return low <= value && value <= high;
    };
    return within(room.left, entrance.left, room.right) &&
           within(room.left, entrance.right, room.right) &&
           within(room.top, entrance.bottom, room.bottom) &&
           within(room.top, entrance.top, room.bottom);
}

// The bits of a finite value as an unsigned number in the same order as the values.
std::uint32_t orderedBits(float value)
{
    const auto bits = std::bit_cast<std::uint32_t>(value + 0.0f); // -0 becomes +0
    return bits & 0x80000000u ? ~bits : bits | 0x80000000u;
}

} // namespace

bool isLiveRoom(const ChartElement &element)
{
    return element.enabled && kindOf(element.text) == ElementKind::Room && element.width > 0 &&
           element.height > 0;
}

bool entrancesInsideRooms(const ChartTable &table, ElementKind entrance)
{
    std::vector<Box> rooms;
    for (int index = 1; index <= table.elementCount(); ++index) {
        const ChartElement &element = table.at(index);
        if (!isLiveRoom(element))
            continue;
        const Box box = boxOf(element);
        rooms.push_back({roundHalfEven(box.left), roundHalfEven(box.top), roundHalfEven(box.right),
                         roundHalfEven(box.bottom)});
    }
    for (int index = 1; index <= table.elementCount(); ++index) {
        const ChartElement &element = table.at(index);
        if (!element.enabled || kindOf(element.text) != entrance)
            continue;
        const Box box = boxOf(element);
        if (std::none_of(rooms.begin(), rooms.end(),
                         [&](const Box &room) { return contains(room, box); }))
            return false;
    }
    return true;
}

std::optional<std::pair<int, int>> findOverlappingRooms(const ChartTable &table)
{
    // The vertical extents of the rooms the sweep line crosses, by top edge. They never
    // overlap one another (the sweep stops at the first overlap), so a new room can only
    // overlap its neighbours in this order.
    struct Span
    {
        float bottom;
        int index;
    };
    std::pmr::monotonic_buffer_resource nodes;
    using Open = std::pmr::map<float, Span>;
    Open open(&nodes);

    // Edges are kept in single precision, as the elements are: a room whose right edge
    // rounds onto another's left edge touches it.
    struct Room
    {
        float top;
        float bottom;
        int index;
        Open::iterator where;
    };
    std::vector<Room> rooms;
    // Sort keys: the edge's x in the high half, the room's position in `rooms` in the low.
    std::vector<std::uint64_t> lefts;
    std::vector<std::uint64_t> rights;
    const auto count = static_cast<std::size_t>(table.elementCount());
    rooms.reserve(count);
    lefts.reserve(count);
    rights.reserve(count);
    for (int index = 1; index <= table.elementCount(); ++index) {
        const ChartElement &element = table.at(index);
        if (!isLiveRoom(element))
            continue;
        const auto room = static_cast<std::uint32_t>(rooms.size());
        rooms.push_back({element.top, element.top + element.height, index, {}});
        lefts.push_back(std::uint64_t(orderedBits(element.left)) << 32 | room);
        rights.push_back(std::uint64_t(orderedBits(element.left + element.width)) << 32 | room);
    }
    std::sort(lefts.begin(), lefts.end());
    std::sort(rights.begin(), rights.end());

    const auto xOf = [](std::uint64_t key) {
        return key >> 32;
    };
    const auto roomOf = [&rooms](std::uint64_t key) -> Room & {
        return rooms[key & 0xFFFFFFFFu];
    };
    auto right = rights.begin();
    for (const std::uint64_t left : lefts) {
        // Rooms whose right edge the line has reached leave first: touching is no overlap.
        for (; right != rights.end() && xOf(*right) <= xOf(left); ++right)
            open.erase(roomOf(*right).where);
        Room &room = roomOf(left);
        const auto next = open.lower_bound(room.top);
        if (next != open.end() && next->first < room.bottom)
            return std::pair(next->second.index, room.index);
        if (next != open.begin()) {
            const auto previous = std::prev(next);
            if (previous->second.bottom > room.top)
                return std::pair(previous->second.index, room.index);
        }
        room.where = open.emplace_hint(next, room.top, Span{room.bottom, room.index});
    }
    return std::nullopt;
}

bool hasLiveDoor(const ChartTable &table)
{
    for (int index = 1; index <= table.elementCount(); ++index) {
        const ChartElement &element = table.at(index);
        if (element.enabled && kindOf(element.text) == ElementKind::Door)
            return true;
    }
    return false;
}

} // namespace tessel
