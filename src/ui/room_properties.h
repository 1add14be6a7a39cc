#pragma once

namespace tessel {

class ChartWidget;
class Dialogs;
class History;
struct Editor;
struct PlotEntry;

// "Room &Properties...": the selected room's name, size and position in feet, changed in a
// dialog and applied as one step. A refused entry is explained and the dialog shown again
// with the faulty field focused, until OK passes the checks or the user cancels.
void editRoomProperties(Editor &editor, History &history, Dialogs &dialogs, ChartWidget &chart,
                        const PlotEntry &plot);

} // namespace tessel
