#include "ui/view_options.h"

#include "analysis/status_line.h"
#include "analysis/verdict.h"
#include "analysis/zone_texts.h"
#include "model/editor.h"
#include "model/placement.h"
#include "ui/actions.h"
#include "ui/chart_widget.h"
#include "ui/document.h"
#include "ui/zone_rules.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace tessel {

namespace {

const char *const kZoomKey = "view/zoom";
const char *const kZonesKey = "view/showZones";
const char *const kNamesKey = "view/showNames";
const char *const kStatusBarKey = "view/showStatusBar";
const char *const kSnapKey = "view/snapToFeet";
const char *const kVerdictsKey = "view/showVerdicts";

// One wheel notch: the angle most mice turn a step by, in eighths of a degree.
constexpr int kWheelNotch = 120;

// The key to the verdict tints, at the right of the status bar.
class VerdictLegend : public QWidget
{
public:
    VerdictLegend()
    {
        setObjectName("verdictLegend");
        setToolTip("What the tints of the rooms say");
    }
    QSize sizeHint() const override
    {
        return verdictLegendSize(font(), *this).toSize() + QSize(8, 4);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QSizeF size = verdictLegendSize(font(), *this);
        paintVerdictLegend(painter, QPointF(4, (height() - size.height()) / 2), font());
    }
};

// The status line, its text fitted to its width as it is drawn.
class StatusLabel : public QLabel
{
public:
    StatusLabel()
    {
        setObjectName("lblStatus");
        setContentsMargins(4, 0, 4, 0);
    }

    void setStatus(const QString &text)
    {
        if (text == this->text())
            return;
        setText(text);
        // The whole of it, wherever it is cut.
        setToolTip(text);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect area = contentsRect();
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(area, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                         fitStatusText(text(), QFontMetrics(font()), area.width()));
    }
};

} // namespace

QString fitStatusText(const QString &text, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString mark = QStringLiteral(" | ");
    const qsizetype at = text.lastIndexOf(mark);
    const QString last = at < 0 ? QString() : text.mid(at);
    const QString head = at < 0 ? text : text.left(at);
    const QString ellipsis = QStringLiteral("\u2026");
    const int room = width - metrics.horizontalAdvance(last) - metrics.horizontalAdvance(ellipsis);
    if (room <= 0)
        return metrics.elidedText(last.mid(mark.size()), Qt::ElideRight, width);
    // The longest start of the description that ends at a word and fits.
    QString cut =
        metrics.elidedText(head, Qt::ElideRight, room + metrics.horizontalAdvance(ellipsis));
    cut.chop(1);
    if (const qsizetype space = cut.lastIndexOf(' '); space > 0)
        cut.truncate(space);
    return cut + ellipsis + last;
}

ChartScrollArea::ChartScrollArea(PlotFrame *frame, QWidget *parent)
    : QScrollArea(parent)
{
    setObjectName("chartScrollArea");
    setFrameShape(QFrame::NoFrame);
    // Not a stop on the way of the Tab key: the window's focus order is as without it.
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(false);
    setWidget(frame);
    // The panel's own background shows through, as without this area.
    viewport()->setAutoFillBackground(false);
    frame->setAutoFillBackground(false);
    fit();
}

PlotFrame &ChartScrollArea::frame() const
{
    return *static_cast<PlotFrame *>(widget());
}

