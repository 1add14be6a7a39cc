#include "fake_dialogs.h"
#include "file_faults.h"
#include "sample_plan.h"
#include "ui/chart_export.h"
#include "ui/chart_widget.h"
#include "ui/document.h"
#include "window_support.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdlib>

using namespace tessel;
using tessel::testing::meanDifference;

namespace {

// Records what the save dialog was opened with. It is the dialog that does not offer to
// replace a file: the export numbers copies instead.
class RecordingDialogs : public testing::FakeDialogs
{
public:
    struct Asked
    {
        std::string filter, suffix, startName;
    };
    std::vector<Asked> asked;

    std::optional<std::string> askCopyFileName(const std::string &filter, const std::string &suffix,
                                               const std::string &startName) override
    {
        asked.push_back({filter, suffix, startName});
        return FakeDialogs::askSaveFileName(filter, suffix, startName);
    }
};

} // namespace

class ChartExportTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void copiesAreNumberedAndTheLastNameOffered();
    void targetNames_data();
    void targetNames();
    void tooManyCopiesWritesNothing();
    void cancellingWritesNothing();
    void theJpegShowsTheChartAtItsPixelSize();
    void bordersOnTheChartsEdgesAreDrawnInside();
    void anUnwritableFolderIsReported();
    void aFullDiskIsReportedAndLeavesNoFile();

private:
    std::string inDir(const QString &name) const { return m_dir->filePath(name).toStdString(); }
    QStringList files() const { return QDir(m_dir->path()).entryList(QDir::Files); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Document> m_document;
    std::unique_ptr<ChartWidget> m_chart;
    RecordingDialogs m_dialogs;
    std::unique_ptr<ChartImageExporter> m_exporter;
};

void ChartExportTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    ChartTable table = testing::samplePlan().txtRoom;
    table.at(2).highlighted = true;
    m_document = std::make_unique<Document>();
    m_document->load(std::move(table), PlotState{"60", "30"}, QString(), false);
    m_chart = std::make_unique<ChartWidget>(*m_document);
    m_chart->show();
    m_dialogs = RecordingDialogs();
    m_exporter = std::make_unique<ChartImageExporter>(m_dialogs);
}

void ChartExportTest::cleanup()
{
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(m_dialogs.unanswered.empty());
    m_exporter.reset();
    m_chart.reset();
    m_document.reset();
    m_dir.reset();
}

void ChartExportTest::copiesAreNumberedAndTheLastNameOffered()
{
    const std::string chosen = inDir("chart");
    m_dialogs.fileAnswers = {chosen, chosen, chosen};
    for (const char *expected : {"chart.jpg", "chart_001.jpg", "chart_002.jpg"})
        QCOMPARE(m_exporter->ExportChartImage(m_document->table(), *m_chart), inDir(expected));
    QCOMPARE(files(), (QStringList{"chart.jpg", "chart_001.jpg", "chart_002.jpg"}));

    QCOMPARE(m_dialogs.asked.size(), std::size_t(3));
    QCOMPARE(m_dialogs.asked[0].filter, std::string("JPEG Image (*.jpg)"));
    QCOMPARE(m_dialogs.asked[0].suffix, std::string("jpg"));
    QCOMPARE(m_dialogs.asked[0].startName, std::string());
    QCOMPARE(m_dialogs.asked[1].startName, chosen);
    QVERIFY(m_dialogs.messages.empty());
}

void ChartExportTest::targetNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "plan"
                                  << "plan.jpg";
    QTest::newRow("another extension") << "plan.png"
                                       << "plan.jpg";
    QTest::newRow("two dots") << "my.plan.jpg"
                              << "my.jpg";
    QTest::newRow("a folder with a dot") << "site.plans/chart"
                                         << "site.plans/chart.jpg";
}

void ChartExportTest::targetNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QVERIFY(QDir(m_dir->path()).mkpath("site.plans"));
    m_dialogs.fileAnswers = {inDir(chosen)};
    QCOMPARE(m_exporter->ExportChartImage(m_document->table(), *m_chart), inDir(written));
    QVERIFY(QFile::exists(m_dir->filePath(written)));
}

