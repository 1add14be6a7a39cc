#include "ui/chart_painter.h"

#include "analysis/rule_set.h"
#include "analysis/rule_table.h"
#include "analysis/verdict.h"
#include "analysis/wheel.h"
#include "analysis/zone.h"
#include "model/chart.h"
#include "model/plot.h"
#include "model/sight.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <optional>

namespace tessel {

namespace {

constexpr double kTwipsPerInch = 1440.0;

// Twips; the guide lines cut the chart into 3 x 3 fields. They are drawing only.
constexpr double kGuideX[] = {1590, 3180};
constexpr double kGuideY[] = {1580, 3180};

const QColor kBackground(192, 192, 192);
const QColor kElementFill(255, 255, 255);
const QColor kHighlightFill(0, 255, 0);
// Doors and entrances stand out against the white rooms, their black walls and the grey plot.
const QColor kOpeningLine(200, 0, 0);
// Pixels; an opening's line is centred on its box of no thickness.
constexpr double kOpeningLineWidth = 3;

// Faint enough to leave the rooms in front, dark enough to read on white, green and grey.
const QColor kZoneInk(0, 0, 160, 150);
// Black reads on the white and the light green fill alike.
const QColor kNameInk(0, 0, 0);

// Pixels by which painting reaches beyond an element's box: its border, or an opening's line.
constexpr double kPaintReach = 3;

// Alpha of a zone region's tint: faint enough to leave the guide lines and the zone names
// readable.
constexpr int kZoneTintAlpha = 90;
// Pixels: the frame of a verdict's ink inside a selected room, whose fill stays green.
constexpr double kSelectedVerdictFrame = 3;

QColor fillOf(const ChartElement &element, const QColor &plain)
{
    if (element.fillOverride)
        return QColor::fromRgb(*element.fillOverride);
    return element.highlighted ? kHighlightFill : plain;
}

// A box of no width or no height drawn as a band across its line.
QRectF openingLine(const QRectF &rect)
{
    const double half = kOpeningLineWidth / 2;
    return rect.width() == 0 ? rect.adjusted(-half, 0, half, 0) : rect.adjusted(0, -half, 0, half);
}

// A border is drawn on the pixels right of and below its box's right and bottom edges: one on
// the chart's own right or bottom edge is drawn on the chart's last pixel instead.
QRectF insideChart(QRectF rect, double extent)
{
    const double last = std::ceil(extent) - 1;
    if (rect.right() > last && rect.left() < last)
        rect.setRight(last);
    if (rect.bottom() > last && rect.top() < last)
        rect.setBottom(last);
    return rect;
}

// Room names laid out once per name and box size in one painting, each as a small picture of
// its letters: a chart full of rooms of one kind lays out one name, not thousands.
class NameStamps
{
public:
    NameStamps(const QFont &font, const QPaintDevice &device)
        : m_font(font, &device)
        , m_metrics(m_font, &device)
        , m_asText(dynamic_cast<const QPagedPaintDevice *>(&device) != nullptr)
    {}

    // Draws a room's name centred in its box (pixels), broken between words where it is too
    // wide and cut off at the box's edges.
    void draw(QPainter &painter, const QRectF &box, const std::string &name)
    {
        const QString text = QString::fromStdString(name);
        if (m_asText) {
            // On a page the names stay text that can be found and copied.
            painter.save();
            painter.setFont(m_font);
            painter.setPen(kNameInk);
            painter.setClipRect(box, Qt::IntersectClip);
            painter.drawText(box.adjusted(1, 1, -1, -1), kFlags, text);
            painter.restore();
            return;
        }
        const Key key{text, qRound(box.width()), qRound(box.height())};
        auto found = m_stamps.find(key);
        if (found == m_stamps.end())
            found = m_stamps.insert(key, make(text, box.size()));
        if (!found->image.isNull())
            painter.drawImage(box.topLeft() + found->offset, found->image);
    }

private:
    struct Key
    {
        QString text;
        int width, height;
        bool operator==(const Key &) const = default;
        friend size_t qHash(const Key &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.text, key.width, key.height);
        }
    };
    struct Stamp
    {
        QImage image;
        QPointF offset; // from the box's top-left corner
    };

