#pragma once

#include "analysis/rule_table.h"
#include "model/editor.h"
#include "ui/chart_painter.h"

#include <QObject>
#include <QScrollArea>
#include <QSettings>

#include <optional>

class QAction;
class QFontMetrics;
class QLabel;
class QMainWindow;

namespace tessel {

class ChartWidget;
class Document;
class PlotFrame;
class ZoneRules;
struct Actions;

// The status line's text as it fits `width` pixels: where it is too long, the description
// gives way and the verdict after its last " | " stays whole: the description is cut at a
// word and marked with an ellipsis.
QString fitStatusText(const QString &text, const QFontMetrics &metrics, int width);

// Holds the plot frame. It is as large as the frame until the window would no longer fit on
// the screen; then it scrolls.
class ChartScrollArea : public QScrollArea
{
    Q_OBJECT
public:
    explicit ChartScrollArea(PlotFrame *frame, QWidget *parent = nullptr);

    PlotFrame &frame() const;
    // Sizes itself to the frame as it now is.
    void fit();
};

// The View menu and what it shows: the status bar naming the element under the pointer
// (or else the selected one), the zone overlay, room names, the rooms' verdicts and the zoom
// of the chart and its rulers. Each choice is kept in the settings between runs. With the
// status bar hidden, the overlays and verdicts off and the zoom at 100 % the window is as it
// is without them.
class ViewOptions : public QObject
{
    Q_OBJECT
public:
    // Zoom steps, percent.
    static constexpr int kZoomSteps[] = {50, 67, 75, 100, 125, 150, 200, 300, 400};
    static constexpr int kActualSize = 100;

    // The choices are kept in the application's settings.
    ViewOptions(QMainWindow &window, const Document &document, const Actions &actions,
                ChartScrollArea &chartArea, const ZoneRules &zoneRules);
    ~ViewOptions() override;

    int zoomPercent() const { return m_zoom; }
    void setZoomPercent(int percent);
    void zoomIn();
    void zoomOut();
    // The largest zoom at which the chart and its rulers fit in the window as the user sized
    // it, or, while the window is as large as its content, on the screen. It is kept fitted
    // as the window is resized, until another zoom is chosen; it is not kept between runs.
    void zoomToFit();
    bool isZoomedToFit() const { return m_fitted; }

    bool eventFilter(QObject *watched, QEvent *event) override;
    // Shows the status of the element under the pointer, or else of the selected one.
    void showStatus();

private:
    void bindToggle(QAction *action, const char *key, bool byDefault = false);
    void apply();
    // The wheel's method, bearing or plot differ from those last drawn.
    bool shownWheelChanged() const;
    // percent: within the zoom steps' range.
    void showZoom(int percent, bool fitted);
    void point(int index);
    const RuleTable &rules() const;
    ChartPaintOptions paintOptions() const;
    // The kind of the selected room while verdicts show: its verdicts tint the zones.
    const RoomRules *zoneTintKind() const;

    const ZoneRules &m_zoneRules;
    QMainWindow &m_window;
    const Document &m_document;
    const Editor &m_editor;
    ChartScrollArea &m_chartArea;
    ChartWidget &m_chart;
    QSettings m_settings;

    // The facing and the wheel the chart was last drawn for.
    Facing m_shownFacing = Facing::North;
    ZoneSettings m_shownWheel;
    QAction *m_showZones = nullptr;
    QAction *m_showNames = nullptr;
    QAction *m_showVerdicts = nullptr;
    QAction *m_showStatusBar = nullptr;
    QAction *m_snapToFeet = nullptr;
    QAction *m_zoomIn = nullptr;
    QAction *m_zoomOut = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_ruleSet = nullptr;
    QWidget *m_legend = nullptr;
    int m_zoom = kActualSize;
    bool m_fitted = false;
    // While a fit is made: the window it resizes is not fitted again meanwhile.
    bool m_fitting = false;
    // The element under the pointer; 0 when none.
    int m_pointed = 0;
};

} // namespace tessel