void ChartScrollArea::fit()
{
    const QSize content = widget()->size();
    // No larger than at its natural size, the frame always fits, whatever the screen: the
    // window's size need not be asked, which would lay it out ahead of its showing.
    if (content.boundedTo(frame().naturalSize()) == content) {
        setFixedSize(content);
        return;
    }
    QSize room = content;
    const QWidget *top = window();
    if (top != this && top->screen()) {
        // What the window holds besides this area, its frame included, must still fit on the
        // screen with it. Never smaller than the frame at its natural size, though: unzoomed,
        // the window is as without this area, whatever the screen.
        QSize others = top->sizeHint() - size();
        QSize frameMargins;
        if (top->isVisible())
            frameMargins = top->frameGeometry().size() - top->size();
        others += frameMargins;
        // A window the user made larger than its screen shows as much as it holds.
        const QSize screen =
            top->screen()->availableGeometry().size().expandedTo(top->size() + frameMargins);
        room = (screen - others).expandedTo(content.boundedTo(frame().naturalSize()));
    }
    QSize fitted = content.boundedTo(room);
    // A scroll bar takes room across the other way, as far as there is any.
    if (fitted.width() < content.width())
        fitted.rheight() =
            std::min(content.height() + horizontalScrollBar()->sizeHint().height(), room.height());
    if (fitted.height() < content.height())
        fitted.rwidth() =
            std::min(content.width() + verticalScrollBar()->sizeHint().width(), room.width());
    setFixedSize(fitted);
}

ViewOptions::ViewOptions(QMainWindow &window, const Document &document, const Actions &actions,
                         ChartScrollArea &chartArea, const ZoneRules &zoneRules)
    : QObject(&window)
    , m_zoneRules(zoneRules)
    , m_window(window)
    , m_document(document)
    , m_editor(document.editor())
    , m_chartArea(chartArea)
    , m_chart(*chartArea.frame().chart())
    , m_showZones(actions.showZones)
    , m_showNames(actions.showNames)
    , m_showVerdicts(actions.showVerdicts)
    , m_showStatusBar(actions.showStatusBar)
    , m_snapToFeet(actions.snapToFeet)
    , m_zoomIn(actions.zoomIn)
    , m_zoomOut(actions.zoomOut)
{
    bindToggle(m_showZones, kZonesKey);
    bindToggle(m_showNames, kNamesKey);
    bindToggle(m_showVerdicts, kVerdictsKey);
    // The status line is part of the window; the option only lets a user hide it.
    bindToggle(m_showStatusBar, kStatusBarKey, true);
    bindToggle(m_snapToFeet, kSnapKey);
    connect(m_zoomIn, &QAction::triggered, this, &ViewOptions::zoomIn);
    connect(m_zoomOut, &QAction::triggered, this, &ViewOptions::zoomOut);
    connect(actions.actualSize, &QAction::triggered, this, [this] { setZoomPercent(kActualSize); });
    connect(actions.zoomToFit, &QAction::triggered, this, &ViewOptions::zoomToFit);

    m_status = new StatusLabel;
    QStatusBar *bar = window.statusBar();
    bar->setSizeGripEnabled(false);
    bar->addWidget(m_status, 1);
    m_ruleSet = new QLabel;
    m_ruleSet->setObjectName("lblRuleSet");
    m_ruleSet->setToolTip("The rules the zone wheel judges by");
    m_ruleSet->hide();
    bar->addPermanentWidget(m_ruleSet);
    m_legend = new VerdictLegend;
    bar->addPermanentWidget(m_legend);
    connect(&zoneRules, &ZoneRules::changed, this, &ViewOptions::apply);

    // The status line follows the pointer and the document; the zone names follow the
    // document's facing.
    connect(&m_chart, &ChartWidget::pointedAt, this, &ViewOptions::point);
    connect(&document, &Document::changed, this, [this] {
        if (m_document.plot().facing != m_shownFacing || shownWheelChanged())
            apply();
        else
            showStatus();
    });
    connect(&document, &Document::elementsChanged, this, &ViewOptions::showStatus);
    // Over the chart and over its rulers alike.
    m_chartArea.frame().installEventFilter(this);
    m_chart.installEventFilter(this);
    m_window.installEventFilter(this);

    const int saved = m_settings.value(kZoomKey, kActualSize).toInt();
    m_zoom = std::find(std::begin(kZoomSteps), std::end(kZoomSteps), saved) != std::end(kZoomSteps)
                 ? saved
                 : kActualSize;
    apply();
}

ViewOptions::~ViewOptions() = default;

