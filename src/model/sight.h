#pragma once

#include "model/chart.h"

#include <vector>

namespace tessel {

// An area of the chart in twips: from left to right and from top to bottom.
struct ChartArea
{
    double left, top, right, bottom;
};

// The elements that can show in `area`, from the back of the stacking order to the front:
// visible elements with a size that reach into it, less those that rooms in front of them
// cover wholly there (a room is an opaque box; a door or an entrance covers nothing).
// The test is made on the raster the chart is drawn on: `cell` is the side of one pixel in
// twips, and the area starts on a pixel's corner. `margin`: twips by which an element's
// painting reaches beyond its box (its border or line). Painting only these gives the same
// picture as painting all of them.
std::vector<int> elementsInSight(const ChartTable &table, const ChartArea &area, double cell,
                                 double margin);

} // namespace tessel