    static constexpr int kFlags = Qt::AlignCenter | Qt::TextWordWrap;

    Stamp make(const QString &text, const QSizeF &size) const
    {
        // A pixel clear of the border on every side.
        const QRectF inside(1, 1, size.width() - 2, size.height() - 2);
        const QRect pixels = m_metrics.boundingRect(inside, kFlags, text)
                                 .intersected(inside)
                                 .toAlignedRect()
                                 .intersected(inside.toRect());
        if (pixels.isEmpty())
            return {};
        QImage image(pixels.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setFont(m_font);
        painter.setPen(kNameInk);
        painter.translate(-pixels.topLeft());
        painter.drawText(inside, kFlags, text);
        return {image, pixels.topLeft()};
    }

    QFont m_font;
    QFontMetricsF m_metrics;
    bool m_asText;
    QHash<Key, Stamp> m_stamps;
};

// Where two zones meet: halfway between the last whole twip of one and the first of the next,
// so that a line lies between the corners that the classification tells apart.
constexpr double between(double last, double first)
{
    return (last + first) / 2;
}

using G = ZoneGrid;
constexpr double kColumnBounds[] = {between(G::kLeftColumnEnd, G::kMiddleColumnStart),
                                    between(G::kMiddleColumnEnd, G::kRightColumnStart)};
constexpr double kRowBounds[] = {G::kTopRowEnd + 0.5, G::kMiddleRowEnd + 0.5};
constexpr double kCentreColumnBound = between(G::kCentreLeftEnd, G::kCentreRightStart);
constexpr double kCentreRowBound = G::kCentreUpperEnd + 0.5;

// The regions of one zone each, twips: the eight outer cells and the centre's quadrants.
std::vector<QRectF> zoneRegions()
{
    const double xs[] = {0, kColumnBounds[0], kColumnBounds[1], kChartExtent};
    const double ys[] = {0, kRowBounds[0], kRowBounds[1], kChartExtent};
    std::vector<QRectF> regions;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRectF cell(QPointF(xs[column], ys[row]), QPointF(xs[column + 1], ys[row + 1]));
            if (row != 1 || column != 1) {
                regions.push_back(cell);
                continue;
            }
            const QPointF centre(kCentreColumnBound, kCentreRowBound);
            regions.push_back(QRectF(cell.topLeft(), centre));
            regions.push_back(
                QRectF(QPointF(centre.x(), cell.top()), QPointF(cell.right(), centre.y())));
            regions.push_back(
                QRectF(QPointF(cell.left(), centre.y()), QPointF(centre.x(), cell.bottom())));
            regions.push_back(QRectF(centre, cell.bottomRight()));
        }
    }
    return regions;
}

void paintZones(QPainter &painter, double scale, int facing)
{
    const double extent = kChartExtent * scale;
    painter.setPen(QPen(kZoneInk, 0, Qt::DashLine));
    for (const double x : kColumnBounds)
        painter.drawLine(QPointF(x * scale, 0), QPointF(x * scale, extent));
    for (const double y : kRowBounds)
        painter.drawLine(QPointF(0, y * scale), QPointF(extent, y * scale));
    painter.drawLine(QPointF(kCentreColumnBound * scale, kRowBounds[0] * scale),
                     QPointF(kCentreColumnBound * scale, kRowBounds[1] * scale));
    painter.drawLine(QPointF(kColumnBounds[0] * scale, kCentreRowBound * scale),
                     QPointF(kColumnBounds[1] * scale, kCentreRowBound * scale));

    // Each region is named from the classification of its first whole twip, at its top-left
    // corner: the corner of a room is what decides its zone. Where the name is too long for
    // the region it is given by its initials ("NW").
    const double padding = 3;
    const QFontMetricsF metrics(painter.font());
    for (const QRectF &region : zoneRegions()) {
        const auto zone = ClassifyZone(std::ceil(region.left()), std::ceil(region.top()), facing);
        if (!zone)
            continue;
        const QRectF box = QRectF(region.topLeft() * scale, region.bottomRight() * scale)
                               .adjusted(padding, padding, -padding, -padding);
        const std::string_view name = zoneName(*zone);
        QString label = QString::fromUtf8(name.data(), qsizetype(name.size()));
        if (metrics.horizontalAdvance(label) > box.width()) {
            QString initials;
            for (const QChar c : label) {
                if (c.isUpper())
                    initials += c;
            }
            label = initials;
        }
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, label);
    }
}

