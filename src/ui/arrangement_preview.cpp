#include "ui/arrangement_preview.h"

#include "analysis/arrangement.h"
#include "model/chart.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tessel {
namespace {

// The proposal's ink: a blue that reads over the plot's grey, the rooms' fills and a plan.
const QColor kInk(0, 84, 190);
constexpr double kArrowHead = 9;
// Around every move's drawing: the pen, the arrow head and the name's halo.
constexpr double kMargin = kArrowHead + 3;

QRectF placeOf(const ArrangedMove &move, bool proposed, double scale)
{
    return {(proposed ? move.toLeft : move.fromLeft) * scale,
            (proposed ? move.toTop : move.fromTop) * scale, move.width * scale,
            move.height * scale};
}

QRectF reachOf(const ArrangedMove &move, double scale)
{
    return placeOf(move, false, scale)
        .united(placeOf(move, true, scale))
        .adjusted(-kMargin, -kMargin, kMargin, kMargin);
}

// From the centre of the room's place to the centre of its proposed one, ending at the
// proposed box's edge so that the head stays visible.
void paintArrow(QPainter &painter, const QRectF &from, const QRectF &to)
{
    QLineF line(from.center(), to.center());
    if (line.length() < 1)
        return;
    // Shortened to where the line enters the proposed box.
    const double halfWidth = to.width() / 2, halfHeight = to.height() / 2;
    const double dx = std::abs(line.dx()), dy = std::abs(line.dy());
    const double inside = std::min(dx > 0 ? halfWidth / dx : 1e9, dy > 0 ? halfHeight / dy : 1e9);
    if (inside < 1)
        line.setLength(line.length() * (1 - inside));
    if (line.length() < kArrowHead)
        return;
    painter.drawLine(line);
    const double angle = std::atan2(-line.dy(), line.dx());
    const QPointF tip = line.p2();
    const double spread = 0.45;
    QPainterPath head(tip);
    head.lineTo(tip - QPointF(std::cos(angle - spread) * kArrowHead,
                              -std::sin(angle - spread) * kArrowHead));
    head.lineTo(tip - QPointF(std::cos(angle + spread) * kArrowHead,
                              -std::sin(angle + spread) * kArrowHead));
    head.closeSubpath();
    painter.fillPath(head, kInk);
}

} // namespace

QRectF arrangementPreviewBounds(const Arrangement &arrangement, double pixelsPerTwip)
{
    QRectF bounds;
    for (const ArrangedMove &move : arrangement.moves)
        bounds = bounds.united(reachOf(move, pixelsPerTwip));
    return bounds;
}

void paintArrangementPreview(QPainter &painter, const ChartTable &table,
                             const Arrangement &arrangement, double pixelsPerTwip,
                             const QRectF &exposed, const QFont &font)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    QColor wash = kInk;
    wash.setAlpha(40);
    const QPen outline(kInk, 2, Qt::DashLine);
    const QPen arrow(kInk, 1.5);
    for (const ArrangedMove &move : arrangement.moves) {
        if (!reachOf(move, pixelsPerTwip).intersects(exposed))
            continue;
        const QRectF from = placeOf(move, false, pixelsPerTwip);
        const QRectF to = placeOf(move, true, pixelsPerTwip);
        if (move.carriedBy != 0) {
            // An opening is a line along its room's edge: drawn where it goes.
            painter.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(to.topLeft(), to.bottomRight());
            continue;
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(wash);
        painter.drawRect(to);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(outline);
        painter.drawRect(to);
        painter.setPen(arrow);
        paintArrow(painter, from, to);
        // The room's name in its proposed place, where it fits.
        if (move.index >= 1 && move.index <= table.elementCount()) {
            const QString name = metrics.elidedText(
                QString::fromStdString(table.at(move.index).text), Qt::ElideRight, to.width() - 4);
            if (!name.isEmpty() && metrics.height() <= to.height()) {
                painter.setPen(kInk);
                painter.drawText(to, Qt::AlignCenter, name);
            }
        }
    }
    painter.restore();
}

} // namespace tessel