void ChartExportTest::tooManyCopiesWritesNothing()
{
    QStringList taken{"chart.jpg"};
    for (int copy = 1; copy <= 999; ++copy)
        taken << QString("chart_%1.jpg").arg(copy, 3, 10, QChar('0'));
    for (const QString &name : taken) {
        QFile file(m_dir->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    m_dialogs.fileAnswers = {inDir("chart.png")};
    QCOMPARE(m_exporter->ExportChartImage(m_document->table(), *m_chart), std::string());
    QCOMPARE(files().size(), taken.size());
    QCOMPARE(m_dialogs.titledMessages.size(), std::size_t(1));
    QCOMPARE(m_dialogs.titledMessages[0].text,
             std::string("There are too many Copies of this file  chart.jpg"));
}

void ChartExportTest::cancellingWritesNothing()
{
    m_dialogs.fileAnswers = {std::nullopt};
    QCOMPARE(m_exporter->ExportChartImage(m_document->table(), *m_chart), std::string());
    QVERIFY(files().isEmpty());
    QVERIFY(m_dialogs.messages.empty());
}

void ChartExportTest::theJpegShowsTheChartAtItsPixelSize()
{
    m_dialogs.fileAnswers = {inDir("chart")};
    const std::string path = m_exporter->ExportChartImage(m_document->table(), *m_chart);
    QImageReader reader(QString::fromStdString(path));
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage image = reader.read();
    // On a scaled screen too: one pixel of the image for each pixel of the screen.
    QCOMPARE(image.size(), m_chart->size() * m_chart->devicePixelRatioF());

    const QImage screen = m_chart->grab().toImage();
    QVERIFY2(meanDifference(image, screen) < 1.5, "the image differs from the screen");
    // The measure tells charts apart: an empty chart is far from it.
    const ChartTable empty;
    const QImage emptyChart = renderChartImage(empty, *m_chart);
    QVERIFY(meanDifference(emptyChart, screen) > 5 * meanDifference(image, screen));
}

void ChartExportTest::bordersOnTheChartsEdgesAreDrawnInside()
{
    Editor editor;
    testing::addElement(editor, "Hall", 2400, 2400, 2400, 2400);
    const QImage image = renderChartImage(editor.txtRoom, *m_chart);
    const int last = image.width() - 1;
    for (const QPoint at : {QPoint(last, image.height() * 3 / 4), QPoint(last * 3 / 4, last)})
        QCOMPARE(QColor(image.pixel(at)), QColor(Qt::black));
}

void ChartExportTest::anUnwritableFolderIsReported()
{
    QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));
    testing::WithoutPermissionOverride asUser;
    if (QFile probe(m_dir->filePath("probe")); probe.open(QIODevice::WriteOnly))
        QSKIP("this process can write into read-only folders");

    m_dialogs.fileAnswers = {inDir("chart")};
    QCOMPARE(m_exporter->ExportChartImage(m_document->table(), *m_chart), std::string());
    QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
    QCOMPARE(m_dialogs.messages[0].icon, Icon::Critical);
    QVERIFY(m_dialogs.lastMessage().find(inDir("chart.jpg")) != std::string::npos);
    QVERIFY(files().isEmpty());
}

void ChartExportTest::aFullDiskIsReportedAndLeavesNoFile()
{
    m_dialogs.fileAnswers = {inDir("chart")};
    {
        testing::FileSizeLimit fullAfter(1000);
        QCOMPARE(m_exporter->ExportChartImage(m_document->table(), *m_chart), std::string());
    }
    QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
    QCOMPARE(m_dialogs.lastMessage(),
             "The chart image could not be saved as " + inDir("chart.jpg") + ":\nFile too large");
    QVERIFY(files().isEmpty());
}

QTEST_MAIN(ChartExportTest)
#include "chart_export_test.moc"