void ViewOptions::bindToggle(QAction *action, const char *key, bool byDefault)
{
    action->setChecked(m_settings.value(key, byDefault).toBool());
    connect(action, &QAction::toggled, this, [this, key](bool on) {
        m_settings.setValue(key, on);
        apply();
    });
}

void ViewOptions::setZoomPercent(int percent)
{
    percent = std::clamp(percent, kZoomSteps[0], kZoomSteps[std::size(kZoomSteps) - 1]);
    if (percent != m_zoom)
        m_settings.setValue(kZoomKey, percent);
    showZoom(percent, false);
}

void ViewOptions::showZoom(int percent, bool fitted)
{
    m_fitted = fitted;
    if (percent == m_zoom)
        return;
    m_zoom = percent;
    apply();
}

void ViewOptions::zoomToFit()
{
    if (m_fitting)
        return;
    m_fitting = true;
    // The window's size hint as its content now is: a change of size climbs the layouts one
    // at a time.
    for (int level = 0; level < 4; ++level)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QSize window = m_window.size();
    if (window == m_window.sizeHint() && m_window.screen())
        window = m_window.screen()->availableGeometry().size() -
                 (m_window.frameGeometry().size() - m_window.size());
    // What the window holds besides the chart area stays as it is; the area takes the rest.
    // Where a column beside the chart is taller than it, the chart fits below that height.
    const QSize room = window - (m_window.sizeHint() - m_chartArea.size());
    const QSize natural = m_chartArea.frame().naturalSize();
    const double fits =
        std::min(double(room.width()) / natural.width(), double(room.height()) / natural.height());
    showZoom(std::clamp(int(std::floor(fits * 100)), kZoomSteps[0],
                        kZoomSteps[std::size(kZoomSteps) - 1]),
             true);
    m_fitting = false;
}

void ViewOptions::zoomIn()
{
    const auto next = std::upper_bound(std::begin(kZoomSteps), std::end(kZoomSteps), m_zoom);
    if (next != std::end(kZoomSteps))
        setZoomPercent(*next);
}

void ViewOptions::zoomOut()
{
    const auto below = std::lower_bound(std::begin(kZoomSteps), std::end(kZoomSteps), m_zoom);
    if (below != std::begin(kZoomSteps))
        setZoomPercent(*std::prev(below));
}

ChartPaintOptions ViewOptions::paintOptions() const
{
    ChartPaintOptions options;
    options.showZones = m_showZones->isChecked();
    options.showNames = m_showNames->isChecked();
    options.facing = static_cast<int>(m_document.plot().facing);
    options.font = m_chart.font();
    if (m_showVerdicts->isChecked()) {
        options.verdicts = &rules();
        options.zoneTintKind = zoneTintKind();
    }
    const ZoneSettings settings = zoneSettings(m_document);
    if (settings.method != ZoneMethod::ByCorner) {
        options.wheel = settings;
        options.ruleSet = &m_zoneRules.ruleSet();
        if (options.zoneTintKind)
            options.wheelTintKind = options.ruleSet->find(options.zoneTintKind->kind);
    }
    return options;
}

const RoomRules *ViewOptions::zoneTintKind() const
{
    if (!m_showVerdicts->isChecked())
        return nullptr;
    const auto selected = highlightedElement(m_editor.txtRoom);
    return selected ? rules().find(std::as_const(m_editor.txtRoom).at(*selected).text) : nullptr;
}

bool ViewOptions::shownWheelChanged() const
{
    const ZoneSettings now = zoneSettings(m_document);
    return now.method != m_shownWheel.method || now.bearing != m_shownWheel.bearing ||
           now.plot != m_shownWheel.plot;
}

