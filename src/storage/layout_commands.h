#pragma once

#include "model/check.h"
#include "model/dialogs.h"
#include "model/editor.h"
#include "storage/file_access.h"

#include <optional>
#include <string>

namespace tessel {

// What the window changes after a layout command, besides repainting the chart. Each
// optional is set only when that control changes.
struct LayoutOutcome
{
    bool chartChanged = false;
    // Captions of cmdFrontEntrence and cmdBackEntrence.
    std::optional<std::string> mainEntranceCaption;
    std::optional<std::string> backEntranceCaption;
    // Enabled state of the Save (Command2) and Open (cmdOpen) buttons.
    std::optional<bool> saveEnabled;
    std::optional<bool> openEnabled;
    Field focus = Field::None;

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
