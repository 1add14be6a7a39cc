#include "analysis/report.h"
#include "fake_dialogs.h"
#include "storage/layout_file.h"
#include "ui/chart_widget.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/print_job.h"
#include "ui/report_view.h"
#include "window_fixture.h"
#include "window_support.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using tessel::FrmDisplay;
using tessel::FrmMain;
using tessel::testing::FakeDialogs;
using tessel::testing::findControl;

// One request from the plot entry to a saved report, a saved and reopened layout and a
// chart image, once through the buttons and once through the menu items where there are any.
class EndToEndTest : public QObject, public tessel::testing::WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void oneRequest_data();
    void oneRequest();

private:
    template<typename T = QWidget>
    T *find(const char *name) const
    {
        return findControl<T>(*m_window, name);
    }
    QPushButton *button(const char *name) const { return find<QPushButton>(name); }
    // Presses the button, or with menu items triggers the item, that runs a command.
    void run(const QObject &window, const char *button, const char *menuItem) const;
    QPoint at(double x, double y) const { return QPointF(x * m_scale, y * m_scale).toPoint(); }
    void drag(QPoint from, QPoint to) const;
    void openingSteps(const char *start, const char *option, const char *ok, const char *box,
                      const char *length, const char *sizeOk) const;
    static QByteArray bytesOf(const QString &path);

    tessel::ChartWidget *m_chart = nullptr;
    double m_scale = 0; // pixels per twip
    bool m_menus = false;
};

void EndToEndTest::init()
{
    QVERIFY(openWindow());
    m_chart = find<tessel::ChartWidget>("picRoomLocation");
    m_scale = m_chart->logicalDpiX() / 1440.0;
}

void EndToEndTest::cleanup()
{
    QVERIFY2(closeWindow(), "a dialog was shown that the test did not answer");
}

void EndToEndTest::run(const QObject &window, const char *button, const char *menuItem) const
{
    if (m_menus && menuItem)
        findControl<QAction>(window, menuItem)->trigger();
    else
        findControl<QPushButton>(window, button)->click();
}

void EndToEndTest::drag(QPoint from, QPoint to) const
{
    QTest::mousePress(m_chart, Qt::LeftButton, {}, from);
    QTest::mouseMove(m_chart, (from + to) / 2);
    QTest::mouseMove(m_chart, to);
    QTest::mouseRelease(m_chart, Qt::LeftButton, {}, to);
}

void EndToEndTest::openingSteps(const char *start, const char *option, const char *ok,
                                const char *box, const char *length, const char *sizeOk) const
{
    button(start)->click();
    find<QRadioButton>(option)->click();
    button(ok)->click();
    QTest::keyClicks(find(box), length);
    button(sizeOk)->click();
}

QByteArray EndToEndTest::bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void EndToEndTest::oneRequest_data()
{
    QTest::addColumn<bool>("menus");
    QTest::newRow("buttons") << false;
    QTest::newRow("menu items") << true;
}

