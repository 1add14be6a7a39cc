#include "ui/room_properties.h"

#include "model/check.h"
#include "model/dialogs.h"
#include "model/placement.h"
#include "model/rooms.h"
#include "ui/chart_widget.h"
#include "ui/document.h"
#include "ui/undo_history.h"

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

void editRoomProperties(Editor &editor, History &history, Dialogs &dialogs, ChartWidget &chart,
                        const PlotEntry &plot)
{
    const ChartTable &table = editor.txtRoom;
    const auto selected = highlightedElement(table);
    if (!selected || kindOf(table.at(*selected).text) != ElementKind::Room) {
        dialogs.showMessage("Please select a room on the chart first", Icon::None);
        return;
    }
    const int index = *selected;
    const RoomProperties shown = roomProperties(editor, index);
    RoomProperties changed = shown;
    Field focus = Field::RoomName;
    while (dialogs.askRoomProperties(changed, focus)) {
        const auto result = changedRoom(editor, index, shown, changed, plot.length, plot.width,
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
        const ChartElement &room = std::get<ChartElement>(result);
        chart.repaintElements({index});
        history.record("Change " + room.text, index, [&] {
            editor.txtRoom.at(index) = room;
            // What a press records of it, and what a drop at a free place leaves.
            editor.selectedRoomLength = chartToLength(room.height, editor.scales);
            editor.selectedRoomWidth = chartToWidth(room.width, editor.scales);
            editor.overlapDetected = false;
        });
        chart.repaintElements({index});
        return;
    }
}

} // namespace tessel
