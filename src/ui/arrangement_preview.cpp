#include "ui/arrangement_preview.h"

#include "analysis/arrangement.h"

#include <QPainter>

namespace tessel {

void paintArrangementPreview(QPainter &painter, const Arrangement &arrangement,
                             double pixelsPerTwip, const QRectF &)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const ArrangedMove &move : arrangement.moves) {
        const QRectF to(move.toLeft * pixelsPerTwip, move.toTop * pixelsPerTwip,
                        move.width * pixelsPerTwip, move.height * pixelsPerTwip);
        const QRectF from(move.fromLeft * pixelsPerTwip, move.fromTop * pixelsPerTwip,
                          move.width * pixelsPerTwip, move.height * pixelsPerTwip);
        painter.setPen(QPen(QColor(0, 90, 200), 1.5, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        if (move.carriedBy == 0) {
            painter.drawRect(to);
            painter.drawLine(from.center(), to.center());
        } else {
            painter.drawLine(to.topLeft(), to.bottomRight());
        }
    }
    painter.restore();
}

} // namespace tessel
