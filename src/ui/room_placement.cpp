#include "ui/room_placement.h"

#include "model/dialogs.h"
#include "model/editor.h"
#include "model/placement.h"
#include "ui/chart_widget.h"
#include "ui/undo_history.h"

#include <utility>

namespace tessel {

RoomPlacement::RoomPlacement(Editor &editor, Dialogs &dialogs, History &history, ChartWidget &chart,
                             QWidget &afterWhatIsThis, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_dialogs(dialogs)
    , m_history(history)
    , m_chart(chart)
    , m_afterWhatIsThis(afterWhatIsThis)
{
    connect(&chart, &ChartWidget::elementPressed, this, &RoomPlacement::press);
    connect(&chart, &ChartWidget::elementDoubleClicked, this, &RoomPlacement::explain);
    connect(&chart, &ChartWidget::elementDropped, this, &RoomPlacement::drop);
    connect(&chart, &ChartWidget::nudgeRequested, this, &RoomPlacement::nudge);
}

void RoomPlacement::press(int index, Qt::MouseButton button)
{
    if (button == Qt::RightButton) {
        explain();
        return;
    }
    if (button != Qt::LeftButton && button != Qt::MiddleButton)
        return;
    const ChartElement &pressed = std::as_const(m_editor.txtRoom).at(index);
    m_pressedLeft = pressed.left;
    m_pressedTop = pressed.top;
    // The step runs until the release.
    m_history.open("Move " + elementName(pressed), index);
    m_chart.repaintElements(selectElement(m_editor, index));
}

void RoomPlacement::explain()
{
    const Refusal answer = whatIsThis();
    m_dialogs.showMessage(answer.message, answer.icon);
    m_afterWhatIsThis.setFocus();
}

void RoomPlacement::drop(int index)
{
    const auto refusal = dropElement(m_editor, index);
    const ChartElement &dropped = std::as_const(m_editor.txtRoom).at(index);
    if (dropped.left == m_pressedLeft && dropped.top == m_pressedTop)
        m_history.rename("Select " + elementName(dropped));
    m_history.close();
    if (refusal)
        m_dialogs.showMessage(refusal->message, refusal->icon);
}

void RoomPlacement::nudge(int index, double dx, double dy)
{
    const ChartTable &table = m_editor.txtRoom;
    const ChartElement &element = table.at(index);
    const bool isRoom = kindOf(element.text) == ElementKind::Room;
    double left = element.left + dx;
    double top = element.top + dy;
    if (const Scales *scales = m_chart.snapScales(); scales && scales->isSet()) {
        // A key moves by a whole foot onto the feet of the plot, the way it points.
        const auto foot = [](double step, double twipsAFoot) {
            return step > 0 ? twipsAFoot : step < 0 ? -twipsAFoot : 0.0;
        };
        const ChartPoint snapped =
            snapToFeet(element.left + foot(dx, widthToChart(1, *scales)),
                       element.top + foot(dy, lengthToChart(1, *scales)), *scales);
        left = snapped.x;
        top = snapped.y;
    }
    if (isRoom && movesOntoRoom(table, index, left, top))
        return;
    m_chart.repaintElements({index});
    m_history.record(
        "Move " + elementName(element), index,
        [&] {
            moveElement(m_editor.txtRoom, index, left, top);
            // The room's place is checked as a drop checks it; it may leave an overlap behind.
            if (isRoom)
                dropElement(m_editor, index);
        },
        true);
    m_chart.repaintElements({index});
}

void RoomPlacement::deleteRoom()
{
    const ChartTable &table = m_editor.txtRoom;
    const auto selected = highlightedElement(table);
    const auto refusal = m_history.record(
        "Delete " + (selected ? elementName(table.at(*selected)) : std::string("Room")), 0,
        [this] { return deleteSelectedRoom(m_editor); });
    if (refusal) {
        m_dialogs.showMessage(refusal->message, refusal->icon);
        return;
    }
    // The parked rooms leave no trace of where they stood.
    m_chart.update();
}

} // namespace tessel
