#include "model/placement.h"

#include "model/number.h"

#include <algorithm>

namespace tessel {

namespace {

bool isOpening(const ChartElement &element)
{
    const ElementKind kind = kindOf(element.text);
    return kind == ElementKind::Door || kind == ElementKind::MainEntrance ||
           kind == ElementKind::BackEntrance;
}

// The span [low, high) along one axis that a press must fall in.
bool withinSpan(double at, float start, float extent, double margin)
{
    if (extent < 2 * margin) {
        const double middle = start + extent / 2.0;
        return at >= middle - margin && at <= middle + margin;
    }
    return at >= start && at < start + extent;
}

} // namespace

std::optional<int> elementAt(const ChartTable &table, double x, double y, double margin)
{
    const std::vector<int> &order = table.stackingOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const ChartElement &element = table.at(*it);
        if (!element.visible || !element.enabled)
            continue;
        if (withinSpan(x, element.left, element.width, margin) &&
            withinSpan(y, element.top, element.height, margin))
            return *it;
    }
    return std::nullopt;
}

bool blocksRooms(const ChartElement &element)
{
    return element.enabled && element.visible && kindOf(element.text) == ElementKind::Room;
}

std::vector<int> selectElement(Editor &editor, int index)
{
    std::vector<int> changed;
    ChartTable &table = editor.txtRoom;
    const ChartTable &view = table;
    for (int i = 0; i <= table.elementCount(); ++i) {
        const bool highlighted = i == index;
        if (view.at(i).highlighted != highlighted || view.at(i).fillOverride) {
            ChartElement &element = table.at(i);
            element.highlighted = highlighted;
            element.fillOverride.reset();
            changed.push_back(i);
        }
    }

    const ChartElement &pressed = table.at(index);
    editor.selectedRoomLength = chartToLength(pressed.height, editor.scales);
    editor.selectedRoomWidth = chartToWidth(pressed.width, editor.scales);
    editor.roomSelected = !isOpening(pressed);
    editor.doorSelected = kindOf(pressed.text) == ElementKind::Door;
    // A press on a room leaves this alone: the drop check clears it.
    if (isOpening(pressed))
        editor.openingDragged = true;
    return changed;
}

Refusal whatIsThis()
{
    return {"What is This?", Icon::Critical, Field::None};
}

void moveElement(ChartTable &table, int index, double left, double top)
{
    ChartElement &element = table.at(index);
    element.left = static_cast<float>(roundHalfEven(left));
    element.top = static_cast<float>(roundHalfEven(top));
}

ChartPoint snapToFeet(double left, double top, const Scales &scales)
{
    if (!scales.isSet())
        return {left, top};
    const double feetRight = roundHalfEven(chartToWidth(left, scales));
    const double feetDown = roundHalfEven(chartToLength(top, scales));
    return {roundHalfEven(widthToChart(feetRight, scales)),
            roundHalfEven(lengthToChart(feetDown, scales))};
}

std::optional<int> highlightedElement(const ChartTable &table)
{
    for (int i = 1; i <= table.elementCount(); ++i) {
        const ChartElement &element = table.at(i);
        if (element.highlighted && element.enabled && element.visible)
            return i;
    }
    return std::nullopt;
}

bool movesOntoRoom(const ChartTable &table, int index, double left, double top)
{
    const ChartElement &room = table.at(index);
    const RoomBounds now = roomBounds(room);
    const double x = roundHalfEven(left);
    const double y = roundHalfEven(top);
    const RoomBounds moved{x, roundHalfEven(x + room.width), y, roundHalfEven(y + room.height)};
    for (int i = 1; i <= table.elementCount(); ++i) {
        const ChartElement &other = table.at(i);
        // As in the drop check: what lies further away than rounding moves an edge is passed
        // over without rounding.
        if (other.left >= moved.right + 1 || other.left + other.width <= moved.left - 1 ||
            other.top >= moved.bottom + 1 || other.top + other.height <= moved.top - 1)
            continue;
        if (i == index || !blocksRooms(other))
            continue;
        const RoomBounds bounds = roomBounds(other);
        if (roomsOverlap(moved, bounds) && !roomsOverlap(now, bounds))
            return true;
    }
    return false;
}

std::optional<Refusal> dropElement(Editor &editor, int index)
{
    if (editor.openingDragged) {
        editor.openingDragged = false;
        return std::nullopt;
    }
    const ChartTable &table = editor.txtRoom;
    const auto refusal = checkRoomPlace(table, index, table.at(index));
    editor.overlapDetected = refusal.has_value();
    return refusal;
}

std::optional<Refusal> checkRoomPlace(const ChartTable &table, int index,
                                      const ChartElement &placed)
{
    const RoomBounds dropped = roomBounds(placed);
    // Edges rounded to whole twips move by half a twip at most: anything further away than
    // that is passed over without rounding.
    const RoomBounds near{dropped.left - 1, dropped.right + 1, dropped.top - 1, dropped.bottom + 1};
    for (int i = 1; i <= table.elementCount(); ++i) {
        const ChartElement &other = table.at(i);
        if (other.left >= near.right || other.left + other.width <= near.left ||
            other.top >= near.bottom || other.top + other.height <= near.top)
            continue;
        if (i == index || !blocksRooms(other) || !roomsOverlap(dropped, roomBounds(other)))
            continue;
        return Refusal{"Sorry you cannot overlap rooms", Icon::Information, Field::None};
    }
    return std::nullopt;
}

std::optional<Refusal> deleteSelectedRoom(Editor &editor)
{
    if (!editor.roomSelected)
        return Refusal{"Please select a room to delete", Icon::None, Field::None};
    ChartTable &table = editor.txtRoom;
    const ChartTable &view = table;
    for (int i = 1; i <= table.elementCount(); ++i) {
        if (!view.at(i).highlighted)
            continue;
        ChartElement &element = table.at(i);
        element.enabled = false;
        element.left = kParkedPosition;
        element.top = kParkedPosition;
        element.width = 0;
        element.height = 0;
        element.highlighted = false;
    }
    return std::nullopt;
}

} // namespace tessel
