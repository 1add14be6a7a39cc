#pragma once

#include <QImage>

#include <string>

namespace tessel {

class ChartTable;
class ChartWidget;
class Dialogs;

// The chart as the screen shows it, drawn off screen by the one chart painter: one image
// pixel per pixel of the chart's drawing area, at the chart's resolution, zoom and view
// options.
QImage renderChartImage(const ChartTable &table, const ChartWidget &chart);

// Exports the chart as a JPEG image; remembers the name chosen last for the next time.
class ChartImageExporter
{
public:
    explicit ChartImageExporter(Dialogs &dialogs)
        : m_dialogs(dialogs)
    {}

    // Renders the chart before any dialog shows, asks for a name, finds a free one and
    // writes the image at quality 100. The path written, or empty when nothing was.
    std::string ExportChartImage(const ChartTable &table, const ChartWidget &chart);

private:
    Dialogs &m_dialogs;
    std::string m_previousName;
};

} // namespace tessel
