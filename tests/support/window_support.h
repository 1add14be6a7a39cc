#pragma once

#include <QImage>
#include <QObject>
#include <QtGlobal>

#include <cstdlib>

namespace tessel::testing {

// The control of that objectName in the window; a test without it cannot go on.
template<typename T>
T *findControl(const QObject &window, const char *name)
{
    T *control = window.findChild<T *>(name);
    if (!control)
        qFatal("no control named %s", name);
    return control;
}

// Mean difference per colour channel of two pictures of one size, 0 to 255.
inline double meanDifference(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * left.width() * left.height());
}

} // namespace tessel::testing
