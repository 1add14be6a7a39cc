#pragma once

#include <QWidget>

namespace tessel {

class ChartTable;

// The plot chart's drawing area (picRoomLocation): a square of 4800 twips on which the
// elements of the table are painted. It owns no element; the table is the one truth.
class ChartWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ChartWidget(const ChartTable &table, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const ChartTable &m_table;
};

// The picture around the chart (picLocation): the rulers "0" to "6" along the top and
// left edges, the two axis captions, and the chart itself at (240, 240) twips.
class PlotFrame : public QWidget
{
    Q_OBJECT
public:
    explicit PlotFrame(const ChartTable &table, QWidget *parent = nullptr);

    ChartWidget *chart() const { return m_chart; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ChartWidget *m_chart;
};

} // namespace tessel
