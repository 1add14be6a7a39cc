#include "ui/room_placement.h"

#include "model/dialogs.h"
#include "model/placement.h"
#include "ui/chart_widget.h"
#include "ui/document.h"

namespace tessel {

RoomPlacement::RoomPlacement(Document &document, Dialogs &dialogs, ChartWidget &chart,
                             QWidget &afterWhatIsThis, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_dialogs(dialogs)
    , m_chart(chart)
    , m_afterWhatIsThis(afterWhatIsThis)
{
    connect(&chart, &ChartWidget::elementPressed, this, &RoomPlacement::press);
    connect(&chart, &ChartWidget::elementDoubleClicked, this, &RoomPlacement::explain);
    connect(&chart, &ChartWidget::elementDragged, &document, &Document::dragElement);
    connect(&chart, &ChartWidget::elementDropped, this, &RoomPlacement::drop);
    connect(&chart, &ChartWidget::nudgeRequested, this, &RoomPlacement::nudge);
    // Delete on the chart deletes the element as its kind's delete command does.
    connect(&chart, &ChartWidget::deleteRequested, this, [this](int index) {
        if (const auto refusal = m_document.deleteElement(index))
            m_dialogs.showMessage(refusal->message, refusal->icon);
    });
}

void RoomPlacement::press(int index, Qt::MouseButton button)
{
    if (button == Qt::RightButton) {
        explain();
        return;
    }
    if (button == Qt::LeftButton || button == Qt::MiddleButton)
        m_document.pressElement(index);
}

void RoomPlacement::explain()
{
    const Refusal answer = whatIsThis();
    m_dialogs.showMessage(answer.message, answer.icon);
    m_afterWhatIsThis.setFocus();
}

void RoomPlacement::drop(int index)
{
    if (const auto refusal = m_document.dropElement(index))
        m_dialogs.showMessage(refusal->message, refusal->icon);
}

void RoomPlacement::nudge(int index, double dx, double dy)
{
    const ChartElement &element = m_document.table().at(index);
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
    m_document.nudgeElement(index, left, top);
}

void RoomPlacement::deleteRoom()
{
    if (const auto refusal = m_document.deleteSelectedRoom())
        m_dialogs.showMessage(refusal->message, refusal->icon);
}

} // namespace tessel
