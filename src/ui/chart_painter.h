#pragma once

#include <QRectF>

class QPainter;
class QPaintDevice;
class QWidget;

namespace tessel {

class ChartTable;
struct ChartElement;

// Twips reach the screen through the logical resolution: 1440 twips per logical inch.
double pixelsPerTwip(const QPaintDevice &device);
// A length in twips as whole pixels of that device.
int twipsToPixels(double twips, const QPaintDevice &device);

// An element's box in pixels of a chart drawn at the given resolution.
QRectF elementRect(const ChartElement &element, double pixelsPerTwip);
// The whole pixels an element's painting reaches, its border and line included: what must be
// repainted when it moves or changes.
QRect elementRepaintRect(const ChartElement &element, double pixelsPerTwip);

// Paints the plot chart's drawing area: the light grey plot, the guide lines and every
// visible element from the back of the stacking order to the front. Only what meets
// `exposed` (pixels) is drawn. The screen and exported images both come from here.
void paintChart(QPainter &painter, const ChartTable &table, double pixelsPerTwip,
                const QRectF &exposed);

} // namespace tessel