void ViewOptions::apply()
{
    m_shownFacing = m_document.plot().facing;
    m_shownWheel = zoneSettings(m_document);
    m_chart.setPaintOptions(paintOptions());
    m_legend->setVisible(m_showVerdicts->isChecked());
    // Beside the key a long status line gives way rather than push the key out of sight.
    m_status->setSizePolicy(m_showVerdicts->isChecked() ? QSizePolicy::Ignored
                                                        : QSizePolicy::Preferred,
                            QSizePolicy::Preferred);
    m_chart.setSnapScales(m_snapToFeet->isChecked() ? &m_editor.scales : nullptr);

    m_chartArea.frame().setZoom(m_zoom / 100.0);
    m_chartArea.fit();
    m_zoomIn->setEnabled(m_zoom < kZoomSteps[std::size(kZoomSteps) - 1]);
    m_zoomOut->setEnabled(m_zoom > kZoomSteps[0]);

    const bool statusShown = m_showStatusBar->isChecked();
    m_window.statusBar()->setVisible(statusShown);
    // The pointer is followed only while something shows where it is.
    m_chart.setMouseTracking(statusShown);
    showStatus();
}

void ViewOptions::point(int index)
{
    m_pointed = index;
    showStatus();
}

void ViewOptions::showStatus()
{
    // A room selected, dragged or let go changes which kind's verdicts tint the zones: the
    // whole chart is painted again only then, never for a step of a drag.
    if (zoneTintKind() != m_chart.paintOptions().zoneTintKind)
        m_chart.setPaintOptions(paintOptions());
    const ZoneSettings settings = zoneSettings(m_document);
    // On a wheel the rules it judges by are named beside the status line.
    const bool ruleSetShown = settings.method != ZoneMethod::ByCorner;
    if (ruleSetShown)
        m_ruleSet->setText("Rules: " + QString::fromStdString(m_zoneRules.ruleSet().name));
    m_ruleSet->setVisible(ruleSetShown);
    if (!m_showStatusBar->isChecked())
        return;
    const int facing = static_cast<int>(m_document.plot().facing);
    const bool verdicts = m_showVerdicts->isChecked();
    const int index = m_pointed != 0 ? m_pointed : highlightedElement(m_editor.txtRoom).value_or(0);
    if (index == 0 && !verdicts) {
        // Cleared again, a label would lay the status bar out anew at every paint.
        if (!m_status->text().isEmpty())
            static_cast<StatusLabel *>(m_status)->setStatus(QString());
        return;
    }
    // On a wheel a judged room is told by its shares, an entrance by its pada; the plot must
    // be measured for either.
    const bool wheel = settings.method != ZoneMethod::ByCorner && m_editor.scales.isSet();
    std::string text;
    if (index != 0 && wheel)
        text = zoneStatusText(m_editor.txtRoom.at(index), index, settings, m_zoneRules.ruleSet(),
                              rules());
    if (index != 0 && text.empty())
        text = statusText(m_editor, index, facing, rules(), verdicts);
    if (index == 0 && verdicts) {
        VerdictCounts counts;
        if (wheel) {
            for (const RoomJudgement &room :
                 analyseZones(m_editor.txtRoom, settings, m_zoneRules.ruleSet(), rules()).rooms)
                countVerdict(counts, room.verdict);
        } else {
            counts = countVerdicts(judgeRooms(m_editor.txtRoom, facing, rules()));
        }
        text = verdictSummary(counts);
    }
    static_cast<StatusLabel *>(m_status)->setStatus(QString::fromStdString(text));
}

const RuleTable &ViewOptions::rules() const
{
    return m_zoneRules.table();
}

bool ViewOptions::eventFilter(QObject *watched, QEvent *event)
{
    // Shown, the window knows its screen and its frame.
    if (watched == &m_window && event->type() == QEvent::Show)
        m_chartArea.fit();
    // Sized by the user, a fitted chart fits again.
    if (watched == &m_window && event->type() == QEvent::Resize && m_fitted &&
        m_window.size() != m_window.sizeHint())
        zoomToFit();
    if (watched != &m_window && event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int notches = wheel->angleDelta().y() / kWheelNotch;
            for (int i = 0; i < notches; ++i)
                zoomIn();
            for (int i = 0; i > notches; --i)
                zoomOut();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tessel
