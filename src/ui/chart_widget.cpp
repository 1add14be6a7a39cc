#include "ui/chart_widget.h"

#include "model/placement.h"
#include "model/plot.h"
#include "ui/arrangement_preview.h"
#include "ui/chart_painter.h"
#include "ui/document.h"
#include "ui/plan_image.h"
#include "ui/tooltips.h"

#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace tessel {

namespace {

// Twips around the chart inside picLocation: rulers above and to the left, the axis
// captions below and to the right.
constexpr double kChartOffset = 240;
constexpr double kRightMargin = 420;
constexpr double kBottomMargin = 420;

const char *const kWidthCaption = "Width Of The Plot";
const char *const kLengthCaption = "L e n g t h  O f   T h e  P l o t";

// Pixels either side of a door or an entrance within which a press takes it.
constexpr double kGrabMargin = 3;

// Twips an arrow key with Shift moves an element by.
constexpr double kLargeKeyStep = kRulerDivision / 10;

// Pixels of the chart's edge the focus frame is drawn on.
constexpr int kFocusFrameWidth = 3;

} // namespace

ChartWidget::ChartWidget(const Document &document, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
    , m_table(document.table())
{
    setObjectName("picRoomLocation");
    applyTip(*this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(sizeHint());
    measureAll();
    followPlanImage();
    connect(&document, &Document::elementsChanged, this, &ChartWidget::showChange);
    connect(&document, &Document::changed, this, &ChartWidget::followPlanImage);
}

void ChartWidget::measureAll()
{
    const int count = m_table.elementCount();
    m_painted.resize(std::size_t(count) + 1);
    for (int index = 1; index <= count; ++index)
        m_painted[std::size_t(index)] = repaintRectOf(index);
}

void ChartWidget::showChange(const std::vector<int> &indices, bool whole)
{
    if (whole) {
        measureAll();
        update();
        return;
    }
    for (const int index : indices) {
        if (index < 1)
            continue;
        if (std::size_t(index) >= m_painted.size())
            m_painted.resize(std::size_t(index) + 1);
        QRect &painted = m_painted[std::size_t(index)];
        update(painted);
        painted = index <= m_table.elementCount() ? repaintRectOf(index) : QRect();
        update(painted);
    }
}

void ChartWidget::followPlanImage()
{
    const PlanImage &plan = m_document.editor().plan;
    const double opacity = plan.opacity / 100.0;
    const auto bytes = plan.isSet() && plan.shown ? plan.base64 : nullptr;
    if (bytes == m_planBytes && opacity == m_planOpacity)
        return;
    if (bytes != m_planBytes) {
        m_planBytes = bytes;
        m_planSource = bytes ? m_document.planImages().decoded(plan).image : QImage();
        scalePlanImage();
    }
    m_planOpacity = opacity;
    m_options.planImage = m_planScaled.isNull() ? nullptr : &m_planScaled;
    m_options.planOpacity = m_planOpacity;
    update();
}

QSize ChartWidget::sizeHint() const
{
    const int side = twipsToPixels(kChartExtent * m_zoom, *this);
    return {side, side};
}

double ChartWidget::scale() const
{
    return pixelsPerTwip(*this) * m_zoom;
}

void ChartWidget::setZoom(double zoom)
{
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    setFixedSize(sizeHint());
    scalePlanImage();
    measureAll();
    update();
}

void ChartWidget::setPaintOptions(const ChartPaintOptions &options)
{
    m_options = options;
    m_options.planImage = m_planScaled.isNull() ? nullptr : &m_planScaled;
    m_options.planOpacity = m_planOpacity;
    update();
}

void ChartWidget::scalePlanImage()
{
    if (m_planSource.isNull()) {
        m_planScaled = QImage();
    } else {
        // One pixel of it for each device pixel of the chart: painting copies it unscaled.
        const QSize pixels = size() * devicePixelRatioF();
        m_planScaled = m_planSource.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    m_options.planImage = m_planScaled.isNull() ? nullptr : &m_planScaled;
}

void ChartWidget::showArrangement(const Arrangement *arrangement)
{
    if (arrangement == m_arrangement)
        return;
    m_arrangement = arrangement;
    update();
}

void ChartWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // The painter is clipped to the region that needs it; its bounding rectangle limits the
    // elements looked at.
    paintChart(painter, m_table, scale(), event->rect(), m_options);
    if (m_arrangement)
        paintArrangementPreview(painter, m_table, *m_arrangement, scale(), event->rect(),
                                m_options.font);
    if (m_focusFrame) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        // Styles draw it only for a focus that came by the keyboard, as this one did.
        option.state |= QStyle::State_KeyboardFocusChange;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void ChartWidget::showFocusFrame(bool shown)
{
    if (m_focusFrame == shown)
        return;
    m_focusFrame = shown;
    const QRect inside =
        rect().adjusted(kFocusFrameWidth, kFocusFrameWidth, -kFocusFrameWidth, -kFocusFrameWidth);
    update(QRegion(rect()).subtracted(inside));
}

void ChartWidget::focusInEvent(QFocusEvent *event)
{
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        showFocusFrame(true);
    QWidget::focusInEvent(event);
}

void ChartWidget::focusOutEvent(QFocusEvent *event)
{
    showFocusFrame(false);
    QWidget::focusOutEvent(event);
}

void ChartWidget::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    // Keys do nothing while an element is held by the pointer.
    const auto selected = m_held == 0 ? highlightedElement(m_table) : std::nullopt;
    if (!selected || (modifiers & ~Qt::ShiftModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    const double step = modifiers == Qt::ShiftModifier ? kLargeKeyStep : 1 / scale();
    switch (event->key()) {
    case Qt::Key_Left:
        emit nudgeRequested(*selected, -step, 0);
        break;
    case Qt::Key_Right:
        emit nudgeRequested(*selected, step, 0);
        break;
    case Qt::Key_Up:
        emit nudgeRequested(*selected, 0, -step);
        break;
    case Qt::Key_Down:
        emit nudgeRequested(*selected, 0, step);
        break;
    case Qt::Key_Delete:
        if (modifiers != Qt::NoModifier) {
            QWidget::keyPressEvent(event);
            return;
        }
        emit deleteRequested(*selected);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

QPointF ChartWidget::toTwips(const QPointF &pos) const
{
    return pos / scale();
}

std::optional<int> ChartWidget::elementAt(const QPointF &pos) const
{
    const QPointF at = toTwips(pos);
    return tessel::elementAt(m_table, at.x(), at.y(), kGrabMargin / scale());
}

QString ChartWidget::toolTipAt(const QPointF &pos) const
{
    if (const auto index = elementAt(pos))
        return QString::fromStdString(m_table.at(*index).text);
    return toolTip();
}

QRect ChartWidget::repaintRectOf(int index) const
{
    return elementRepaintRect(m_table.at(index), scale());
}

bool ChartWidget::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        if (const auto index = elementAt(help->pos())) {
            const QString tip = QString::fromStdString(m_table.at(*index).text);
            if (tip.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), tip, this, repaintRectOf(*index));
            return true;
        }
    }
    return QWidget::event(event);
}

void ChartWidget::mousePressEvent(QMouseEvent *event)
{
    const auto index = elementAt(event->position());
    if (!index || m_held != 0)
        return;
    const Qt::MouseButton button = event->button();
    const bool holds = button == Qt::LeftButton || button == Qt::MiddleButton;
    if (holds) {
        m_held = *index;
        m_holdButton = button;
        const ChartElement &element = m_table.at(*index);
        m_grabOffset = toTwips(event->position()) - QPointF(element.left, element.top);
        m_dragUnsnapped = false;
        setFocus(Qt::MouseFocusReason);
    }
    emit elementPressed(*index, button);
    if (holds)
        emit holdChanged(true);
}

void ChartWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_held == 0 || event->buttons() != Qt::LeftButton) {
        if (m_held == 0 && hasMouseTracking()) {
            const int index = elementAt(event->position()).value_or(0);
            if (index != m_pointed)
                emit pointedAt(m_pointed = index);
        }
        return;
    }
    QPointF topLeft = toTwips(event->position()) - m_grabOffset;
    m_dragUnsnapped = m_dragUnsnapped || (event->modifiers() & Qt::AltModifier);
    if (m_snapScales && !m_dragUnsnapped) {
        const ChartPoint snapped = snapToFeet(topLeft.x(), topLeft.y(), *m_snapScales);
        topLeft = {snapped.x, snapped.y};
    }
    // The document moves it; its change repaints the old and the new place only. Names and
    // zone labels are laid out in their own boxes, so a part of them repaints as it was.
    emit elementDragged(m_held, topLeft.x(), topLeft.y());
    emit pointedAt(m_pointed = m_held);
}

void ChartWidget::leaveEvent(QEvent *event)
{
    if (m_held == 0 && m_pointed != 0)
        emit pointedAt(m_pointed = 0);
    QWidget::leaveEvent(event);
}

void ChartWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == holdingButton())
        endHold();
}