// The plan over the whole chart (extent: pixels a side), only where it is exposed: an image of
// the chart's size in device pixels is copied, not scaled.
void paintPlanImage(QPainter &painter, const QImage &image, double opacity, double extent,
                    const QRectF &exposed)
{
    const QRectF target = exposed.intersected(QRectF(0, 0, extent, extent));
    if (target.isEmpty())
        return;
    const double across = image.width() / extent;
    const double down = image.height() / extent;
    const QRectF source(target.left() * across, target.top() * down, target.width() * across,
                        target.height() * down);
    const double before = painter.opacity();
    painter.setOpacity(opacity);
    painter.drawImage(target, image, source);
    painter.setOpacity(before);
}

QPointF atScale(ChartPoint point, double scale)
{
    return {point.x * scale, point.y * scale};
}

QPolygonF outlineAtScale(const std::vector<ChartPoint> &outline, double scale)
{
    QPolygonF polygon;
    polygon.reserve(qsizetype(outline.size()));
    for (const ChartPoint point : outline)
        polygon << atScale(point, scale);
    return polygon;
}

QString zoneLabel(WheelZone zone)
{
    const std::string_view name = wheelZoneName(zone);
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

// The north arrow's circle: at least this many pixels of radius, as on a screen at 100 %, and
// this share of the chart's side on a larger chart or a page.
constexpr double kNorthArrowRadius = 20;
constexpr double kNorthArrowShare = 0.04;
const QColor kNorthArrowFace(255, 255, 255, 200);
const QColor kNorthArrowInk(120, 0, 0);

// The wheel's lines from the centre to the plot's edge, the zone names and the Brahmasthan.
void paintWheel(QPainter &painter, const WheelDrawing &drawing, double scale, const QRectF &exposed)
{
    painter.setPen(QPen(kZoneInk, 0, Qt::DashLine));
    for (const auto &[from, to] : drawing.boundaries)
        painter.drawLine(atScale(from, scale), atScale(to, scale));
    const ChartRect &middle = drawing.brahmasthan;
    const QRectF brahmasthan(middle.left * scale, middle.top * scale, middle.width * scale,
                             middle.height * scale);
    painter.setPen(QPen(kZoneInk, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(brahmasthan);

    const QFontMetricsF metrics(painter.font());
    painter.setPen(kZoneInk);
    const QString centreName = QStringLiteral("Brahmasthan");
    if (metrics.horizontalAdvance(centreName) + 6 < brahmasthan.width() &&
        brahmasthan.intersects(exposed)) {
        painter.drawText(brahmasthan.adjusted(3, 3, -3, -3), Qt::AlignHCenter | Qt::AlignTop,
                         centreName);
    }
    for (const WheelDrawing::Region &region : drawing.regions) {
        const QString label = zoneLabel(region.zone);
        const QPointF anchor = atScale(region.labelAnchor, scale);
        const QSizeF size(metrics.horizontalAdvance(label) + 2, metrics.height());
        const QRectF box(anchor - QPointF(size.width() / 2, size.height() / 2), size);
        // A step of a drag repaints a room's area: names elsewhere are not laid out again.
        if (box.intersects(exposed))
            painter.drawText(box, Qt::AlignCenter, label);
    }
}

// A small compass needle in a circle: north is where the line from the plot's centre to the
// north tip points on the chart, which a plot of other proportions than the chart's square
// turns away from the bearing itself.
void paintNorthArrow(QPainter &painter, const WheelDrawing &drawing, double scale)
{
    const double extent = kChartExtent * scale;
    const double radius = std::max(kNorthArrowRadius, extent * kNorthArrowShare);
    const double inset = radius * 0.3;
    const QRectF circle(extent - inset - 2 * radius, inset, 2 * radius, 2 * radius);
    const QPointF towards = atScale(drawing.northTip, scale) - atScale(drawing.centre, scale);
    const double length = std::hypot(towards.x(), towards.y());
    if (length <= 0)
        return;
    const QPointF along = towards / length;
    const QPointF across(-along.y(), along.x());
    const QPointF centre = circle.center();
    const double reach = radius * 0.8;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kNorthArrowInk, radius / 20));
    painter.setBrush(kNorthArrowFace);
    painter.drawEllipse(circle);
    // A needle from the far side of the circle towards north, the letter N beyond its tip.
    const QPointF tip = centre + along * (reach * 0.3);
    const QPointF tail = centre - along * reach;
    const QPointF waist = centre - along * (reach * 0.35);
    const QPointF side = across * (reach / 4);
    painter.setBrush(kNorthArrowInk);
    painter.drawPolygon(QPolygonF{tip, waist + side, tail, waist - side});
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(8, int(radius * 0.6)));
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QPointF letter = centre + along * (reach * 0.7);
    const QSizeF size(metrics.horizontalAdvance(QLatin1Char('N')) + 2, metrics.height());
    painter.drawText(QRectF(letter - QPointF(size.width() / 2, size.height() / 2), size),
                     Qt::AlignCenter, QStringLiteral("N"));
    painter.restore();
}

