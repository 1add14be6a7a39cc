#include "ui/report_pdf.h"

#include "analysis/zone_texts.h"

#include "analysis/report.h"
#include "analysis/rule_table.h"
#include "analysis/verdict.h"
#include "analysis/zone.h"
#include "model/plot.h"
#include "ui/chart_painter.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>

#include <algorithm>
#include <utility>

namespace tessel {

namespace {

// Device pixels per inch of the PDF: fine enough for the chart's lines.
constexpr int kResolution = 600;
// Millimetres around every page.
constexpr double kMargin = 18;
// Of the page's width, the chart's side.
constexpr double kChartShare = 0.7;

QString fromStd(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QFont fontOf(double points, bool bold)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Writes the lines of the first page and the room table, starting a page where one is full.
class PageWriter
{
public:
    PageWriter(QPdfWriter &writer, QPainter &painter)
        : m_writer(writer)
        , m_painter(painter)
        , m_page(writer.pageLayout().paintRectPixels(kResolution))
    {}

    double width() const { return m_page.width(); }
    double y() const { return m_y; }
    void skip(double height) { m_y += height; }

    // Room for `height` more on this page, or a new page.
    void reserve(double height)
    {
        if (m_y + height > m_page.height() && m_y > 0) {
            m_writer.newPage();
            m_y = 0;
        }
    }

    void line(const QString &text, const QFont &font, Qt::Alignment alignment = Qt::AlignLeft)
    {
        const double height = QFontMetricsF(font, &m_writer).lineSpacing();
        reserve(height);
        m_painter.setFont(font);
        m_painter.setPen(Qt::black);
        m_painter.drawText(QRectF(0, m_y, width(), height), alignment | Qt::AlignVCenter, text);
        m_y += height;
    }

    // One row of the room table: the cells side by side from the given fractions of the width.
    void row(const QStringList &cells, const QFont &font)
    {
        static constexpr double kColumns[] = {0, 0.36, 0.54, 0.76};
        row(cells, font, kColumns);
    }

    // A cell too long for its column goes on over further lines; the row is as tall as its
    // tallest cell.
    template<std::size_t N>
    void row(const QStringList &cells, const QFont &font, const double (&kColumns)[N])
    {
        const QFontMetricsF metrics(font, &m_writer);
        const double line = metrics.lineSpacing();
        const auto bounds = [&](qsizetype i) {
            const double left = kColumns[i] * width();
            const double right = i + 1 < qsizetype(N) ? kColumns[i + 1] * width() : width();
            return std::pair(left, right - left);
        };
        constexpr int kFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
        double tallest = line;
        for (qsizetype i = 0; i < cells.size() && i < qsizetype(N); ++i) {
            const auto [left, columnWidth] = bounds(i);
            tallest = std::max(
                tallest,
                metrics.boundingRect(QRectF(0, 0, columnWidth, 1e6), kFlags, cells[i]).height());
        }
        const double height = tallest + line * 0.2;
        reserve(height);
        m_painter.setFont(font);
        m_painter.setPen(Qt::black);
        for (qsizetype i = 0; i < cells.size() && i < qsizetype(N); ++i) {
            const auto [left, columnWidth] = bounds(i);
            m_painter.drawText(QRectF(left, m_y, columnWidth, height), kFlags, cells[i]);
        }
        m_y += height;
    }

private:
    QPdfWriter &m_writer;
    QPainter &m_painter;
    QRect m_page;
    double m_y = 0;
};

QString plotLine(const ReportSubject &subject)
{
    const QString facing =
        subject.facing >= 0 && subject.facing < int(kFacingNames.size())
            ? QStringLiteral("facing ") + QString::fromLatin1(kFacingNames[subject.facing])
            : QStringLiteral("no facing chosen");
    if (subject.plotLength.empty() && subject.plotWidth.empty())
        return (subject.readFromFile ? QStringLiteral("The layout file holds no plot size; ")
                                     : QStringLiteral("No plot size was entered; ")) +
               facing;
    const auto feet = [](const std::string &typed, const char *measure, const char *missing) {
        return typed.empty() ? QLatin1String(missing) + QStringLiteral(" not given")
                             : fromStd(typed) + QStringLiteral(" ft ") + QLatin1String(measure);
    };
    return QStringLiteral("Plot: %1, %2, %3")
        .arg(feet(subject.plotLength, "long", "length"), feet(subject.plotWidth, "wide", "width"),
             facing);
}

// On a wheel: the wheel named, every judged room's shares, main zone and verdict, then each
// entrance's pada.
void paintWheelTable(PageWriter &page, const ReportSubject &subject, const RuleTable &rules)
{
    const ZoneAnalysis analysis =
        analyseZones(subject.table, *subject.wheel, subject.ruleSet, rules);
    const ZoneSettings &settings = analysis.settings;
    page.line(QStringLiteral("%1-zone wheel from the plot's centre, bearing %2 degrees, rules: %3")
                  .arg(wheelZoneCount(settings.method))
                  .arg(fromStd(formatBearing(settings.bearing)), fromStd(analysis.ruleSetName)),
              fontOf(10, true));
    // Shares of a large room run long: the table is set a point smaller than the corner's.
    static constexpr double kColumns[] = {0, 0.2, 0.7, 0.82};
    page.row({QStringLiteral("Room"), QStringLiteral("Shares"), QStringLiteral("Main zone"),
              QStringLiteral("Verdict")},
             fontOf(8, true), kColumns);
    const QFont cellFont = fontOf(8, false);
    for (const RoomJudgement &room : analysis.rooms) {
        QString shares = room.shares ? fromStd(sharesText(*room.shares)) : QString();
        if (room.shares && room.shares->brahmasthan > 0) {
            shares +=
                QStringLiteral("; Brahmasthan %1 %").arg(qRound(room.shares->brahmasthan * 100));
        }
        // A share breaks between zones, never within "SE 72 %".
        shares.replace(QRegularExpression(QStringLiteral(" (?=[0-9%])")), QChar(0x00A0));
        page.row({fromStd(subject.table.at(room.index).text), shares,
                  fromStd(wheelZoneName(room.mainZone)), fromStd(verdictName(room.verdict))},
                 cellFont, kColumns);
    }
    for (const EntranceJudgement &entrance : analysis.entrances)
        page.line(fromStd(entranceStatusText(entrance)), cellFont);
}

void paintFirstPages(QPdfWriter &writer, QPainter &painter, const ReportSubject &subject)
{
    const RuleTable rules;
    // A selection is the window's business, not the page's.
    ChartTable chart = subject.table;
    for (int i = 1; i <= chart.elementCount(); ++i) {
        if (std::as_const(chart).at(i).highlighted)
            chart.at(i).highlighted = false;
    }
    PageWriter page(writer, painter);
    page.line(fromStd(kReportTitle), fontOf(16, true), Qt::AlignHCenter);
    page.skip(QFontMetricsF(fontOf(10, false), &writer).lineSpacing() / 2);
    page.line(plotLine(subject), fontOf(10, false), Qt::AlignHCenter);
    page.skip(QFontMetricsF(fontOf(10, false), &writer).lineSpacing());

    // The chart as the screen draws it with every overlay on, centred.
    const double side = page.width() * kChartShare;
    const QPointF corner((page.width() - side) / 2, page.y());
    ChartPaintOptions options;
    options.showZones = true;
    options.showNames = true;
    options.facing = subject.facing;
    options.font = fontOf(7, false);
    options.verdicts = &rules;
    const bool onWheel = subject.wheel && subject.wheel->method != ZoneMethod::ByCorner;
    if (onWheel) {
        options.wheel = subject.wheel;
        options.ruleSet = &subject.ruleSet;
    }
    if (!subject.planImage.isNull()) {
        options.planImage = &subject.planImage;
        options.planOpacity = subject.planOpacity;
    }
    painter.save();
    painter.translate(corner);
    painter.setClipRect(QRectF(0, 0, side, side));
    paintChart(painter, chart, side / kChartExtent, QRectF(0, 0, side, side), options);
    painter.restore();
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(QRectF(corner, QSizeF(side, side)));
    page.skip(side);

    const QFont legendFont = fontOf(8, false);
    page.skip(QFontMetricsF(legendFont, &writer).lineSpacing() / 2);
    const QSizeF legend = verdictLegendSize(legendFont, writer);
    paintVerdictLegend(painter, QPointF((page.width() - legend.width()) / 2, page.y()), legendFont);
    page.skip(legend.height() * 2);

    if (onWheel) {
        paintWheelTable(page, subject, rules);
        return;
    }
    const std::vector<RoomVerdict> verdicts = judgeRooms(subject.table, subject.facing, rules);
    page.line(fromStd(verdictSummary(countVerdicts(verdicts))), fontOf(10, true));
    const QFont cellFont = fontOf(9, false);
    page.row({QStringLiteral("Room"), QStringLiteral("Zone"), QStringLiteral("Verdict"),
              QStringLiteral("Best zone")},
             fontOf(9, true));
    for (const RoomVerdict &room : verdicts) {
        const auto &best = room.rules->bestZone;
        page.row({fromStd(subject.table.at(room.index).text), fromStd(zoneName(room.zone)),
                  fromStd(verdictName(room.verdict)),
                  best ? fromStd(zoneName(*best)) : QStringLiteral("none named")},
                 cellFont);
    }
}

// The report text page by page, laid out as a printed document is.
void paintReportText(QPdfWriter &writer, QPainter &painter, const std::string &report)
{
    QString text = QString::fromStdString(report);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    const RtfFont font = reportFont();
    QFont textFont(QString::fromStdString(font.name));
    textFont.setPointSizeF(font.pointSize);
    textFont.setBold(font.bold);
    document.setDefaultFont(textFont);
    document.setDocumentMargin(0);
    const QRect pageRect = writer.pageLayout().paintRectPixels(kResolution);
    document.setPageSize(QSizeF(pageRect.size()));
    document.setPlainText(text);
    const double height = pageRect.height();
    for (int i = 0; i < document.pageCount(); ++i) {
        writer.newPage();
        painter.save();
        painter.translate(0, -i * height);
        document.drawContents(&painter, QRectF(0, i * height, pageRect.width(), height));
        painter.restore();
    }
}

} // namespace

QPageSize localPageSize(const QLocale &locale)
{
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

QByteArray renderReportPdf(const ReportSubject &subject, const std::string &report,
                           const QPageSize &pageSize)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait,
                                         QMarginsF(kMargin, kMargin, kMargin, kMargin),
                                         QPageLayout::Millimeter));
        writer.setTitle(QStringLiteral("Tessel Analysis"));
        writer.setCreator(QStringLiteral("Tessel"));
        QPainter painter(&writer);
        paintFirstPages(writer, painter, subject);
        paintReportText(writer, painter, report);
    }
    return bytes;
}

} // namespace tessel
