#pragma once

#include <QBuffer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

#include <vector>

namespace tessel::testing {

// A full-colour picture, as a scan is: red grows to the right, green downwards, and blue
// bands cross them, so that every part of it has a colour of its own. Drawn by Qt's painter,
// so that even 10000 pixels a side are made in moments.
inline QImage fullColourImage(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient across(0, 0, size.width(), 0);
    across.setColorAt(0, Qt::black);
    across.setColorAt(1, Qt::red);
    painter.fillRect(image.rect(), across);
    QLinearGradient down(0, 0, 0, size.height());
    down.setColorAt(0, QColor(0, 0, 0, 0));
    down.setColorAt(1, QColor(0, 255, 0, 255));
    painter.setCompositionMode(QPainter::CompositionMode_Plus);
    painter.fillRect(image.rect(), down);
    QLinearGradient bands(0, 0, size.width() / 7.0, size.height() / 5.0);
    bands.setSpread(QGradient::ReflectSpread);
    bands.setColorAt(0, QColor(0, 0, 0));
    bands.setColorAt(1, QColor(0, 0, 200));
    painter.fillRect(image.rect(), bands);
    return image;
}

// The bytes of an image file in the given format ("PNG", "JPEG").
inline QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A colour no part of the chart, the verdicts or the page has: where it shows, the plan does.
inline const QColor kPlanGreen(0, 255, 0);

// The first page of a PDF as poppler draws it, 30 pixels an inch; null without pdftoppm
// (poppler-utils).
inline QImage firstPageOf(const QString &pdf)
{
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty())
        return {};
    QProcess process;
    process.start(pdftoppm, {"-r", "30", "-f", "1", "-l", "1", "-png", pdf});
    process.waitForFinished(60000);
    return QImage::fromData(process.readAllStandardOutput(), "PNG");
}

// The pixels of a page where the plan green shows, at any opacity over the grey plot; the
// red of the mixed colour grows as the opacity falls (96 at half).
inline std::vector<QColor> planGreenPixels(const QImage &page)
{
    std::vector<QColor> found;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.green() > 200 && c.red() < 130 && c.blue() < 130)
                found.push_back(c);
        }
    }
    return found;
}

} // namespace tessel::testing
