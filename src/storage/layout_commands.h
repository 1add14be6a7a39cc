#pragma once

#include "model/dialogs.h"
#include "model/editor.h"
#include "storage/file_access.h"

#include <string>

namespace tessel {

// How a layout command ended.
struct LayoutOutcome
{
    // The chart was emptied, or elements were added to it.
    bool chartChanged = false;
    // The command ran to its end: the layout file was written, or read (if only in part).
    bool completed = false;
    // Refused because the plot has not been measured yet.
    bool needsPlot = false;

    bool operator==(const LayoutOutcome &) const = default;
};

// The layout file in the given folder.
std::string layoutFilePath(const std::string &folder);

// Checks the plan (entrances, their places, doors, overlaps), asks, writes the layout file
// of `folder` and empties the chart. A check that fails, a No, or a file that cannot be
// written leaves the chart as it was.
LayoutOutcome SaveLayout(Editor &editor, Dialogs &dialogs, FileAccess &files,
                         const std::string &folder);

// Appends the elements of the layout file of `folder` after those on the chart. A damaged
// file loads up to its first fault, which is reported with its line.
LayoutOutcome OpenLayout(Editor &editor, Dialogs &dialogs, FileAccess &files,
                         const std::string &folder);

// Puts this chart in place of the editor's, with the facts the commands share known from its
// elements (its entrances, doors and rooms) and the scales kept.
void replaceChart(Editor &editor, ChartTable table);

} // namespace tessel
