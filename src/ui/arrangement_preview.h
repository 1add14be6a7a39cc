#pragma once

#include <QRectF>

class QPainter;

namespace tessel {

struct Arrangement;

// A suggested arrangement over the chart: each room's proposed place outlined, an arrow from
// where it stands to there.
void paintArrangementPreview(QPainter &painter, const Arrangement &arrangement,
                             double pixelsPerTwip, const QRectF &exposed);

} // namespace tessel
