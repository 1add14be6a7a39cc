#pragma once

#include "analysis/zone_analysis.h"

#include <QColor>
#include <QFont>
#include <QRectF>

#include <optional>

class QImage;
class QPainter;
class QPaintDevice;

namespace tessel {

class ChartTable;
class RuleTable;
struct ChartElement;
struct KindVerdicts;
struct RoomRules;
struct RuleSet;
enum class Verdict;

// Twips reach the screen through the logical resolution: 1440 twips per logical inch.
double pixelsPerTwip(const QPaintDevice &device);
// A length in twips as whole pixels of that device.
int twipsToPixels(double twips, const QPaintDevice &device);

// An element's box in pixels of a chart drawn at the given resolution.
QRectF elementRect(const ChartElement &element, double pixelsPerTwip);
// The whole pixels an element's painting reaches, its border and line included: what must be
// repainted when it moves or changes.
QRect elementRepaintRect(const ChartElement &element, double pixelsPerTwip);

// What the chart shows beyond the plot and its elements. The default shows nothing more.
struct ChartPaintOptions
{
    // The bounds the zone classification uses, dashed, each region named by its zone.
    bool showZones = false;
    // Each room's name inside its box.
    bool showNames = false;
    // The cmbDirection entry the zones are named for; without one they are not named.
    int facing = -1;
    // Of the zone names and the room names.
    QFont font;
    // The plan image under the elements, stretched over the whole chart, at this opacity
    // (0 to 1); none when null. Drawn fastest at the chart's own size in device pixels.
    const QImage *planImage = nullptr;
    double planOpacity = 1;
    // Each judged room tinted by its verdict on a plot of `facing`; null: every room keeps its
    // plain fill.
    const RuleTable *verdicts = nullptr;
    // With verdicts: the kind whose verdict in each zone tints that zone's region faintly, to
    // show where a room of it would go (the selected or dragged room's); null: none.
    const RoomRules *zoneTintKind = nullptr;
    // The zones read from a wheel instead of the top-left corners: with showZones its lines,
    // zone names and the Brahmasthan are drawn turned by its bearing, and a north arrow shows
    // the bearing whenever a wheel is chosen. With verdicts, a room is tinted by its main
    // zone's verdict in `ruleSet` and each wedge by the verdict of `wheelTintKind` there. None:
    // the zones by the corner, as above.
    std::optional<ZoneSettings> wheel;
    const RuleSet *ruleSet = nullptr;
    const KindVerdicts *wheelTintKind = nullptr;
};

// The look of a verdict: a tint, a darker ink of the same family and a pattern in that ink,
// so that the three tell apart without their colours (blue solid, grey dotted, orange
// hatched).
struct VerdictLook
{
    QColor fill;
    QColor ink;
    Qt::BrushStyle pattern;
};
VerdictLook verdictLook(Verdict verdict);

// The key to the verdict tints: a swatch and the verdict's name for each of the three, in a
// row. Its size in pixels of `device`, and its painting from `topLeft`.
QSizeF verdictLegendSize(const QFont &font, const QPaintDevice &device);
void paintVerdictLegend(QPainter &painter, const QPointF &topLeft, const QFont &font);

// Paints the plot chart's drawing area: the light grey plot, the guide lines and every
// visible element from the back of the stacking order to the front, then what `options` add.
// Only what meets `exposed` (pixels) is drawn. The screen and exported images both come
// from here.
void paintChart(QPainter &painter, const ChartTable &table, double pixelsPerTwip,
                const QRectF &exposed, const ChartPaintOptions &options = {});

} // namespace tessel
