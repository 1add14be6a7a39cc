#pragma once

#include "app/command_line.h"

namespace tessel {

// `tessel --arrange LAYOUT --output FILE`: reads the layout as the window opens it, lets the
// arrangement adviser move its rooms as Suggest Arrangement does with the window's defaults
// (the zones as layoutZones reads them, the rooms kept in place left there, nothing snapped,
// kArrangementTimeLimit) and writes the result: a .tessel document by the output's suffix,
// else a layout file, whose records keep their order and only change place. Prints the
// adviser's summary, then each room's shortfall, one a line. Exit code 0 on success, 2 when
// the output is the layout itself, 1 when the layout or the rule set cannot be read or the
// output cannot be written (one line on standard error naming the file and the fault).
int runArrangeCommand(const CommandLine::ArrangeArguments &arguments);

} // namespace tessel
