#pragma once

#include "model/chart.h"
#include "model/rooms.h"

namespace tessel::bench {

// Rooms of every kind of the catalogue in turn, `side` twips square, scattered over the chart
// so that every zone holds some; `count` of them, or as many as the table takes.
inline void addScatteredRooms(ChartTable &table, float side, int count = ChartTable::kMaxIndex)
{
    for (int i = 0; i < count; ++i) {
        const auto index = table.createElement();
        if (!index)
            return;
        ChartElement &element = table.at(*index);
        element.text = kRoomCatalogue[std::size_t(i) % kRoomCatalogue.size()];
        element.left = float((i * 37) % 4800);
        element.top = float((i * 53) % 4800);
        element.width = side;
        element.height = side;
        element.visible = true;
    }
}

} // namespace tessel::bench
