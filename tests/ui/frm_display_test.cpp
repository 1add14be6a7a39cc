#include "analysis/report.h"
#include "fake_dialogs.h"
#include "file_faults.h"
#include "storage/rtf.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/print_job.h"
#include "ui/report_view.h"
#include "window_fixture.h"

#include <algorithm>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <memory>
#include <optional>

using tessel::FrmDisplay;
using tessel::Icon;
using tessel::testing::FakeDialogs;

class FrmDisplayTest : public QObject, public tessel::testing::WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void analysisShowsTheReportInPlaceOfTheChart_data();
    void analysisShowsTheReportInPlaceOfTheChart();
    void leavingReturnsToTheChartUnchanged_data();
    void leavingReturnsToTheChartUnchanged();
    void secondRunGivesTheSameReport();
    void viewScrollsByLines();
    void saveWritesTheReportAsProduced();
    void cancelledSaveWritesNothing();
    void failedSaveNamesTheFileAndTheReason_data();
    void failedSaveNamesTheFileAndTheReason();
    void failedSaveKeepsThePreviousFile_data();
    void failedSaveKeepsThePreviousFile();
    void printPrintsTheReportAsProduced();
    void cancelledPrintPrintsNothing();
    void previewShowsWhatIsPrinted();
    void pdfGivesTheChartTheRoomsAndTheReportAsText_data();
    void pdfGivesTheChartTheRoomsAndTheReportAsText();
    void failedPdfExportNamesTheFileAndTheReason();
    void pdfOnAWheelTablesTheShares();

private:
    void addRoom(const char *name, float left, float top);
    FrmDisplay *runFrom(const QString &command);
    static QString visibleText(const std::string &report);
    // The text of a PDF as pdftotext reads it, with `options`; empty without poppler-utils.
    static QString pdfText(const QString &pdf, const QStringList &options = {});
    std::string expectedReport() const;

    std::unique_ptr<QTemporaryDir> m_folder;
};

void FrmDisplayTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(openWindow());
    addRoom("Kitchen", 100, 100);
    addRoom("", 300, 300); // a door
    addRoom("Hall", 2000, 4000);
}

void FrmDisplayTest::cleanup()
{
    QVERIFY2(closeWindow(), "a dialog was shown that the test did not answer");
    m_folder.reset();
}

void FrmDisplayTest::addRoom(const char *name, float left, float top)
{
    place(name, left, top, 800, 800);
}

// Runs the analysis through the button or the menu entry and returns the report window.
FrmDisplay *FrmDisplayTest::runFrom(const QString &command)
{
    if (command == "menu")
        m_window->findChild<QAction *>("mnuVastuInformation")->trigger();
    else
        m_window->findChild<QPushButton *>("cmdAnalysis")->click();
    return m_window->findChild<FrmDisplay *>("frmDisplay");
}

QString FrmDisplayTest::visibleText(const std::string &report)
{
    return QString::fromStdString(report).replace("\r\n", "\n");
}

std::string FrmDisplayTest::expectedReport() const
{
    return tessel::RunAnalysis(m_window->editor().txtRoom, 0);
}

void FrmDisplayTest::analysisShowsTheReportInPlaceOfTheChart_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("button") << "button";
    QTest::newRow("menu") << "menu";
}

void FrmDisplayTest::analysisShowsTheReportInPlaceOfTheChart()
{
    QFETCH(QString, command);
    FrmDisplay *display = runFrom(command);
    QVERIFY(display);
    QVERIFY(QTest::qWaitForWindowExposed(display));
    QVERIFY(display->isWindow());
    QVERIFY(!m_window->isVisible());
    QCOMPARE(display->windowTitle(), "Tessel v1.45");
    auto *view = display->findChild<tessel::ReportView *>("txtRoomAnalysis");
    QVERIFY(view && view->isVisible());
    QCOMPARE(view->toPlainText(), visibleText(expectedReport()));
    QVERIFY(view->toPlainText().contains("Analysis for Hall :-\nHall Is in the South direction."));
    QVERIFY(display->findChild<QTextDocument *>("RTB"));
    const char *const buttons[][2] = {
        {"cmdPrint", "&Print"}, {"cmdSave", "&Save"}, {"cmdBack", "&Back"}};
    for (const auto &button : buttons)
        QCOMPARE(display->findChild<QPushButton *>(button[0])->text(), button[1]);
    QCOMPARE(display->findChild<QAction *>("mnuBack")->text(), "&Back");

    QTest::keySequence(view, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), visibleText(expectedReport()));
}

