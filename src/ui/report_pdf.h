#pragma once

#include "analysis/rule_set.h"
#include "analysis/zone_analysis.h"
#include "model/chart.h"
#include "storage/rtf.h"

#include <QByteArray>
#include <QImage>
#include <QLocale>
#include <QPageSize>

#include <string>

namespace tessel {

// What a report was made from: the chart as it stood and the plot as the user entered it.
struct ReportSubject
{
    ChartTable table;
    // The plot fields as typed, in feet.
    std::string plotLength;
    std::string plotWidth;
    // The cmbDirection entry; -1 when none.
    int facing = -1;
    // The plan image as the chart shows it, decoded (null when there is none or it is hidden),
    // and its opacity, 0 to 1.
    QImage planImage = {};
    double planOpacity = 1;
    // Read from a layout file rather than taken from the window: a plot size missing is then
    // the file's.
    bool readFromFile = false;
    // The zone wheel the report judged by and its rule set; none: the zones by the corner.
    std::optional<ZoneSettings> wheel = {};
    RuleSet ruleSet = {};
};

// The font of the report as printed, saved as rich text and set in the PDF.
inline RtfFont reportFont()
{
    return {"Verdana", 8.25, true};
}

// A4, or Letter where the locale measures in US units.
QPageSize localPageSize(const QLocale &locale = QLocale());

// The report as a PDF document. The first page gives the title, the plot's size and facing, the
// chart drawn by the one chart painter over its plan image with its zones, room names and
// verdict tints, and a table of every judged room (it goes on over further pages as needed);
// on a wheel the chart shows the wheel and the table gives each room's shares, main zone and
// verdict, then each entrance's pada; the report text follows from a new page, exactly as produced,
// in the font of the printed report. All text is text. Needs a QGuiApplication for its fonts, not a
// display.
QByteArray renderReportPdf(const ReportSubject &subject, const std::string &report,
                           const QPageSize &pageSize);

} // namespace tessel
