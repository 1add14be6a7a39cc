#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <chrono>
#include <cstdio>

namespace tessel::bench {

// Installed on a window, ends the event loop right after the window's first paint. The quit
// is queued, so the painting pass that is running (the window's children included) finishes
// and reaches the screen first. Then the moment of that first frame is written to standard
// output, in nanoseconds of the steady clock, for the benchmark that started the process:
// shutting down is no part of start-up.
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
                QCoreApplication::instance(),
                [] {
                    const auto now = std::chrono::steady_clock::now().time_since_epoch();
                    std::printf("%lld\n",
                                static_cast<long long>(std::chrono::nanoseconds(now).count()));
                    std::fflush(stdout);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};

} // namespace tessel::bench
