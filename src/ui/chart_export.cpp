#include "ui/chart_export.h"

#include "model/chart.h"
#include "model/dialogs.h"
#include "storage/image_naming.h"
#include "ui/chart_painter.h"
#include "ui/chart_widget.h"
#include "ui/qt_file_access.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

#include <cmath>
#include <optional>

namespace tessel {

namespace {

constexpr double kMetresPerInch = 0.0254;

// The JPEG at quality 100, or the reason it could not be made.
std::optional<QByteArray> encodeJpeg(const QImage &image, QString &reason)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(100);
    if (!writer.write(image)) {
        reason = writer.errorString();
        return std::nullopt;
    }
    return bytes;
}

} // namespace

QImage renderChartImage(const ChartTable &table, const ChartWidget &chart)
{
    // One pixel of the image for each pixel of the screen, also where the screen is scaled.
    const double ratio = chart.devicePixelRatioF();
    QImage image(chart.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.setDotsPerMeterX(
        static_cast<int>(std::lround(chart.logicalDpiX() * ratio / kMetresPerInch)));
    image.setDotsPerMeterY(
        static_cast<int>(std::lround(chart.logicalDpiY() * ratio / kMetresPerInch)));
    QPainter painter(&image);
    paintChart(painter, table, chart.scale(), QRectF(QPointF(), chart.size()),
               chart.paintOptions());
    return image;
}

std::string ChartImageExporter::ExportChartImage(const ChartTable &table, const ChartWidget &chart)
{
    // Before the dialog, so that nothing of it can show in the picture.
    const QImage image = renderChartImage(table, chart);

    const auto chosen = m_dialogs.askCopyFileName("JPEG Image (*.jpg)", "jpg", m_previousName);
    if (!chosen || chosen->empty())
        return {};
    m_previousName = *chosen;

    const ImageTarget target = imageTarget(*chosen);
    QtFileAccess files;
    const std::string path = MakeUniqueImagePath(
        target.folder, target.file,
        [&files](const std::string &candidate) { return files.exists(candidate); }, m_dialogs);
    if (path.empty())
        return {};

    // Made in memory first and written like the layout file: a failed write leaves no file
    // behind and says why.
    QString reason;
    std::optional<std::string> failure;
    if (const auto jpeg = encodeJpeg(image, reason))
        failure = files.writeAtomically(path, std::string_view(jpeg->constData(), jpeg->size()));
    else
        failure = reason.toStdString();
    if (failure) {
        m_dialogs.showMessage("The chart image could not be saved as " + path + ":\n" + *failure,
                              Icon::Critical);
        return {};
    }
    return path;
}

} // namespace tessel
