#pragma once

#include "model/openings.h"
#include "storage/layout_document.h"
#include "storage/layout_file.h"

namespace tessel::bench {

// Rooms at fractional positions in a grid of 182 columns, as scaled rooms have them, with a
// door, both entrances and every tenth element deleted.
inline LayoutDocument fullDocument()
{
    LayoutDocument document{"60.5", "30", Facing::East, {}};
    ChartTable &table = document.table;
    const float side = 4800.0f / 182;
    appendElement(table, {"", 0, 0, side / 2, 0, 1});
    appendElement(table, {"Main Entrance", 0, 0, 0, side / 2, 1});
    appendElement(table, {"Back Entrance", 0, side / 4, 0, side / 2, 1});
    for (int i = 0; !table.isFull(); ++i) {
        const int index =
            *appendElement(table, {i % 2 ? "Master BedRoom" : "Kitchen", (i % 182) * side,
                                   (i / 182) * side, side - 1.0f / 3, side - 1.0f / 3, 0});
        if (i % 10 == 9) {
            ChartElement &element = table.at(index);
            element.left = element.top = 4800;
            element.width = element.height = 0;
            element.enabled = false;
            element.fillOverride = kDeletedOpeningFill;
        }
    }
    return document;
}

} // namespace tessel::bench