// Qt hands a fill of 96 lines or more to its thread pool, whose hand-over costs more than a
// faint tint over a room's area: a step of a drag paints an area that small, and a tint over it
// is filled in bands of this many pixels. A larger area is filled at once.
constexpr double kTintBand = 64;
constexpr double kBandedHeight = 512;

// Calls `fill` with the painter clipped to each band of `area` in turn.
template<class Fill>
void fillInBands(QPainter &painter, const QRectF &area, Fill fill)
{
    if (area.height() > kBandedHeight) {
        fill();
        return;
    }
    for (double top = area.top(); top < area.bottom(); top += kTintBand) {
        painter.save();
        painter.setClipRect(
            QRectF(area.left(), top, area.width(), std::min(kTintBand, area.bottom() - top)),
            Qt::IntersectClip);
        fill();
        painter.restore();
    }
}

// A zone's faint tint in a verdict's look over `area` (pixels, exposed): `fill` fills the zone's
// shape with each brush in turn, the tint and then the pattern in its ink.
template<class Fill>
void paintTint(QPainter &painter, const QRectF &area, Verdict verdict, Fill fill)
{
    const VerdictLook look = verdictLook(verdict);
    QColor tint = look.fill;
    tint.setAlpha(kZoneTintAlpha);
    QColor ink = look.ink;
    ink.setAlpha(kZoneTintAlpha);
    const QBrush tintBrush(tint);
    const QBrush patternBrush(ink, look.pattern);
    fillInBands(painter, area, [&] {
        fill(tintBrush);
        if (look.pattern != Qt::SolidPattern)
            fill(patternBrush);
    });
}

// Each wedge of the wheel in the tint of the verdict `kind` would have there.
void paintWheelTints(QPainter &painter, const WheelDrawing &drawing, double scale,
                     const QRectF &exposed, const KindVerdicts &kind)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    for (const WheelDrawing::Region &region : drawing.regions) {
        const QPolygonF outline = outlineAtScale(region.outline, scale);
        const QRectF area = outline.boundingRect().intersected(exposed);
        if (area.isEmpty())
            continue;
        paintTint(painter, area, kind.in(region.zone), [&](const QBrush &brush) {
            painter.setBrush(brush);
            painter.drawPolygon(outline);
        });
    }
    painter.restore();
}

// The verdict a room's fill shows: none for what the report leaves out, and none while a
// colour of its own (a just deleted opening) stands in for the fill.
Verdict verdictOf(const ChartElement &element, const RuleTable &rules, int facing)
{
    if (element.fillOverride || isDeleted(element))
        return Verdict::NotJudged;
    const auto zone = ClassifyZone(element.left, element.top, facing);
    return zone ? judge(rules, element.text, *zone) : Verdict::NotJudged;
}

