#include "ui/chart_widget.h"

#include "model/plot.h"
#include "ui/chart_painter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStringList>

namespace tessel {

namespace {

// Twips around the chart inside picLocation: rulers above and to the left, the axis
// captions below and to the right.
constexpr double kChartOffset = 240;
constexpr double kRightMargin = 420;
constexpr double kBottomMargin = 420;

const char *const kWidthCaption = "Width Of The Plot";
const char *const kLengthCaption = "L e n g t h  O f   T h e  P l o t";

} // namespace

ChartWidget::ChartWidget(const ChartTable &table, QWidget *parent)
    : QWidget(parent)
    , m_table(table)
{
    setObjectName("picRoomLocation");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(sizeHint());
}

QSize ChartWidget::sizeHint() const
{
    const int side = twipsToPixels(kChartExtent, *this);
    return {side, side};
}

void ChartWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    paintChart(painter, m_table, pixelsPerTwip(*this), event->rect());
}

PlotFrame::PlotFrame(const ChartTable &table, QWidget *parent)
    : QWidget(parent)
    , m_chart(new ChartWidget(table, this))
{
    setObjectName("picLocation");
    setFixedSize(sizeHint());
    const int offset = twipsToPixels(kChartOffset, *this);
    m_chart->move(offset, offset);
}

QSize PlotFrame::sizeHint() const
{
    return {twipsToPixels(kChartOffset + kChartExtent + kRightMargin, *this),
            twipsToPixels(kChartOffset + kChartExtent + kBottomMargin, *this)};
}

void PlotFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().windowText().color());

    const double scale = pixelsPerTwip(*this);
    const double origin = kChartOffset * scale;
    const double extent = kChartExtent * scale;
    const double division = kRulerDivision * scale;
    // One font for everything: each further face or size costs a font load at start.
    const QFontMetricsF metrics(font());
    const double tick = 3;

    for (int i = 0; i <= kRulerDivisions; ++i) {
        const QString label = QString::number(i);
        const double at = origin + i * division;
        // Along the top edge, centred over the division mark.
        painter.drawLine(QPointF(at, origin - tick), QPointF(at, origin));
        const double labelWidth = metrics.horizontalAdvance(label);
        painter.drawText(QPointF(at - labelWidth / 2, origin - tick - metrics.descent() - 1),
                         label);
        // Along the left edge, centred beside the division mark.
        painter.drawLine(QPointF(origin - tick, at), QPointF(origin, at));
        painter.drawText(QPointF(origin - tick - labelWidth - 2, at + metrics.capHeight() / 2),
                         label);
    }

    const QRectF below(origin, origin + extent, extent, kBottomMargin * scale);
    painter.drawText(below, Qt::AlignCenter, kWidthCaption);

    // One letter a line, read downwards; the double spaces leave a gap between words. The
    // column is laid out as one text rather than letter by letter: it is drawn at start.
    const QString column = QString(kLengthCaption).split(' ').join('\n');
    const QRectF right(origin + extent, origin, kRightMargin * scale, extent);
    painter.drawText(right, Qt::AlignCenter, column);
}

} // namespace tessel