void ChartWidget::endHold()
{
    if (m_held == 0)
        return;
    const int dropped = m_held;
    m_held = 0;
    emit holdChanged(false);
    emit elementDropped(dropped);
}

void ChartWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    if (const auto index = elementAt(event->position()))
        emit elementDoubleClicked(*index);
}

PlotFrame::PlotFrame(const Document &document, QWidget *parent)
    : QWidget(parent)
    , m_chart(new ChartWidget(document, this))
{
    setObjectName("picLocation");
    setFixedSize(sizeHint());
    const int offset = twipsToPixels(kChartOffset, *this);
    m_chart->move(offset, offset);
}

double PlotFrame::scale() const
{
    return pixelsPerTwip(*this) * m_zoom;
}

QSize PlotFrame::sizeHint() const
{
    return {twipsToPixels((kChartOffset + kChartExtent + kRightMargin) * m_zoom, *this),
            twipsToPixels((kChartOffset + kChartExtent + kBottomMargin) * m_zoom, *this)};
}

QSize PlotFrame::naturalSize() const
{
    return {twipsToPixels(kChartOffset + kChartExtent + kRightMargin, *this),
            twipsToPixels(kChartOffset + kChartExtent + kBottomMargin, *this)};
}

void PlotFrame::setZoom(double zoom)
{
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    m_chart->setZoom(zoom);
    setFixedSize(sizeHint());
    const int offset = twipsToPixels(kChartOffset * zoom, *this);
    m_chart->move(offset, offset);
    update();
}

void PlotFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().windowText().color());

    const double scale = this->scale();
    const double origin = kChartOffset * scale;
    const double extent = kChartExtent * scale;
    const double division = kRulerDivision * scale;
    // One font for everything: each further face or size costs a font load at start. Zoomed,
    // the rulers' figures and captions grow and shrink with the chart.
    if (m_zoom != 1) {
        QFont zoomed = font();
        if (zoomed.pointSizeF() > 0)
            zoomed.setPointSizeF(zoomed.pointSizeF() * m_zoom);
        else
            zoomed.setPixelSize(std::max(1, int(std::lround(zoomed.pixelSize() * m_zoom))));
        painter.setFont(zoomed);
    }
    const QFontMetricsF metrics(painter.font());
    const double tick = 3 * m_zoom;

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
