#pragma once

#include <string>

namespace tessel {

class ChartWidget;
class Dialogs;
class Document;

// "Room &Properties...": the selected room's name, size and position in feet, changed in a
// dialog and applied as one step. A refused entry is explained and the dialog shown again
// with the faulty field focused, until OK passes the checks or the user cancels. The change
// applies to the room the dialog was opened for; if another layout came meanwhile, it is
// refused.
void editRoomProperties(Document &document, Dialogs &dialogs, const ChartWidget &chart,
                        const std::string &plotLength, const std::string &plotWidth);

} // namespace tessel