void FrmDisplayTest::leavingReturnsToTheChartUnchanged_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Back") << "cmdBack";
    QTest::newRow("menu Back") << "mnuBack";
    QTest::newRow("close box") << "close";
}

void FrmDisplayTest::leavingReturnsToTheChartUnchanged()
{
    QFETCH(QString, how);
    m_window->findChild<QLineEdit *>("txtPlotLength")->setText("60");
    m_window->findChild<QComboBox *>("cmbDirection")->setCurrentIndex(2);
    const QRect geometry = m_window->geometry();
    const tessel::ChartTable before = m_window->editor().txtRoom;

    QPointer<FrmDisplay> display = runFrom("button");
    QVERIFY(display);
    if (how == "close")
        display->close();
    else if (how == "mnuBack")
        display->findChild<QAction *>("mnuBack")->trigger();
    else
        display->findChild<QPushButton *>("cmdBack")->click();

    QVERIFY(m_window->isVisible());
    QTRY_VERIFY(display.isNull());
    QCOMPARE(m_window->geometry(), geometry);
    QCOMPARE(m_window->findChild<QLineEdit *>("txtPlotLength")->text(), "60");
    QCOMPARE(m_window->findChild<QComboBox *>("cmbDirection")->currentIndex(), 2);
    const tessel::ChartTable &after = m_window->editor().txtRoom;
    QCOMPARE(after.elementCount(), before.elementCount());
    for (int i = 1; i <= after.elementCount(); ++i) {
        QCOMPARE(after.at(i).text, before.at(i).text);
        QCOMPARE(after.at(i).left, before.at(i).left);
        QCOMPARE(after.at(i).top, before.at(i).top);
    }
    QCOMPARE(after.stackingOrder(), before.stackingOrder());
}

void FrmDisplayTest::secondRunGivesTheSameReport()
{
    QPointer<FrmDisplay> first = runFrom("button");
    const QString report = first->findChild<tessel::ReportView *>("txtRoomAnalysis")->toPlainText();
    first->findChild<QPushButton *>("cmdBack")->click();
    QTRY_VERIFY(first.isNull());

    FrmDisplay *second = runFrom("menu");
    QVERIFY(second);
    QCOMPARE(m_window->findChildren<FrmDisplay *>().size(), 1);
    QCOMPARE(second->findChild<tessel::ReportView *>("txtRoomAnalysis")->toPlainText(), report);
}

void FrmDisplayTest::viewScrollsByLines()
{
    tessel::ReportView view;
    view.resize(300, 200);
    view.setText("first\r\n\r\nthird \xE2\x80\x93 line\nfourth\r\n");
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.lineCount(), 5);
    QCOMPARE(view.line(0), "first");
    QCOMPARE(view.line(1), "");
    QCOMPARE(view.line(2), QString::fromUtf8("third \u2013 line"));
    QCOMPARE(view.line(4), "");
    // All five lines fit: there is nothing to scroll.
    QCOMPARE(view.verticalScrollBar()->maximum(), 0);

    // Scrolled to the end, the last line stands whole at the bottom of the page.
    std::string lines;
    for (int i = 1; i <= 40; ++i)
        lines += "line " + std::to_string(i) + "\n";
    view.setText(lines + "the last");
    QTest::keyClick(&view, Qt::Key_Down);
    QCOMPARE(view.verticalScrollBar()->value(), 1);
    const int last = view.verticalScrollBar()->maximum();
    const qreal lineHeight = QFontMetricsF(view.font()).height();
    const qreal page = view.viewport()->height() - 8;
    QVERIFY((view.lineCount() - last) * lineHeight <= page);
    QVERIFY((view.lineCount() - last + 1) * lineHeight > page);
    view.verticalScrollBar()->setValue(last);
    view.repaint();
    view.clear();
    QCOMPARE(view.lineCount(), 1);
    QCOMPARE(view.verticalScrollBar()->maximum(), 0);
}

