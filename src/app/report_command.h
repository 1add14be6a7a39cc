#pragma once

#include "app/command_line.h"

namespace tessel {

// `tessel --report LAYOUT`: reads the layout as the window opens it, analyses it and writes the
// report to standard output or, by the output's suffix, as UTF-8 text, rich text or PDF, all
// without a display; a PDF draws the plan image of a .tessel as its window shows it. On a
// wheel (--zones, or a document's own method) the report adds its zone section; .json writes
// the zones alone, as zoneAnalysisJson gives them, on one line. The zones are read as
// layoutZones (app/command_support.h) reads them. Exit code 0 on success, 2 when the output is
// the layout itself, 1 when the layout or the rule set cannot be read or the output cannot be
// written (one line on standard error naming the file and the fault).
int runReportCommand(int argc, char *argv[], const CommandLine::ReportArguments &arguments);

} // namespace tessel
