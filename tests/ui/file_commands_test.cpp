#include "fake_dialogs.h"
#include "sample_plan.h"
#include "storage/layout_file.h"
#include "ui/chart_widget.h"
#include "ui/frm_main.h"
#include "window_fixture.h"
#include "window_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tessel;
using tessel::testing::FakeDialogs;

namespace {

// Counts the paint events of a widget.
class PaintCounter : public QObject, public tessel::testing::WindowFixture
{
public:
    explicit PaintCounter(QWidget *widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }
    int paints = 0;

    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

// Saving, opening and exporting from the main window's buttons and File menu.
class FileCommandsTest : public QObject, public tessel::testing::WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveThenOpen_data();
    void saveThenOpen();
    void openBeforeMeasuringFocusesThePlotLength();
    void anUnwritableFolderKeepsChartAndFile_data();
    void anUnwritableFolderKeepsChartAndFile();
    void exportWritesTheChartAsOnScreen();

private:
    template<typename T>
    T *find(const char *name) const
    {
        return testing::findControl<T>(*m_window, name);
    }
    QPushButton *button(const char *name) const { return find<QPushButton>(name); }
    // Presses the button, or triggers the menu item, of that name.
    void run(const QString &name) const;
    void loadSamplePlan();
    QString layoutPath() const { return m_dir->filePath("Structure.txt"); }
    static QByteArray bytesOf(const QString &path);
};

void FileCommandsTest::init()
{
    QVERIFY(openWindow());
}

void FileCommandsTest::cleanup()
{
    QVERIFY2(closeWindow(), "a dialog was shown that the test did not answer");
}

void FileCommandsTest::run(const QString &name) const
{
    if (name.startsWith("mnu"))
        find<QAction>(name.toLatin1().constData())->trigger();
    else
        button(name.toLatin1().constData())->click();
}

void FileCommandsTest::loadSamplePlan()
{
    startWith(testing::samplePlan());
}

QByteArray FileCommandsTest::bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void FileCommandsTest::saveThenOpen_data()
{
    QTest::addColumn<QString>("save");
    QTest::addColumn<QString>("open");
    QTest::newRow("buttons") << "Command2"
                             << "cmdOpen";
    QTest::newRow("menu items") << "mnuSave"
                                << "mnuOpen";
}

// A save writes the chart and empties it with everything about it; an open brings it back.
void FileCommandsTest::saveThenOpen()
{
    QFETCH(QString, save);
    QFETCH(QString, open);
    loadSamplePlan();
    const std::string chart = writeLayout(editor().txtRoom);
    const QImage planOnScreen = find<ChartWidget>("picRoomLocation")->grab().toImage();
    button("cmdOpen")->setEnabled(false);
    // Paints still pending from showing the window do not count.
    QTest::qWait(20);
    auto *painted = new PaintCounter(find<ChartWidget>("picRoomLocation"));

    m_dialogs->yesNoAnswers = {true};
    run(save);
    QTRY_VERIFY(painted->paints > 0);
    QCOMPARE(m_dialogs->questions.size(), std::size_t(1));
    QCOMPARE(m_dialogs->questions[0].text, "Do You Want to Save Lay Out of Your Plot?");
    QVERIFY(m_dialogs->messages.empty());
    QCOMPARE(bytesOf(layoutPath()).toStdString(), chart);
    QCOMPARE(editor().txtRoom.elementCount(), 0);
    QVERIFY(button("Command2")->isEnabled());
    QVERIFY(button("cmdOpen")->isEnabled());
    QCOMPARE(button("cmdFrontEntrence")->text(), "Main Entrance");
    QCOMPARE(button("cmdBackEntrence")->text(), "Back Entrance");

    // A room was created, so the open asks.
    m_dialogs->yesNoAnswers = {true};
    painted->paints = 0;
    run(open);
    QTRY_VERIFY(painted->paints > 0);
    QCOMPARE(writeLayout(editor().txtRoom), chart);
    QCOMPARE(find<ChartWidget>("picRoomLocation")->grab().toImage(), planOnScreen);
    QVERIFY(!button("cmdOpen")->isEnabled());
    QVERIFY(button("Command2")->isEnabled());
    QCOMPARE(button("cmdFrontEntrence")->text(), "Delete Main Entrance");
    QCOMPARE(button("cmdBackEntrence")->text(), "Delete Back Entrance");
    QCOMPARE(editor().mainEntranceIndex, 4);

    // The menu item opens whatever the button's state: the file is appended once more.
    m_dialogs->yesNoAnswers = {true};
    find<QAction>("mnuOpen")->trigger();
    QCOMPARE(editor().txtRoom.elementCount(), 10);
    QCOMPARE(editor().mainEntranceIndex, 9);
}

void FileCommandsTest::openBeforeMeasuringFocusesThePlotLength()
{
    QFile file(layoutPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("1,\"Hall\",0,0,800,800,0\r\n");
    file.close();
    button("cmdOpen")->setFocus();

    button("cmdOpen")->click();
    QCOMPARE(m_dialogs->messages, (std::vector<FakeDialogs::Shown>{
                                      {"Please reduced scale measure", Icon::Information}}));
    QCOMPARE(QApplication::focusWidget(), find<QLineEdit>("txtPlotLength"));
    QCOMPARE(editor().txtRoom.elementCount(), 0);
    QVERIFY(button("cmdOpen")->isEnabled());
}

void FileCommandsTest::anUnwritableFolderKeepsChartAndFile_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("a file in place of the folder") << "blocker";
    QTest::newRow("a missing folder") << "missing/plans";
}

// Read-only folders and full disks are tried where the file is written (layout_files_test).
void FileCommandsTest::anUnwritableFolderKeepsChartAndFile()
{
    QFETCH(QString, folder);
    const QByteArray blocker = "1,\"Hall\",0,0,800,800,0\r\n";
    QFile file(m_dir->filePath("blocker"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(blocker);
    file.close();
    const QString target = m_dir->filePath(folder);
    m_window->setLayoutFolder(target);
    loadSamplePlan();
    const std::string chart = writeLayout(editor().txtRoom);
    button("cmdOpen")->setEnabled(false);

    m_dialogs->yesNoAnswers = {true};
    button("Command2")->click();

    QCOMPARE(m_dialogs->messages.size(), std::size_t(1));
    QCOMPARE(m_dialogs->messages[0].icon, Icon::Critical);
    QVERIFY(m_dialogs->lastMessage().find(QDir(target).filePath("Structure.txt").toStdString()) !=
            std::string::npos);
    QCOMPARE(writeLayout(editor().txtRoom), chart);
    QVERIFY(!button("cmdOpen")->isEnabled());
    QCOMPARE(button("cmdFrontEntrence")->text(), "Delete Main Entrance");
    QCOMPARE(bytesOf(m_dir->filePath("blocker")), blocker);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"blocker"});
}

// The button and the menu item export alike: numbered copies, each the picture on screen.
void FileCommandsTest::exportWritesTheChartAsOnScreen()
{
    loadSamplePlan();
    auto *chart = find<ChartWidget>("picRoomLocation");
    const QImage screen = chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const std::string chosen = m_dir->filePath("chart").toStdString();
    m_dialogs->fileAnswers = {chosen, chosen};

    button("cmdSaveAsJPEG")->click();
    find<QAction>("mnuJPEG")->trigger();
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
             (QStringList{"chart.jpg", "chart_001.jpg"}));
    QVERIFY(m_dialogs->messages.empty());

    QImageReader reader(m_dir->filePath("chart_001.jpg"));
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage image = reader.read().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), chart->size() * chart->devicePixelRatio());
    QCOMPARE(screen.size(), image.size());
    QImage oneColour(image.size(), image.format());
    oneColour.fill(image.pixel(0, 0));
    QVERIFY(image != oneColour);
    QVERIFY2(testing::meanDifference(image, screen) < 1.5, "the image differs from the screen");
}

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