void FrmDisplayTest::saveWritesTheReportAsProduced()
{
    FrmDisplay *display = runFrom("button");
    const QString path = m_folder->filePath("report.rtf");
    m_dialogs->fileAnswers.push_back(path.toStdString());
    display->findChild<QPushButton *>("cmdSave")->click();

    QCOMPARE(m_dialogs->prompts, std::vector<std::string>{"Rich Text Format (*.rtf)"});
    QVERIFY(m_dialogs->messages.empty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toStdString(),
             tessel::plainTextToRtf(expectedReport(), {"Verdana", 8.25, true}));
    QVERIFY(display->isVisible());
}

void FrmDisplayTest::cancelledSaveWritesNothing()
{
    FrmDisplay *display = runFrom("button");
    m_dialogs->fileAnswers.push_back(std::nullopt);
    display->findChild<QPushButton *>("cmdSave")->click();
    QVERIFY(m_dialogs->messages.empty());
    QVERIFY(QDir(m_folder->path()).isEmpty());
}

void FrmDisplayTest::failedSaveNamesTheFileAndTheReason_data()
{
    QTest::addColumn<QString>("folder");
    // A file where the folder should be, and a folder that is not there: neither can be
    // written, not even by an administrator.
    QTest::newRow("a file") << "plain file";
    QTest::newRow("missing") << "no such folder";
}

void FrmDisplayTest::failedSaveNamesTheFileAndTheReason()
{
    QFETCH(QString, folder);
    QFile plain(m_folder->filePath("plain file"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();

    FrmDisplay *display = runFrom("button");
    const std::string path = m_folder->filePath(folder + "/report.rtf").toStdString();
    m_dialogs->fileAnswers.push_back(path);
    display->findChild<QPushButton *>("cmdSave")->click();

    QCOMPARE(m_dialogs->messages.size(), 1u);
    const FakeDialogs::Shown &shown = m_dialogs->messages.front();
    QCOMPARE(shown.icon, Icon::Critical);
    QVERIFY2(shown.text.find("\"" + path + "\"") != std::string::npos, shown.text.c_str());
    QVERIFY2(!shown.text.ends_with(": "), shown.text.c_str());
    QVERIFY(display->isVisible());
}

void FrmDisplayTest::failedSaveKeepsThePreviousFile_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    // The report is smaller than a write buffer: a buffered write would fail only at commit.
    QTest::newRow("full disk") << false;
    QTest::newRow("read-only folder") << true;
}

void FrmDisplayTest::failedSaveKeepsThePreviousFile()
{
    QFETCH(bool, readOnlyFolder);
    const QString path = m_folder->filePath("report.rtf");
    const QByteArray previous(600, 'p');
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(previous);
    }
    FrmDisplay *display = runFrom("button");
    m_dialogs->fileAnswers.push_back(path.toStdString());
    {
        std::optional<tessel::testing::FileSizeLimit> fullDisk;
        std::optional<tessel::testing::WithoutPermissionOverride> asUser;
        if (readOnlyFolder) {
            QVERIFY(QFile::setPermissions(m_folder->path(), QFile::ReadOwner | QFile::ExeOwner));
            asUser.emplace();
            if (QFile probe(m_folder->filePath("probe")); probe.open(QIODevice::WriteOnly))
                QSKIP("this process can write into read-only folders");
        } else {
            fullDisk.emplace(100);
        }
        display->findChild<QPushButton *>("cmdSave")->click();
    }
    QFile::setPermissions(m_folder->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(m_dialogs->messages.size(), 1u);
    const std::string &text = m_dialogs->messages.front().text;
    QVERIFY2(text.find("\"" + path.toStdString() + "\": ") != std::string::npos, text.c_str());
    QVERIFY2(!text.ends_with(": "), text.c_str());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), previous);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{"report.rtf"});
}

