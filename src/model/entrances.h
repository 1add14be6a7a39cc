#pragma once

#include "model/chart.h"

namespace tessel {

namespace detail {

inline bool holdsLiveElementOfKind(const ChartTable &table, ElementKind kind)
{
    for (int index = 1; index <= table.elementCount(); ++index) {
        const ChartElement &element = table.at(index);
        if (element.enabled && kindOf(element.text) == kind)
            return true;
    }
    return false;
}

} // namespace detail

// An entrance exists while a live element of the table bears its name, whatever made it: a
// room named "Main Entrance" is the main entrance. A deleted element is disabled and does not
// count.
inline bool mainEntranceExists(const ChartTable &table)
{
    return detail::holdsLiveElementOfKind(table, ElementKind::MainEntrance);
}

inline bool backEntranceExists(const ChartTable &table)
{
    return detail::holdsLiveElementOfKind(table, ElementKind::BackEntrance);
}

} // namespace tessel
