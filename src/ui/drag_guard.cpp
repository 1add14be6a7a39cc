#include "ui/drag_guard.h"

#include "ui/chart_widget.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace tessel {

DragGuard::DragGuard(ChartWidget &chart)
    : QObject(&chart)
    , m_chart(chart)
{
    connect(&chart, &ChartWidget::holdChanged, this, &DragGuard::guard);
}

DragGuard::~DragGuard()
{
    guard(false);
}

void DragGuard::guard(bool held)
{
    if (held == m_guarding)
        return;
    m_guarding = held;
    QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return;
    if (held)
        application->installEventFilter(this);
    else
        application->removeEventFilter(this);
}

bool DragGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<const QMouseEvent *>(event);
        if (!(mouse->buttons() & m_chart.holdingButton())) {
            // The release went elsewhere (another window took the pointer meanwhile): the
            // hold ends now, and this event is the first after it.
            m_chart.endHold();
            return false;
        }
        // A press reaches a window first, which passes it on to a widget: there it is
        // dropped, also on the chart, which takes no press while it holds an element.
        return event->type() != QEvent::MouseMove && watched->isWidgetType();
    }
    default:
        return false;
    }
}

} // namespace tessel
