#pragma once

#include <QRectF>

class QFont;
class QPainter;

namespace tessel {

class ChartTable;
struct Arrangement;

// The bounds in pixels of what the preview of `arrangement` paints: the rooms' places now and
// proposed, and the arrows between them. What a chart must repaint when it comes or goes.
QRectF arrangementPreviewBounds(const Arrangement &arrangement, double pixelsPerTwip);

// A suggested arrangement over the chart: each moved room's proposed place outlined and named,
// an arrow from where it stands to there, and each opening it carries drawn at its new place.
// Only moves whose drawing meets `exposed` (pixels) are painted.
void paintArrangementPreview(QPainter &painter, const ChartTable &table,
                             const Arrangement &arrangement, double pixelsPerTwip,
                             const QRectF &exposed, const QFont &font);

} // namespace tessel
