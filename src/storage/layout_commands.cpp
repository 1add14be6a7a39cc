#include "storage/layout_commands.h"

#include "model/entrances.h"
#include "model/openings.h"
#include "storage/layout_file.h"
#include "storage/plan_checks.h"

namespace tessel {

namespace {

// The chart and every fact about it go together: no entrance, door, selection or overlap
// outlives the elements it was about.
void emptyChart(Editor &editor)
{
    editor.txtRoom.clear();
    editor.roomSelected = false;
    editor.doorSelected = false;
    editor.openingDragged = false;
    editor.overlapDetected = false;
    editor.doorsPresent = false;
    editor.mainEntranceIndex = 0;
    editor.backEntranceIndex = 0;
}

} // namespace

std::string layoutFilePath(const std::string &folder)
{
    if (folder.empty() || folder.back() == '/')
        return folder + kLayoutFileName;
    return folder + '/' + kLayoutFileName;
}

LayoutOutcome SaveLayout(Editor &editor, Dialogs &dialogs, FileAccess &files,
                         const std::string &folder)
{
    const ChartTable &table = editor.txtRoom;
    if (!mainEntranceExists(table)) {
        dialogs.showMessage("Please create Main Entrance", Icon::Information);
        return {};
    }
    if (!backEntranceExists(table) &&
        dialogs.askYesNo("There is no Back Entrance\r\nDo you want To create ?", Icon::None))
        return {};
    if (!entrancesInsideRooms(table, ElementKind::MainEntrance)) {
        dialogs.showMessage("Main Entrance must be inside the room", Icon::Information);
        return {};
    }
    if (!entrancesInsideRooms(table, ElementKind::BackEntrance)) {
        dialogs.showMessage("Back Entrance must be inside the room", Icon::Information);
        return {};
    }
    editor.doorsPresent = hasLiveDoor(table);
    if (!editor.doorsPresent) {
        dialogs.showMessage("Please Create Doors", Icon::Information);
        return {};
    }
    if (findOverlappingRooms(table)) {
        dialogs.showMessage("You cannot overlap rooms", Icon::Information);
        return {};
    }
    if (!dialogs.askYesNo("Do You Want to Save Lay Out of Your Plot?", Icon::None))
        return {};

    const std::string path = layoutFilePath(folder);
    if (const auto error = files.writeAtomically(path, writeLayout(table))) {
        dialogs.showMessage("The layout could not be saved to " + path + ":\n" + *error +
                                "\n\nYour chart is unchanged, and a layout saved there "
                                "before is kept as it was.",
                            Icon::Critical);
        return {};
    }

    emptyChart(editor);
    return {.chartChanged = true, .completed = true};
}

namespace {

// What a loaded element tells the editor's shared facts.
void noteLoadedElement(Editor &editor, int index)
{
    switch (kindOf(editor.txtRoom.at(index).text)) {
    case ElementKind::MainEntrance:
        editor.mainEntranceIndex = index;
        break;
    case ElementKind::BackEntrance:
        editor.backEntranceIndex = index;
        break;
    case ElementKind::Door:
        editor.doorsPresent = true;
        break;
    default:
        break;
    }
}

} // namespace

void replaceChart(Editor &editor, ChartTable table)
{
    const PlotState plot = editor.plot;
    const Scales scales = editor.scales;
    editor = Editor{};
    editor.plot = plot;
    editor.scales = scales;
    editor.txtRoom = std::move(table);
    for (int index = 1; index <= editor.txtRoom.elementCount(); ++index) {
        noteLoadedElement(editor, index);
        editor.roomCreated |= kindOf(editor.txtRoom.at(index).text) == ElementKind::Room;
    }
}

LayoutOutcome OpenLayout(Editor &editor, Dialogs &dialogs, FileAccess &files,
                         const std::string &folder)
{
    LayoutOutcome outcome;
    if (!editor.scales.isSet()) {
        dialogs.showMessage("Please reduced scale measure", Icon::Information);
        outcome.needsPlot = true;
        return outcome;
    }
    const std::string path = layoutFilePath(folder);
    if (!files.exists(path)) {
        dialogs.showMessage("You did not save any structure of plot", Icon::Information);
        return outcome;
    }
    if (editor.roomCreated &&
        !dialogs.askYesNo("Are You Sure You Want To Integrate Old Chart With New Chart ?",
                          Icon::None))
        return outcome;

    const FileAccess::Content content = files.readAll(path, kMaxLayoutFileBytes);
    if (!content.ok) {
        dialogs.showMessage("The layout file " + path + " could not be read:\n" + content.error,
                            Icon::Critical);
        return outcome;
    }
    ChartTable &table = editor.txtRoom;
    const auto capacity = static_cast<std::size_t>(ChartTable::kMaxIndex - table.elementCount());
    const LayoutReadResult file = readLayout(content.bytes, capacity);
    for (const LayoutRecord &record : file.records) {
        // The reader stopped at the table's capacity.
        noteLoadedElement(editor, *appendElement(table, record));
    }
    outcome.chartChanged = !file.records.empty();
    outcome.completed = true;

    if (file.fault) {
        const std::size_t loaded = file.records.size();
        dialogs.showMessage("The layout file " + path + " could not be loaded completely: " +
                                describeLayoutFault(*file.fault) + ".\n\n" +
                                std::to_string(loaded) + (loaded == 1 ? " element" : " elements") +
                                " before that point were added to the chart.",
                            Icon::Critical);
    }
    return outcome;
}

} // namespace tessel
