#pragma once

#include "model/chart.h"

namespace tessel {

// Whether an entrance exists follows from the table: a live element carries its text. A
// deleted entrance is renamed "a", and emptying the chart removes it, so no flag can drift.
inline bool entranceExists(const ChartTable &table, ElementKind entrance)
{
    for (int index = 1; index <= table.elementCount(); ++index) {
        const ChartElement &element = table.at(index);
        if (element.enabled && kindOf(element.text) == entrance)
            return true;
    }
    return false;
}

inline bool mainEntranceExists(const ChartTable &table)
{
    return entranceExists(table, ElementKind::MainEntrance);
}

inline bool backEntranceExists(const ChartTable &table)
{
    return entranceExists(table, ElementKind::BackEntrance);
}

} // namespace tessel
