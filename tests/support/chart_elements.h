#pragma once

#include "model/chart.h"

#include <string>

namespace tessel::testing {

// Puts a visible element on the chart directly, as a room entry or an opening would.
inline int placeElement(ChartTable &table, const std::string &text, float left, float top,
                        float width, float height)
{
    const int index = *table.createElement();
    ChartElement &element = table.at(index);
    element.text = text;
    element.left = left;
    element.top = top;
    element.width = width;
    element.height = height;
    element.visible = true;
    return index;
}

} // namespace tessel::testing
