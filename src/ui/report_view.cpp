#include "ui/report_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

#include <cstring>

namespace tessel {

namespace {

// Pixels between the frame and the text.
constexpr int kMargin = 4;

} // namespace

ReportView::ReportView(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    clear();
}

void ReportView::setText(std::string text)
{
    m_text = std::move(text);
    m_lineStarts.assign(1, 0);
    const char *begin = m_text.data();
    const char *end = begin + m_text.size();
    for (const char *at = begin;
         (at = static_cast<const char *>(std::memchr(at, '\n', std::size_t(end - at))));)
        m_lineStarts.push_back(std::size_t(++at - begin));
    verticalScrollBar()->setValue(0);
    updateScrollBar();
    viewport()->update();
}

QString ReportView::line(int index) const
{
    const std::size_t start = m_lineStarts.at(std::size_t(index));
    std::size_t end = std::size_t(index) + 1 < m_lineStarts.size()
                          ? m_lineStarts[std::size_t(index) + 1] - 1
                          : m_text.size();
    if (end > start && m_text[end - 1] == '\r')
        --end;
    return QString::fromUtf8(m_text.data() + start, qsizetype(end - start));
}

QString ReportView::toPlainText() const
{
    return QString::fromStdString(m_text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

void ReportView::copy() const
{
    QApplication::clipboard()->setText(toPlainText());
}

std::unique_ptr<QTextLayout> ReportView::layoutLine(int index) const
{
    auto layout = std::make_unique<QTextLayout>(line(index), font(), viewport());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    const qreal width = std::max(1, viewport()->width() - 2 * kMargin);
    layout->beginLayout();
    qreal height = 0;
    for (QTextLine row = layout->createLine(); row.isValid(); row = layout->createLine()) {
        row.setLineWidth(width);
        row.setPosition(QPointF(0, height));
        height += row.height();
    }
    layout->endLayout();
    return layout;
}

void ReportView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    qreal top = kMargin;
    for (int i = verticalScrollBar()->value(); i < lineCount() && top < viewport()->height(); ++i) {
        const auto layout = layoutLine(i);
        layout->draw(&painter, QPointF(kMargin, top));
        top += layout->boundingRect().height();
    }
}

void ReportView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
}

void ReportView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void ReportView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void ReportView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    connect(menu.addAction(tr("&Copy")), &QAction::triggered, this, &ReportView::copy);
    menu.exec(event->globalPos());
}

void ReportView::updateScrollBar()
{
    // Unwrapped lines per page: scrolling never goes by more than a page.
    const int page = std::max(1, viewport()->height() / std::max(1, fontMetrics().lineSpacing()));
    // Scrolled to the end, the last line stands whole at the bottom: the last lines that fit
    // the page are found from the end, which lays out no more than a page of them.
    const qreal room = viewport()->height() - 2 * kMargin;
    int first = lineCount() - 1;
    for (qreal height = layoutLine(first)->boundingRect().height(); first > 0; --first) {
        height += layoutLine(first - 1)->boundingRect().height();
        if (height > room)
            break;
    }
    verticalScrollBar()->setRange(0, first);
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(1);
}

} // namespace tessel