void FrmDisplayTest::printPrintsTheReportAsProduced()
{
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is needed to read the printout");
    FrmDisplay *display = runFrom("button");

    const QString pdf = m_folder->filePath("report.pdf");
    m_dialogs->printerAnswers.push_back(true);
    m_dialogs->printer = [&pdf](tessel::PrintJob &job) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        job.print(printer);
    };
    display->findChild<QPushButton *>("cmdPrint")->click();
    QCOMPARE(m_dialogs->prompts, std::vector<std::string>{"Print"});

    QProcess reader;
    reader.start(pdftotext, {pdf, "-"});
    QVERIFY(reader.waitForFinished());
    // Compatibility forms undo the ligatures of the typesetting ("fl" in "influence").
    const QString printed = QString::fromUtf8(reader.readAllStandardOutput())
                                .normalized(QString::NormalizationForm_KC)
                                .simplified();
    QVERIFY2(printed.startsWith("Vastu Shastra is the sublime elucidation of your surrounding "
                                "environment and their influence on your life."),
             qPrintable(printed.left(200)));
    QVERIFY(printed.contains(QString::fromUtf8("Atharva Veda \u2013 one")));
    QVERIFY(printed.contains("North is good for the hall."));
}

void FrmDisplayTest::cancelledPrintPrintsNothing()
{
    FrmDisplay *display = runFrom("button");
    bool printed = false;
    m_dialogs->printerAnswers.push_back(false);
    m_dialogs->printer = [&printed](tessel::PrintJob &) {
        printed = true;
    };
    display->findChild<QPushButton *>("cmdPrint")->click();
    QVERIFY(!printed);
    QVERIFY(m_dialogs->messages.empty());
}

QString FrmDisplayTest::pdfText(const QString &pdf, const QStringList &options)
{
    QProcess reader;
    reader.start(QStandardPaths::findExecutable("pdftotext"), options + QStringList{pdf, "-"});
    reader.waitForFinished();
    // Compatibility forms undo the ligatures of the typesetting ("fl" in "influence").
    return QString::fromUtf8(reader.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC);
}

void FrmDisplayTest::previewShowsWhatIsPrinted()
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext (poppler-utils) is needed to read the preview");
    FrmDisplay *display = runFrom("button");
    const QString pdf = m_folder->filePath("preview.pdf");
    m_dialogs->previewer = [&pdf](tessel::PrintJob &job) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        job.print(printer);
    };
    display->findChild<QPushButton *>("cmdPrintPreview")->click();
    QCOMPARE(m_dialogs->prompts, std::vector<std::string>{"Print Preview"});
    // Laid out, so that no line end is taken for a hyphen; the printout numbers its page.
    const QString shown = pdfText(pdf, {"-layout"}).simplified();
    QVERIFY(shown.startsWith("Vastu Shastra is the sublime elucidation"));
    QVERIFY2(shown.contains("Analysis for Hall :- Hall Is in the South direction."),
             qPrintable(shown));
    QVERIFY(shown.endsWith("North is good for the hall. 1"));
}

void FrmDisplayTest::pdfGivesTheChartTheRoomsAndTheReportAsText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("pageSize");
    QTest::newRow("A4") << "de_DE"
                        << "A4";
    QTest::newRow("Letter") << "en_US"
                            << "letter";
}

