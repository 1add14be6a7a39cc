#include "ui/chart_painter.h"

#include "model/chart.h"
#include "model/plot.h"

#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace tessel {

namespace {

constexpr double kTwipsPerInch = 1440.0;

// Twips; the guide lines cut the chart into 3 x 3 fields. They are drawing only.
constexpr double kGuideX[] = {1590, 3180};
constexpr double kGuideY[] = {1580, 3180};

const QColor kBackground(192, 192, 192);
const QColor kElementFill(255, 255, 255);
const QColor kHighlightFill(0, 255, 0);
// Doors and entrances stand out against the white rooms, their black walls and the grey plot.
const QColor kOpeningLine(200, 0, 0);
// Pixels; an opening's line is centred on its box of no thickness.
constexpr double kOpeningLineWidth = 3;

QColor fillOf(const ChartElement &element, const QColor &plain)
{
    if (element.fillOverride)
        return QColor::fromRgb(*element.fillOverride);
    return element.highlighted ? kHighlightFill : plain;
}

// A box of no width or no height drawn as a band across its line.
QRectF openingLine(const QRectF &rect)
{
    const double half = kOpeningLineWidth / 2;
    return rect.width() == 0 ? rect.adjusted(-half, 0, half, 0) : rect.adjusted(0, -half, 0, half);
}

} // namespace

double pixelsPerTwip(const QPaintDevice &device)
{
    return device.logicalDpiX() / kTwipsPerInch;
}

int twipsToPixels(double twips, const QPaintDevice &device)
{
    return static_cast<int>(std::lround(twips * pixelsPerTwip(device)));
}

QRectF elementRect(const ChartElement &element, double scale)
{
    return QRectF(element.left * scale, element.top * scale, element.width * scale,
                  element.height * scale);
}

QRect elementRepaintRect(const ChartElement &element, double scale)
{
    return elementRect(element, scale).adjusted(-2, -2, 2, 2).toAlignedRect();
}

void paintChart(QPainter &painter, const ChartTable &table, double scale, const QRectF &exposed)
{
    const double extent = kChartExtent * scale;
    painter.fillRect(exposed, kBackground);

    painter.setPen(QPen(Qt::black, 0));
    for (const double x : kGuideX)
        painter.drawLine(QPointF(x * scale, 0), QPointF(x * scale, extent));
    for (const double y : kGuideY)
        painter.drawLine(QPointF(0, y * scale), QPointF(extent, y * scale));

    // A border's width is included when testing what an element touches. The test is made in
    // twips, before any element is converted: a full chart has tens of thousands of them.
    const QRectF reach = exposed.adjusted(-3, -3, 3, 3);
    const double reachLeft = reach.left() / scale, reachRight = reach.right() / scale;
    const double reachTop = reach.top() / scale, reachBottom = reach.bottom() / scale;
    for (const int index : table.stackingOrder()) {
        const ChartElement &element = table.at(index);
        if (!element.visible || (element.width == 0 && element.height == 0))
            continue;
        if (element.left >= reachRight || element.left + element.width <= reachLeft ||
            element.top >= reachBottom || element.top + element.height <= reachTop)
            continue;
        const QRectF rect = elementRect(element, scale);
        if (element.width == 0 || element.height == 0) {
            // Doors and entrances are boxes of no thickness: they show as a line.
            painter.fillRect(openingLine(rect), fillOf(element, kOpeningLine));
            continue;
        }
        painter.fillRect(rect, fillOf(element, kElementFill));
        if (element.borderStyle != 0) {
            painter.setPen(QPen(Qt::black, 0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect);
        }
    }
}

} // namespace tessel
