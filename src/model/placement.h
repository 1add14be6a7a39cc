#pragma once

#include "model/check.h"
#include "model/editor.h"
#include "model/number.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace tessel {

// Where a deleted element is parked: the chart's far corner, with no size.
inline constexpr float kParkedPosition = 4800;

// The topmost element at a point of the chart (twips): the front of the stacking order wins.
// Hidden and disabled elements take no pointer input. An element thinner than two `margin`s
// (a door or an entrance is a box of no thickness) can be grabbed within `margin` twips of its
// middle line, so that it can be pressed at all.
std::optional<int> elementAt(const ChartTable &table, double x, double y, double margin);

// A left or middle press on an element: it becomes the one highlighted element, and the
// editor records its size in feet and whether it is a room, a door or an entrance. Returns
// the elements whose look changed (highlight or fill), to be repainted.
std::vector<int> selectElement(Editor &editor, int index);

// What a right press or a double click on an element shows; the focus then goes to
// "&Add Room". Nothing is selected.
Refusal whatIsThis();

// Moves an element during a drag. Left and Top keep whole twips (the nearest, halves to the
// even one): positions between whole twips would fall between the bounds of the zones.
void moveElement(ChartTable &table, int index, double left, double top);


// An element's top-left corner (twips) moved onto the nearest whole foot of the plot, each
// axis by its own scale, then onto the nearest whole twip, as a drag keeps it. What the
// drag, the keys and the room's properties place an element at while snapping is on. The
// corner stays where it is while the plot has no scales.
ChartPoint snapToFeet(double left, double top, const Scales &scales);

// The highlighted element that still takes input, if any: the one the keys act on, the one a
// new opening is placed on, and the one the status line tells of when the pointer is away.
std::optional<int> highlightedElement(const ChartTable &table);

// Whether the room `index`, moved to (left, top) rounded as moveElement rounds, would overlap
// a live room it does not overlap where it stands. A room that overlaps one already may be
// moved off it.
bool movesOntoRoom(const ChartTable &table, int index, double left, double top);

// A room's edges as the drop check compares them: whole twips, halves to the even one.
struct RoomBounds
{
    double left, right, top, bottom;
    bool operator==(const RoomBounds &) const = default;
};

// Sums in single precision first, as the element's own fields add up.
inline RoomBounds roomBounds(float left, float top, float width, float height)
{
    return {roundHalfEven(left), roundHalfEven(left + width), roundHalfEven(top),
            roundHalfEven(top + height)};
}
inline RoomBounds roomBounds(const ChartElement &element)
{
    return roomBounds(element.left, element.top, element.width, element.height);
}

// The drop check's overlap: insides meet. Edges that only touch, and boxes of no width or
// height, never overlap.
inline bool roomsOverlap(const RoomBounds &a, const RoomBounds &b)
{
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

// Whether a dropped room is tested against the element: a live room on the chart.
bool blocksRooms(const ChartElement &element);

// Runs once when a pressed element is released, moved or not. A door or an entrance is
// placed without a test. A room is tested against every other room on the chart: two rooms
// overlap when their insides meet, so rooms touching at an edge do not, and boxes of no
// width or height never do. The room stays where it was dropped either way; the result,
// kept in overlapDetected, is what the last drop of a room found.
std::optional<Refusal> dropElement(Editor &editor, int index);

// What a drop of the room `index` with the box `placed` would meet: the refusal of an overlap
// with another room, tested as dropElement tests, or nothing.
std::optional<Refusal> checkRoomPlace(const ChartTable &table, int index,
                                      const ChartElement &placed);

// "&Delete Room": parks the highlighted element (disabled, at the far corner, no size, not
// highlighted). Its index is never reused. Refused when the element last pressed on is not
// a room; a second delete finds nothing highlighted and does nothing.
std::optional<Refusal> deleteSelectedRoom(Editor &editor);

} // namespace tessel
