#pragma once

#include "model/chart.h"
#include "model/plot.h"

namespace tessel {

// The editing state the main window owns for the life of the process: the element table
// and the scales it is drawn to, with the facts the editor commands share.
struct Editor
{
    ChartTable txtRoom;
    Scales scales;
    // A room has been created since start; never cleared.
    bool roomCreated = false;
};

} // namespace tessel
