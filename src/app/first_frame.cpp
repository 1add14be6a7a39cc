#include "app/first_frame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace tessel {

namespace {

// Watches the window's passes: an Expose of its QWindow or an UpdateRequest of the widget
// starts one, which paints the widgets concerned and flushes them to the screen before the
// event returns. Once a pass has run, a check is posted behind every repaint already asked
// for (those are posted at low priority too, and the queue keeps their order). If no pass
// has started since, the frame on the screen is complete and the event loop is ended.
// Posted once the pass numbered `pass` is over.
class PassEvent : public QEvent
{
public:
    PassEvent(Type type, int pass)
        : QEvent(type)
        , pass(pass)
    {}
    const int pass;
};

class FirstFrameWatch : public QObject
{
public:
    explicit FirstFrameWatch(QWidget &window)
        : QObject(&window)
        , m_window(window)
    {
        window.installEventFilter(this);
        window.winId();
        window.windowHandle()->installEventFilter(this);
    }

    bool event(QEvent *event) override
    {
        if (event->type() == m_afterPass) {
            // Behind the repaints the pass asked for.
            QCoreApplication::postEvent(
                this, new PassEvent(m_check, static_cast<PassEvent *>(event)->pass),
                Qt::LowEventPriority);
            return true;
        }
        if (event->type() == m_check) {
            if (static_cast<PassEvent *>(event)->pass == m_passes && m_painted &&
                m_window.windowHandle()->isExposed())
                QCoreApplication::quit();
            return true;
        }
        return QObject::event(event);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (watched == &m_window && type == QEvent::Paint)
            m_painted = true;
        if ((watched == &m_window && type == QEvent::UpdateRequest) ||
            (watched != &m_window && type == QEvent::Expose)) {
            ++m_passes;
            // Runs once the pass that starts with this event is over.
            QCoreApplication::postEvent(this, new PassEvent(m_afterPass, m_passes));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QEvent::Type m_afterPass = QEvent::Type(QEvent::registerEventType());
    const QEvent::Type m_check = QEvent::Type(QEvent::registerEventType());
    QWidget &m_window;
    int m_passes = 0;
    bool m_painted = false;
};

} // namespace

void quitAfterFirstFrame(QWidget &window)
{
    new FirstFrameWatch(window);
}

} // namespace tessel
