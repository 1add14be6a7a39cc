#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace tessel::bench {

// Installed on a window, ends the event loop right after the window's first paint. The quit
// is queued, so the painting pass that is running (the window's children included) finishes
// and reaches the screen first.
class QuitOnFirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { QCoreApplication::quit(); },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};

} // namespace tessel::bench
