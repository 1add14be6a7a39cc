#pragma once

#include "ui/chart_painter.h"

#include <QImage>
#include <QPointF>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessel {

class ChartTable;
class Document;
struct Arrangement;
struct Scales;

// The plot chart's drawing area (picRoomLocation): a square of 4800 twips on which the
// elements of the document's table are painted, over its plan image. It owns no element and
// changes none: it follows the document, repainting the places of the elements a change
// names, and tells what the pointer and the keys do.
//
// It finds the element under the pointer, tells where the pressed element is dragged to while
// exactly the left button is held, and what was pressed and dropped; what a press, a drag or
// a drop means is decided by whoever listens. It takes the keyboard focus when an element is
// pressed or when it is tabbed into (then framed), and asks for the highlighted element to be
// moved by the arrow keys or deleted by Delete.
class ChartWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ChartWidget(const Document &document, QWidget *parent = nullptr);
    const ChartTable &table() const { return m_table; }

    QSize sizeHint() const override;

    // How many times its natural size the chart is drawn; it stays square and to scale.
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    // Pixels a twip at the current zoom.
    double scale() const;
    const ChartPaintOptions &paintOptions() const { return m_options; }
    void setPaintOptions(const ChartPaintOptions &options);

    // While set, a dragged element's top-left corner lands on whole feet of a plot of these
    // scales (they are read at each move); Alt held during a drag leaves that drag free.
    // Null: the corner follows the pointer to the twip.
    void setSnapScales(const Scales *scales) { m_snapScales = scales; }
    const Scales *snapScales() const { return m_snapScales; }
    // The plan image drawn: the document's, decoded once for each image it holds, scaled to
    // the chart once for each zoom; null while none is shown.
    const QImage &planImage() const { return m_planScaled; }
    // The same as decoded, before it is scaled to the chart.
    const QImage &planSource() const { return m_planSource; }

    // A suggested arrangement drawn over the chart until it is set aside (null): outlines of
    // the proposed places and arrows from the rooms to them. It is not the document's.
    void showArrangement(const Arrangement *arrangement);
    const Arrangement *shownArrangement() const { return m_arrangement; }

    // The element under a point of the widget (pixels), if any takes the pointer there.
    std::optional<int> elementAt(const QPointF &pos) const;
    // The tip shown at a point: the element's text over an element (empty over a door),
    // otherwise the chart's own tip.
    QString toolTipAt(const QPointF &pos) const;
    // The button whose press holds an element until its release; Qt::NoButton when none does.
    Qt::MouseButton holdingButton() const { return m_held != 0 ? m_holdButton : Qt::NoButton; }
    // Ends a hold whose release never came here, as the release would have.
    void endHold();

signals:
    void elementPressed(int index, Qt::MouseButton button);
    void elementDoubleClicked(int index);
    // The held element's top-left corner (twips) is to be here now, snapped as asked.
    void elementDragged(int index, double left, double top);
    // The button that pressed the element was released, whether it moved or not.
    void elementDropped(int index);
    // The element under the pointer, while mouse tracking is on, or the one a drag moved;
    // 0 when the pointer is over no element or has left the chart.
    void pointedAt(int index);
    // An arrow key: by one pixel, with Shift by a tenth of a ruler division (dx, dy: twips).
    void nudgeRequested(int index, double dx, double dy);
    void deleteRequested(int index);
    // An element is held from here until its release: true after the press, false before the
    // drop is told, so that whatever the drop shows takes input.
    void holdChanged(bool held);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // The document changed these elements (all of them: whole): their old and new places
    // are painted again.
    void showChange(const std::vector<int> &indices, bool whole);
    void followPlanImage();
    void measureAll();
    void showFocusFrame(bool shown);
    void scalePlanImage();

    QPointF toTwips(const QPointF &pos) const;
    QRect repaintRectOf(int index) const;

    const Document &m_document;
    const ChartTable &m_table;
    // Where each element was painted last, pixels: what a change must paint over.
    std::vector<QRect> m_painted;
    // The element a left or middle press holds until its release; 0 when none.
    int m_held = 0;
    Qt::MouseButton m_holdButton = Qt::NoButton;
    // Twips from the held element's top-left corner to the pointer.
    QPointF m_grabOffset;
    double m_zoom = 1;
    ChartPaintOptions m_options;
    const Scales *m_snapScales = nullptr;
    // The bytes the plan image was decoded from, and what they gave.
    std::shared_ptr<const std::string> m_planBytes;
    QImage m_planSource;
    QImage m_planScaled;
    double m_planOpacity = 1;
    // Alt was held during this drag: it is not snapped.
    bool m_dragUnsnapped = false;
    // What pointedAt told last.
    int m_pointed = 0;
    const Arrangement *m_arrangement = nullptr;
    // Framed while the focus came by the keyboard.
    bool m_focusFrame = false;
};

// The picture around the chart (picLocation): the rulers "0" to "6" along the top and
// left edges, the two axis captions, and the chart itself at (240, 240) twips.
class PlotFrame : public QWidget
{
    Q_OBJECT
public:
    explicit PlotFrame(const Document &document, QWidget *parent = nullptr);

    ChartWidget *chart() const { return m_chart; }
    QSize sizeHint() const override;
    // Scales the rulers, their captions and the chart together.
    void setZoom(double zoom);
    // The size at zoom 1.
    QSize naturalSize() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double scale() const;

    ChartWidget *m_chart;
    double m_zoom = 1;
};

} // namespace tessel
