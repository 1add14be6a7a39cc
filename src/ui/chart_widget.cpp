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
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().windowText().color());
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() * 0.85);
    painter.setFont(small);

    const double scale = pixelsPerTwip(*this);
    const double origin = kChartOffset * scale;
    const double extent = kChartExtent * scale;
    const double division = kRulerDivision * scale;
    const QFontMetricsF metrics(small);
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

    QFont captionFont = font();
    captionFont.setBold(true);
    painter.setFont(captionFont);
    const QFontMetricsF captionMetrics(captionFont);

    const QRectF below(origin, origin + extent, extent, kBottomMargin * scale);
    painter.drawText(below, Qt::AlignCenter, kWidthCaption);

    // One letter a line, read downwards; the double spaces leave a gap between words.
    const QStringList letters = QString(kLengthCaption).split(' ');
    const double lineHeight = captionMetrics.height() * 0.8;
    const double columnX = origin + extent + kRightMargin * scale / 2;
    double y = origin + (extent - letters.size() * lineHeight) / 2 + captionMetrics.ascent();
    for (const QString &letter : letters) {
        painter.drawText(QPointF(columnX - captionMetrics.horizontalAdvance(letter) / 2, y),
                         letter);
        y += lineHeight;
    }
}

} // namespace tessel
