#include "ui/room_placement.h"

#include "model/dialogs.h"
#include "model/editor.h"
#include "model/placement.h"
#include "ui/chart_widget.h"

namespace tessel {

RoomPlacement::RoomPlacement(Editor &editor, Dialogs &dialogs, ChartWidget &chart,
                             QWidget &afterWhatIsThis, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_dialogs(dialogs)
    , m_chart(chart)
    , m_afterWhatIsThis(afterWhatIsThis)
{
    connect(&chart, &ChartWidget::elementPressed, this, &RoomPlacement::press);
    connect(&chart, &ChartWidget::elementDoubleClicked, this, &RoomPlacement::explain);
    connect(&chart, &ChartWidget::elementDropped, this, &RoomPlacement::drop);
}

void RoomPlacement::press(int index, Qt::MouseButton button)
{
    if (button == Qt::RightButton) {
        explain();
        return;
    }
    if (button == Qt::LeftButton || button == Qt::MiddleButton)
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
    if (const auto refusal = dropElement(m_editor, index))
        m_dialogs.showMessage(refusal->message, refusal->icon);
}

void RoomPlacement::deleteRoom()
{
    if (const auto refusal = deleteSelectedRoom(m_editor)) {
        m_dialogs.showMessage(refusal->message, refusal->icon);
        return;
    }
    // The parked rooms leave no trace of where they stood.
    m_chart.update();
}

} // namespace tessel