// On a wheel a room shows the verdict of its main zone.
Verdict wheelVerdictOf(const ChartElement &element, int index, const RuleTable &rules,
                       const ZoneSettings &settings, const RuleSet &ruleSet)
{
    if (element.fillOverride)
        return Verdict::NotJudged;
    const auto judged = judgeRoom(element, index, settings, ruleSet, rules);
    return judged ? judged->verdict : Verdict::NotJudged;
}

// Each zone region in the tint of the verdict a room of `kind` would have there.
void paintZoneTints(QPainter &painter, double scale, int facing, const QRectF &exposed,
                    const RoomRules &kind)
{
    for (const QRectF &region : zoneRegions()) {
        const auto zone = ClassifyZone(std::ceil(region.left()), std::ceil(region.top()), facing);
        if (!zone)
            continue;
        // Only what is exposed: a step of a drag repaints a room's area, not the zones'.
        const QRectF pixels =
            QRectF(region.topLeft() * scale, region.bottomRight() * scale).intersected(exposed);
        if (pixels.isEmpty())
            continue;
        paintTint(painter, pixels, judge(kind, *zone),
                  [&](const QBrush &brush) { painter.fillRect(pixels, brush); });
    }
}

// A room's fill in its verdict's look; a selected room keeps its green and shows the verdict
// by a frame and the pattern in the verdict's ink.
void paintVerdictFill(QPainter &painter, const QRectF &rect, const ChartElement &element,
                      Verdict verdict)
{
    const VerdictLook look = verdictLook(verdict);
    if (element.highlighted) {
        painter.fillRect(rect, fillOf(element, kElementFill));
        const double frame = std::min({kSelectedVerdictFrame, rect.width() / 2, rect.height() / 2});
        painter.fillRect(rect.adjusted(0, 0, 0, frame - rect.height()), look.ink);
        painter.fillRect(rect.adjusted(0, rect.height() - frame, 0, 0), look.ink);
        painter.fillRect(rect.adjusted(0, 0, frame - rect.width(), 0), look.ink);
        painter.fillRect(rect.adjusted(rect.width() - frame, 0, 0, 0), look.ink);
    } else {
        painter.fillRect(rect, look.fill);
    }
    if (look.pattern != Qt::SolidPattern)
        painter.fillRect(rect, QBrush(look.ink, look.pattern));
}

} // namespace

VerdictLook verdictLook(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Best:
        return {QColor(158, 202, 225), QColor(33, 102, 172), Qt::SolidPattern};
    case Verdict::MoveAdvised:
        return {QColor(253, 190, 133), QColor(217, 95, 2), Qt::BDiagPattern};
    case Verdict::Acceptable:
    case Verdict::NotJudged:
        break;
    }
    return {QColor(232, 232, 232), QColor(110, 110, 110), Qt::Dense6Pattern};
}

