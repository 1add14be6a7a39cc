#include "storage/plan_checks.h"

#include "model/number.h"

#include <algorithm>
#include <map>
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
    struct Event
    {
        double x;
        bool opens; // the room's left edge; else its right edge
        int index;
    };
    std::vector<Event> events;
    for (int index = 1; index <= table.elementCount(); ++index) {
        const ChartElement &element = table.at(index);
        if (!isLiveRoom(element))
            continue;
        events.push_back({element.left, true, index});
        events.push_back({double(element.left) + element.width, false, index});
    }
    // At one x, rooms close before others open: touching at an edge is no overlap.
    std::sort(events.begin(), events.end(), [](const Event &a, const Event &b) {
        return a.x < b.x || (a.x == b.x && !a.opens && b.opens);
    });

    // The vertical extents of the rooms the sweep line crosses, by top edge. They never
    // overlap one another (the sweep stops at the first overlap), so a new room can only
    // overlap its neighbours in this order.
    struct Span
    {
        double bottom;
        int index;
    };
    std::map<double, Span> open;
    for (const Event &event : events) {
        const ChartElement &element = table.at(event.index);
        const double top = element.top;
        if (!event.opens) {
            open.erase(top);
            continue;
        }
        const double bottom = top + element.height;
        auto next = open.lower_bound(top);
        if (next != open.end() && next->first < bottom)
            return std::pair(next->second.index, event.index);
        if (next != open.begin()) {
            const auto previous = std::prev(next);
            if (previous->second.bottom > top)
                return std::pair(previous->second.index, event.index);
        }
        open.emplace_hint(next, top, Span{bottom, event.index});
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