void FrmDisplayTest::pdfGivesTheChartTheRoomsAndTheReportAsText()
{
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (pdfinfo.isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext and pdfinfo (poppler-utils) are needed to read the PDF");
    QFETCH(QString, locale);
    QFETCH(QString, pageSize);
    const QLocale before;
    QLocale::setDefault(QLocale(locale));
    addRoom("Master BedRoom", 100, 4000);
    addRoom("Garage", 3500, 100);
    m_window->findChild<QLineEdit *>("txtPlotLength")->setText("60");
    m_window->findChild<QLineEdit *>("txtPlotWidth")->setText("30");
    m_window->findChild<QPushButton *>("cmdMesure")->click();
    FrmDisplay *display = runFrom("button");

    const QString pdf = m_folder->filePath("report.pdf");
    m_dialogs->fileAnswers = {pdf.toStdString()};
    display->findChild<QPushButton *>("cmdExportPdf")->click();
    QLocale::setDefault(before);
    QVERIFY(m_dialogs->messages.empty());

    QProcess info;
    info.start(pdfinfo, {pdf});
    QVERIFY(info.waitForFinished());
    const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(infoText.contains(QRegularExpression("Page size:.*\\(" + pageSize + "\\)")),
             qPrintable(infoText));
    QVERIFY(infoText.contains(QRegularExpression("Pages: +[2-9]")));

    // The first page: title, plot, the chart's names and the table row by row.
    const QString laidOut = pdfText(pdf, {"-layout", "-l", "1"});
    QStringList rows;
    for (const QString &line : laidOut.split('\n'))
        rows << line.simplified();
    QVERIFY(rows.contains("TESSEL ANALYSIS"));
    QVERIFY(rows.contains("Plot: 60 ft long, 30 ft wide, facing North"));
    QVERIFY(rows.contains("3 rooms judged: 1 in their best zone, 1 acceptable, 1 move advised"));
    QVERIFY(rows.contains("Room Zone Verdict Best zone"));
    QVERIFY2(rows.contains("Kitchen North West acceptable South East"), qPrintable(laidOut));
    QVERIFY(rows.contains("Hall South move advised North"));
    QVERIFY(rows.contains("Master BedRoom South West best zone South West"));
    QVERIFY(laidOut.contains("Garage")); // named on the chart, not judged

    // Then the report, every line of it in order.
    const QString rest = pdfText(pdf, {"-layout", "-f", "2"}).simplified();
    qsizetype from = 0;
    const std::string report = tessel::RunAnalysis(m_window->editor().txtRoom, 0);
    for (const QString &line : visibleText(report).split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype at = rest.indexOf(line.simplified(), from);
        QVERIFY2(at >= 0, qPrintable(line.left(80)));
        from = at + 1;
    }
}

void FrmDisplayTest::failedPdfExportNamesTheFileAndTheReason()
{
    FrmDisplay *display = runFrom("button");
    const std::string path = m_folder->filePath("missing/report.pdf").toStdString();
    m_dialogs->fileAnswers = {path};
    display->findChild<QPushButton *>("cmdExportPdf")->click();
    QCOMPARE(m_dialogs->messages.size(), 1u);
    QCOMPARE(m_dialogs->messages[0].icon, Icon::Critical);
    const std::string expected = "The report could not be exported as \"" + path + "\": ";
    QVERIFY(m_dialogs->messages[0].text.starts_with(expected));
    QVERIFY(m_dialogs->messages[0].text.size() > expected.size());
}

void FrmDisplayTest::pdfOnAWheelTablesTheShares()
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext (poppler-utils) is needed to read the PDF");
    m_window->findChild<QLineEdit *>("txtPlotLength")->setText("60");
    m_window->findChild<QLineEdit *>("txtPlotWidth")->setText("30");
    m_window->findChild<QPushButton *>("cmdMesure")->click();
    m_window->findChild<QAction *>("mnuZonesWheel16")->trigger();
    FrmDisplay *display = runFrom("button");
    const QString pdf = m_folder->filePath("wheel.pdf");
    m_dialogs->fileAnswers = {pdf.toStdString()};
    display->findChild<QPushButton *>("cmdExportPdf")->click();
    QVERIFY(m_dialogs->messages.empty());

    QStringList rows;
    for (const QString &line : pdfText(pdf, {"-layout", "-l", "1"}).split('\n'))
        rows << line.simplified();
    QVERIFY2(rows.contains("16-zone wheel from the plot's centre, bearing 0 degrees, rules: "
                           "built-in"),
             qPrintable(rows.join('\n')));
    QVERIFY(rows.contains("Room Shares Main zone Verdict"));
    // On a plot twice as long as it is wide the chart's top-left corner lies nearer north than
    // north-west.
    QVERIFY(rows.contains("Kitchen NNW 95 %, NW 5 % NNW acceptable"));
    QVERIFY(rows.contains("Hall S 100 % S move advised"));
    // The specified table gives way to the wheel's.
    QVERIFY(!rows.contains("Room Zone Verdict Best zone"));
}

QTEST_MAIN(FrmDisplayTest)
#include "frm_display_test.moc"
