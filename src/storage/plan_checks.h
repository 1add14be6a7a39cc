#pragma once

#include "model/chart.h"

#include <optional>
#include <utility>

namespace tessel {

// A room that takes part in the plan: not deleted, and with an area. A deleted room keeps
// its name but has no size, also when it comes back from a layout file.
bool isLiveRoom(const ChartElement &element);

// Whether every live entrance of the given kind lies inside a live room, its edges
// included: an entrance on a room's outer wall is inside. The room's edges are rounded to
// whole twips first, halves to even. True when there is no such entrance.
bool entrancesInsideRooms(const ChartTable &table, ElementKind entrance);

// Two live rooms whose areas overlap (rooms that touch at an edge do not), as their indexes,
// or std::nullopt. A sweep across the chart: O(n log n) in the number of rooms.
std::optional<std::pair<int, int>> findOverlappingRooms(const ChartTable &table);

// Whether a live door (an element with the empty text) is on the chart.
bool hasLiveDoor(const ChartTable &table);

} // namespace tessel
