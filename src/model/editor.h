#pragma once

#include "model/bearing.h"
#include "model/chart.h"
#include "model/plan_image.h"
#include "model/plot.h"

#include <string>

namespace tessel {

// The plot as the user entered it: what the plot fields held at the last "&Reduced Scale
// Measure " (or in the layout opened), the facing chosen in cmbDirection and the facing the
// compass rose was last turned to by "Change &Direction"; the exact bearing of the chart's top
// edge (turned to the compass's facing by "Change &Direction") and how zones are told.
struct PlotState
{
    std::string length;
    std::string width;
    Facing facing = Facing::North;
    Facing compass = Facing::North;
    Bearing bearing;
    ZoneMethod zoneMethod = ZoneMethod::ByCorner;

    bool operator==(const PlotState &) const = default;
};

// The facts the editor commands share about the chart, which a change of the chart may change
// along with its elements (and an undo puts back with them).
struct EditorFlags
{
    // What the last press on an element recorded. Sizes are feet.
    bool roomSelected = false;
    bool doorSelected = false;
    double selectedRoomLength = 0;
    double selectedRoomWidth = 0;
    // From a press on an opening to the next drop check: that drop is not tested.
    bool openingDragged = false;
    // The result of the last drop check of a room.
    bool overlapDetected = false;

    // Set when a door is placed or a save finds one, cleared by deleting a door.
    bool doorsPresent = false;
    // How many doors the open door size step places: the answer to the count prompt rounded,
    // 0 or 1.
    int doorCount = 0;
    // The element created (or loaded) last as the main or back entrance; 0 when none was.
    int mainEntranceIndex = 0;
    int backEntranceIndex = 0;

    // Part of the layout: a change of either is a step like a change of the chart. The
    // scales are those measured from the plot's fields.
    PlotState plot;
    Scales scales;

    static const EditorFlags &of(const EditorFlags &editor) { return editor; }
    void applyTo(EditorFlags &editor) const { editor = *this; }
    bool operator==(const EditorFlags &) const = default;
};

// The editing state the main window owns for the life of the process: the element table
// and the scales it is drawn to, with the facts the editor commands share.
struct Editor : EditorFlags
{
    ChartTable txtRoom;
    // A room has been created since start; never cleared.
    bool roomCreated = false;
    // Shown under the elements; part of the layout, kept in its document.
    PlanImage plan;
};

} // namespace tessel