void EndToEndTest::oneRequest()
{
    QFETCH(bool, menus);
    m_menus = menus;
    const QImage emptyChart = m_chart->grab().toImage();
    const tessel::ChartTable &table = m_window->editor().txtRoom;

    // Plot 60 by 30 feet facing North, a kitchen of 10 by 10 feet from the list.
    QTest::keyClicks(find("txtPlotLength"), "60");
    QTest::keyClicks(find("txtPlotWidth"), "30");
    QCOMPARE(find<QComboBox>("cmbDirection")->currentText(), "North");
    button("cmdDefaultRoom")->click();
    auto *list = find<QListWidget>("lstRoom");
    const auto kitchen = list->findItems("Kitchen", Qt::MatchExactly);
    QCOMPARE(kitchen.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(kitchen.front()).center());
    QCOMPARE(find<QLineEdit>("txtAddRoomName")->text(), "Kitchen");
    QTest::keyClicks(find("txtLength"), "10");
    QTest::keyClicks(find("txtwidth"), "10");
    button("cmdOK")->click();
    QCOMPARE(table.elementCount(), 1);
    QCOMPARE(table.at(1).width, 1600.0f);
    QCOMPARE(table.at(1).height, 800.0f);

    // Into the south-east of the plot; selected; a door and the main entrance on it.
    drag(at(800, 400), at(800, 400) + at(3200, 3300));
    QVERIFY(table.at(1).left >= 3187 && table.at(1).top > 3187);
    const QPoint middle = at(table.at(1).left + 800, table.at(1).top + 400);
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, middle);
    m_dialogs->textAnswers = {"1"};
    openingSteps("cmdDoor", "optSouth", "cmdDoorDirectionOk", "txtDoorWidth", "3", "cmdDoorOk");
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, middle);
    openingSteps("cmdFrontEntrence", "optMEEast", "cmdMEDirectionOk", "txtMELength", "5",
                 "cmdMEOk");
    QCOMPARE(table.elementCount(), 3);
    QCOMPARE(table.at(2).text, "");
    QCOMPARE(table.at(3).text, "Main Entrance");
    QCOMPARE(m_dialogs->messages.size(), std::size_t(1)); // "Now Drag The Room ..."
    m_dialogs->clear();

    // The report, in place of the chart.
    run(*m_window, "cmdAnalysis", "mnuVastuInformation");
    auto *display = m_window->findChild<FrmDisplay *>("frmDisplay");
    QVERIFY(display && display->isVisible());
    QVERIFY(!m_window->isVisible());
    auto *view = findControl<tessel::ReportView>(*display, "txtRoomAnalysis");
    const QString report = QString::fromStdString(tessel::RunAnalysis(table, 0));
    QCOMPARE(view->toPlainText(), QString(report).replace("\r\n", "\n"));
    QCOMPARE(view->line(2), QString(42, ' ') + "TESSEL ANALYSIS");
    QCOMPARE(view->line(4), "Analysis for Kitchen :-");
    QCOMPARE(view->line(5), "Kitchen Is in the SouthEast direction.");
    QVERIFY(view->line(7).size() > 40);

    // Printed to a PDF file, saved as rich text, left.
    const QString pdf = m_dir->filePath("report.pdf");
    m_dialogs->printerAnswers = {true};
    m_dialogs->printer = [&pdf](tessel::PrintJob &job) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        job.print(printer);
    };
    findControl<QPushButton>(*display, "cmdPrint")->click();
    QVERIFY(bytesOf(pdf).startsWith("%PDF-"));
    const QString rtf = m_dir->filePath("report.rtf");
    m_dialogs->fileAnswers = {rtf.toStdString()};
    findControl<QPushButton>(*display, "cmdSave")->click();
    const QByteArray saved = bytesOf(rtf);
    QVERIFY(saved.startsWith("{\\rtf1"));
    QVERIFY(saved.contains("Analysis for Kitchen :-"));
    run(*display, "cmdBack", "mnuBack");
    QVERIFY(m_window->isVisible());
    QTRY_VERIFY(!m_window->findChild<FrmDisplay *>());
    QVERIFY(m_dialogs->messages.empty());

    // Saved without a back entrance: the file holds the chart, which is emptied.
    const std::string layout = tessel::writeLayout(table);
    m_dialogs->yesNoAnswers = {false, true};
    run(*m_window, "Command2", "mnuSave");
    QCOMPARE(m_dialogs->questions.size(), std::size_t(2));
    QCOMPARE(m_dialogs->questions[0].text, "There is no Back Entrance\r\nDo you want To create ?");
    QCOMPARE(m_dialogs->questions[1].text, "Do You Want to Save Lay Out of Your Plot?");
    QCOMPARE(bytesOf(m_dir->filePath("Structure.txt")).toStdString(), layout);
    QCOMPARE(table.elementCount(), 0);
    QCOMPARE(m_chart->grab().toImage(), emptyChart);

    // Opened again: the same elements, added to a chart that had a room.
    m_dialogs->clear();
    m_dialogs->yesNoAnswers = {true};
    run(*m_window, "cmdOpen", "mnuOpen");
    QCOMPARE(m_dialogs->questions.size(), std::size_t(1));
    QCOMPARE(tessel::writeLayout(table), layout);
    QCOMPARE(button("cmdFrontEntrence")->text(), "Delete Main Entrance");

    // The chart as a JPEG image of its size.
    m_dialogs->fileAnswers = {m_dir->filePath("chart").toStdString()};
    run(*m_window, "cmdSaveAsJPEG", "mnuJPEG");
    QImageReader reader(m_dir->filePath("chart.jpg"));
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage image = reader.read().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), m_chart->size() * m_chart->devicePixelRatio());
    QImage oneColour(image.size(), image.format());
    oneColour.fill(image.pixel(0, 0));
    QVERIFY(image != oneColour);
    QVERIFY(m_dialogs->messages.empty());
}

QTEST_MAIN(EndToEndTest)
#include "end_to_end_test.moc"
