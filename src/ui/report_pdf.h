#pragma once

#include "model/chart.h"
#include "storage/rtf.h"

#include <QByteArray>
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
};

// The font of the report as printed, saved as rich text and set in the PDF.
inline RtfFont reportFont()
{
    return {"Verdana", 8.25, true};
}

// A4, or Letter where the locale measures in US units.
QPageSize localPageSize(const QLocale &locale = QLocale());

// The report as a PDF document. The first page gives the title, the plot's size and facing, the
// chart drawn by the one chart painter with its zones, room names and verdict tints, and a
// table of every judged room (it goes on over further pages as needed); the report text follows
// from a new page, exactly as produced, in the font of the printed report. All text is text.
// Needs a QGuiApplication for its fonts, not a display.
QByteArray renderReportPdf(const ReportSubject &subject, const std::string &report,
                           const QPageSize &pageSize);

} // namespace tessel