namespace {

constexpr Verdict kLegendVerdicts[] = {Verdict::Best, Verdict::Acceptable, Verdict::MoveAdvised};

QString legendText(Verdict verdict)
{
    const std::string_view name = verdictName(verdict);
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

} // namespace

QSizeF verdictLegendSize(const QFont &font, const QPaintDevice &device)
{
    const QFontMetricsF metrics(font, &device);
    const double swatch = metrics.height();
    double width = 0;
    for (const Verdict verdict : kLegendVerdicts)
        width += swatch * 1.5 + metrics.horizontalAdvance(legendText(verdict)) + swatch;
    return {width, swatch};
}

void paintVerdictLegend(QPainter &painter, const QPointF &topLeft, const QFont &font)
{
    painter.save();
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double swatch = metrics.height();
    double x = topLeft.x();
    for (const Verdict verdict : kLegendVerdicts) {
        const QRectF box(x, topLeft.y(), swatch, swatch);
        const VerdictLook look = verdictLook(verdict);
        painter.fillRect(box, look.fill);
        if (look.pattern != Qt::SolidPattern)
            painter.fillRect(box, QBrush(look.ink, look.pattern));
        painter.setPen(QPen(look.ink, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
        painter.setPen(kNameInk);
        const QString text = legendText(verdict);
        x += swatch * 1.5;
        painter.drawText(QRectF(x, topLeft.y(), metrics.horizontalAdvance(text) + 1, swatch),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        x += metrics.horizontalAdvance(text) + swatch;
    }
    painter.restore();
}

double pixelsPerTwip(const QPaintDevice &device)
{
    return device.logicalDpiX() / kTwipsPerInch;
}

int twipsToPixels(double twips, const QPaintDevice &device)
{
    return static_cast<int>(std::lround(twips * pixelsPerTwip(device)));
}

QRectF elementRect(const ChartElement &element, double scale)
{
    return QRectF(element.left * scale, element.top * scale, element.width * scale,
                  element.height * scale);
}

QRect elementRepaintRect(const ChartElement &element, double scale)
{
    return elementRect(element, scale).adjusted(-2, -2, 2, 2).toAlignedRect();
}

void paintChart(QPainter &painter, const ChartTable &table, double scale, const QRectF &exposed,
                const ChartPaintOptions &options)
{
    const double extent = kChartExtent * scale;
    painter.fillRect(exposed, kBackground);
    if (options.planImage && !options.planImage->isNull())
        paintPlanImage(painter, *options.planImage, options.planOpacity, extent, exposed);
    // A wheel is drawn only where it can be: on a measured plot, with a rule set to judge by.
    const bool onWheel =
        options.wheel && options.wheel->method != ZoneMethod::ByCorner && options.ruleSet;
    std::optional<WheelDrawing> wheel;
    if (onWheel)
        wheel = drawWheel(options.wheel->wheel());
    if (options.verdicts && wheel && options.wheelTintKind)
        paintWheelTints(painter, *wheel, scale, exposed, *options.wheelTintKind);
    else if (options.verdicts && !onWheel && options.zoneTintKind)
        paintZoneTints(painter, scale, options.facing, exposed, *options.zoneTintKind);

    painter.setPen(QPen(Qt::black, 0));
    for (const double x : kGuideX)
        painter.drawLine(QPointF(x * scale, 0), QPointF(x * scale, extent));
    for (const double y : kGuideY)
        painter.drawLine(QPointF(0, y * scale), QPointF(extent, y * scale));

    // The test of what shows is made in twips, before any element is converted: a full chart
    // has tens of thousands of them, most of them hidden behind others.
    const QRect area = exposed.toAlignedRect();
    const ChartArea twips{area.left() / scale, area.top() / scale, (area.right() + 1) / scale,
                          (area.bottom() + 1) / scale};
    std::optional<NameStamps> names;
    if (options.showNames)
        names.emplace(options.font, *painter.device());
    for (const int index : elementsInSight(table, twips, 1 / scale, kPaintReach / scale)) {
        const ChartElement &element = table.at(index);
        const QRectF rect = elementRect(element, scale);
        if (element.width == 0 || element.height == 0) {
            // Doors and entrances are boxes of no thickness: they show as a line.
            painter.fillRect(openingLine(rect), fillOf(element, kOpeningLine));
            continue;
        }
        Verdict verdict = Verdict::NotJudged;
        if (options.verdicts && onWheel) {
            verdict =
                wheelVerdictOf(element, index, *options.verdicts, *options.wheel, *options.ruleSet);
        } else if (options.verdicts) {
            verdict = verdictOf(element, *options.verdicts, options.facing);
        }
        if (verdict != Verdict::NotJudged)
            paintVerdictFill(painter, rect, element, verdict);
        else
            painter.fillRect(rect, fillOf(element, kElementFill));
        if (element.borderStyle != 0) {
            painter.setPen(QPen(Qt::black, 0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(insideChart(rect, extent));
        }
        if (names && kindOf(element.text) == ElementKind::Room)
            names->draw(painter, rect, element.text);
    }

    if (options.showZones) {
        painter.setFont(options.font);
        if (wheel)
            paintWheel(painter, *wheel, scale, exposed);
        else if (!onWheel)
            paintZones(painter, scale, options.facing);
    }
    if (wheel && !wheel->boundaries.empty()) {
        painter.setFont(options.font);
        paintNorthArrow(painter, *wheel, scale);
    }
}

} // namespace tessel
