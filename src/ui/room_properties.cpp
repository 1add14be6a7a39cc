#include "ui/room_properties.h"

#include "model/check.h"
#include "model/dialogs.h"
#include "model/placement.h"
#include "model/rooms.h"
#include "ui/chart_widget.h"
#include "ui/document.h"

#include <utility>

namespace tessel {

namespace {

std::string *fieldOf(RoomProperties &properties, Field field)
{
    switch (field) {
    case Field::RoomName:
        return &properties.name;
    case Field::RoomLength:
        return &properties.length;
    case Field::RoomWidth:
        return &properties.width;
    case Field::RoomLeft:
        return &properties.left;
    case Field::RoomTop:
        return &properties.top;
    default:
        return nullptr;
    }
}

} // namespace

void editRoomProperties(Document &document, Dialogs &dialogs, const ChartWidget &chart,
                        const std::string &plotLength, const std::string &plotWidth)
{
    const Editor &editor = document.editor();
    const ChartTable &table = editor.txtRoom;
    const auto selected = highlightedElement(table);
    if (!selected || kindOf(table.at(*selected).text) != ElementKind::Room) {
        dialogs.showMessage("Please select a room on the chart first", Icon::None);
        return;
    }
    // Feet mean nothing before the plot is measured.
    if (!editor.scales.isSet()) {
        dialogs.showMessage("Please reduced scale measure", Icon::Information);
        return;
    }
    const int index = *selected;
    const int generation = document.generation();
    const RoomProperties shown = roomProperties(editor, index);
    RoomProperties changed = shown;
    Field focus = Field::RoomName;
    while (dialogs.askRoomProperties(changed, focus)) {
        if (const auto gone = document.checkStillThere(index, generation)) {
            dialogs.showMessage(gone->message, gone->icon);
            return;
        }
        const auto result = changedRoom(editor, index, shown, changed, plotLength, plotWidth,
                                        chart.snapScales() != nullptr);
        if (const auto *refusal = std::get_if<Refusal>(&result)) {
            dialogs.showMessage(refusal->message, refusal->icon);
            std::string *field = fieldOf(changed, refusal->focus);
            if (field && refusal->clearField)
                field->clear();
            if (field)
                focus = refusal->focus;
            continue;
        }
        if (const auto refusal =
                document.changeRoom(index, generation, std::get<ChartElement>(result)))
            dialogs.showMessage(refusal->message, refusal->icon);
        return;
    }
}

} // namespace tessel
