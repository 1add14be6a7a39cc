#pragma once

#include "model/chart.h"

// Appends `count` rooms of 100 x 100 twips tiled over the plot, stacked again where the tiles
// run out; fewer when the table fills up.
inline void tileRooms(tessel::ChartTable &table, int count)
{
    for (int i = 0; i < count; ++i) {
        const auto index = table.createElement();
        if (!index)
            return;
        tessel::ChartElement &element = table.at(*index);
        element.text = "Room";
        element.left = float((i % 48) * 100);
        element.top = float((i / 48 % 48) * 100);
        element.width = 100;
        element.height = 100;
        element.visible = true;
    }
}
