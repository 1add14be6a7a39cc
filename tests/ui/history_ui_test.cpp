#include "fake_dialogs.h"
#include "sample_plan.h"
#include "storage/layout_file.h"
#include "ui/chart_widget.h"
#include "ui/frm_main.h"
#include "ui/undo_history.h"
#include "window_fixture.h"
#include "window_support.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tessel;
using tessel::testing::FakeDialogs;

// Undo and redo from the Edit menu, keys on the chart, and the question before closing.
class HistoryUiTest : public QObject, public tessel::testing::WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void editMenuStandsAfterFile();
    void dragIsUndoneAndRedone();
    void undoingADoorLetsOneBeMadeAgain();
    void undoingASaveBringsTheChartBack();
    void arrowKeysMoveButNotOntoARoom();
    void aRunOfKeysBackToItsStartIsNoStep();
    void theOldestStepsGoBeyondTheWeightLimit();
    void deleteKeyDeletesTheSelection_data();
    void deleteKeyDeletesTheSelection();
    void tabbingInFramesTheChart();
    void closingAsksOnlyAboutChanges_data();
    void closingAsksOnlyAboutChanges();

private:
    template<typename T = QWidget>
    T *find(const char *name) const
    {
        return testing::findControl<T>(*m_window, name);
    }
    QPushButton *button(const char *name) const { return find<QPushButton>(name); }
    QString menuText(const char *name) const { return find<QAction>(name)->text(); }
    const ChartElement &element(int index) const
    {
        return std::as_const(m_window->editor().txtRoom).at(index);
    }
    // A room made through room entry, as a user makes it.
    void createRoom(const char *name);
    // Puts an element on the chart directly.
    QPoint at(double x, double y) const;
    void keys(const QKeySequence &sequence) const { QTest::keySequence(m_window.get(), sequence); }
    static QByteArray bytesOf(const QString &path);

    ChartWidget *m_chart = nullptr;
};

void HistoryUiTest::init()
{
    QVERIFY(openWindow());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    startWith(ChartTable{});
    m_chart = find<ChartWidget>("picRoomLocation");
}

void HistoryUiTest::cleanup()
{
    QVERIFY2(closeWindow(), "a dialog was shown that the test did not answer");
}

void HistoryUiTest::createRoom(const char *name)
{
    find<QLineEdit>("txtPlotLength")->setText("60");
    find<QLineEdit>("txtPlotWidth")->setText("30");
    m_dialogs->yesNoAnswers = {true};
    button("cmdAddRoom")->click();
    find<QLineEdit>("txtAddRoomName")->setText(name);
    find<QLineEdit>("txtLength")->setText("10");
    find<QLineEdit>("txtwidth")->setText("10");
    button("cmdOK")->click();
    m_dialogs->clear();
}

QPoint HistoryUiTest::at(double x, double y) const
{
    const double scale = m_chart->logicalDpiX() / 1440.0;
    return QPointF(x * scale, y * scale).toPoint();
}

QByteArray HistoryUiTest::bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void HistoryUiTest::editMenuStandsAfterFile()
{
    const QList<QAction *> menus = m_window->menuBar()->actions();
    const auto position = [&](const char *name) {
        return menus.indexOf(find<QMenu>(name)->menuAction());
    };
    QCOMPARE(position("mnuEdit"), position("mnuFile") + 1);
    QVERIFY(position("mnuEdit") < position("mnuHelp"));
    QCOMPARE(find<QMenu>("mnuEdit")->title(), "&Edit");
    for (const char *name : {"mnuUndo", "mnuRedo"})
        QVERIFY2(!find<QAction>(name)->isEnabled(), name);
    QCOMPARE(menuText("mnuUndo"), "&Undo");
    QCOMPARE(menuText("mnuRedo"), "&Redo");
}

void HistoryUiTest::dragIsUndoneAndRedone()
{
    createRoom("Kitchen");
    QCOMPARE(menuText("mnuUndo"), "&Undo Create Kitchen");
    const QPointF start(element(1).left, element(1).top);
    const QPoint grab = at(start.x() + 400, start.y() + 400);
    QTest::mousePress(m_chart, Qt::LeftButton, {}, grab);
    QTest::mouseMove(m_chart, grab + QPoint(20, 10));
    QTest::mouseMove(m_chart, grab + QPoint(40, 30));
    QTest::mouseRelease(m_chart, Qt::LeftButton, {}, grab + QPoint(40, 30));
    const QPointF moved(element(1).left, element(1).top);
    QVERIFY(moved != start);
    QCOMPARE(menuText("mnuUndo"), "&Undo Move Kitchen");

    keys(QKeySequence("Ctrl+Z"));
    QCOMPARE(QPointF(element(1).left, element(1).top), start);
    QCOMPARE(menuText("mnuUndo"), "&Undo Create Kitchen");
    QCOMPARE(menuText("mnuRedo"), "&Redo Move Kitchen");
    QVERIFY(find<QAction>("mnuRedo")->isEnabled());

    for (const char *redo : {"Ctrl+Y", "Ctrl+Shift+Z"}) {
        keys(QKeySequence(redo));
        QCOMPARE(QPointF(element(1).left, element(1).top), moved);
        QVERIFY(!find<QAction>("mnuRedo")->isEnabled());
        keys(QKeySequence("Ctrl+Z"));
    }
    // Undoing the creation empties the chart; a press and release that changes nothing is
    // no step.
    keys(QKeySequence("Ctrl+Z"));
    QCOMPARE(m_window->editor().txtRoom.elementCount(), 0);
    QVERIFY(!find<QAction>("mnuUndo")->isEnabled());
    keys(QKeySequence("Ctrl+Y"));
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, grab);
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, grab);
    QCOMPARE(menuText("mnuUndo"), "&Undo Select Kitchen");
    keys(QKeySequence("Ctrl+Z"));
    QCOMPARE(menuText("mnuUndo"), "&Undo Create Kitchen");
}

void HistoryUiTest::undoingADoorLetsOneBeMadeAgain()
{
    createRoom("Kitchen");
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(element(1).left + 400, element(1).top + 400));
    m_dialogs->textAnswers = {"1"};
    button("cmdDoor")->click();
    button("cmdDoorDirectionOk")->click();
    find<QLineEdit>("txtDoorWidth")->setText("3");
    button("cmdDoorOk")->click();
    QCOMPARE(m_window->editor().txtRoom.elementCount(), 2);
    QCOMPARE(menuText("mnuUndo"), "&Undo Create Door");

    find<QAction>("mnuUndo")->trigger();
    QCOMPARE(m_window->editor().txtRoom.elementCount(), 1);
    QVERIFY(!m_window->editor().doorsPresent);
    QVERIFY(button("cmdDoor")->isVisible() && button("cmdDoor")->isEnabled());
    m_dialogs->textAnswers = {"1"};
    button("cmdDoor")->click();
    QVERIFY(m_dialogs->messages.empty());
    QVERIFY(find("fraSelectDirection")->isVisible());
    button("cmdDoorDirectionCancel")->click();
}

void HistoryUiTest::undoingASaveBringsTheChartBack()
{
    startWith(testing::samplePlan());
    const std::string chart = writeLayout(m_window->editor().txtRoom);
    const QString path = m_dir->filePath("Structure.txt");
    m_dialogs->yesNoAnswers = {true};
    button("Command2")->click();
    const QByteArray saved = bytesOf(path);
    QVERIFY(!saved.isEmpty());
    QCOMPARE(m_window->editor().txtRoom.elementCount(), 0);
    QCOMPARE(button("cmdFrontEntrence")->text(), "Main Entrance");

    keys(QKeySequence("Ctrl+Z"));
    QCOMPARE(writeLayout(m_window->editor().txtRoom), chart);
    QCOMPARE(m_window->editor().mainEntranceIndex, 4);
    QCOMPARE(button("cmdFrontEntrence")->text(), "Delete Main Entrance");
    QCOMPARE(bytesOf(path), saved);

    QFile::remove(path);
    m_dialogs->yesNoAnswers = {true};
    find<QAction>("mnuSave")->trigger();
    QCOMPARE(bytesOf(path), saved);
    QVERIFY(m_dialogs->messages.empty());
}

void HistoryUiTest::arrowKeysMoveButNotOntoARoom()
{
    const int kitchen = place("Kitchen", 0, 0, 1600, 800);
    place("Hall", 1700, 0, 1600, 800);
    QCOMPARE(m_chart->logicalDpiX(), 96);
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(400, 400));
    QCOMPARE(QApplication::focusWidget(), m_chart);

    QTest::keyClick(m_chart, Qt::Key_Right);
    QCOMPARE(element(kitchen).left, 15.0f);
    QTest::keyClick(m_chart, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(element(kitchen).left, 95.0f);
    // 1695 + 15 would reach into the hall: refused without a word.
    for (const auto modifier : {Qt::NoModifier, Qt::ShiftModifier})
        QTest::keyClick(m_chart, Qt::Key_Right, modifier);
    QCOMPARE(element(kitchen).left, 95.0f);
    QTest::keyClick(m_chart, Qt::Key_Down);
    QTest::keyClick(m_chart, Qt::Key_Left);
    QCOMPARE(QPointF(element(kitchen).left, element(kitchen).top), QPointF(80, 15));
    QVERIFY(m_dialogs->messages.empty());
    QVERIFY(!m_window->editor().overlapDetected);

    // The run of moves is one step.
    QCOMPARE(menuText("mnuUndo"), "&Undo Move Kitchen");
    keys(QKeySequence("Ctrl+Z"));
    QCOMPARE(QPointF(element(kitchen).left, element(kitchen).top), QPointF(0, 0));
}

void HistoryUiTest::aRunOfKeysBackToItsStartIsNoStep()
{
    place("Kitchen", 800, 800, 1600, 800);
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(1200, 1200));
    for (const auto key : {Qt::Key_Right, Qt::Key_Up, Qt::Key_Left, Qt::Key_Down})
        QTest::keyClick(m_chart, key);
    QCOMPARE(menuText("mnuUndo"), "&Undo Select Kitchen");
    QCOMPARE(QPointF(element(1).left, element(1).top), QPointF(800, 800));
}

// Steps that each rewrite 20000 elements: three of them weigh more than the limit.
void HistoryUiTest::theOldestStepsGoBeyondTheWeightLimit()
{
    Editor editor;
    for (int i = 0; i < 20000; ++i)
        editor.txtRoom.createElement();
    History history(editor);
    const float start = std::as_const(editor.txtRoom).at(1).left;
    const auto shiftAll = [&editor] {
        for (int i = 1; i <= editor.txtRoom.elementCount(); ++i)
            editor.txtRoom.at(i).left += 1;
    };
    for (const char *name : {"First", "Second", "Third"}) {
        if (name == std::string("Third"))
            history.setClean();
        history.record(name, 0, shiftAll);
    }
    QCOMPARE(history.stack().count(), 2);
    QCOMPARE(history.stack().undoText(), "Third");
    history.undo();
    QVERIFY(history.isClean());
    history.undo();
    QVERIFY(!history.stack().canUndo());
    // Back to after the first step, which went.
    QCOMPARE(std::as_const(editor.txtRoom).at(20000).left, start + 1);
    history.redo();
    history.redo();
    QCOMPARE(std::as_const(editor.txtRoom).at(1).left, start + 3);
    QVERIFY(!history.isClean());
}

void HistoryUiTest::deleteKeyDeletesTheSelection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("deletedText");
    QTest::addColumn<QString>("undo");
    QTest::newRow("room") << "Kitchen"
                          << "Kitchen"
                          << "&Undo Delete Kitchen";
    QTest::newRow("door") << ""
                          << "Deleted Door"
                          << "&Undo Delete Door";
    QTest::newRow("entrance") << "Main Entrance"
                              << "a"
                              << "&Undo Delete Main Entrance";
}

void HistoryUiTest::deleteKeyDeletesTheSelection()
{
    QFETCH(QString, text);
    QFETCH(QString, deletedText);
    QFETCH(QString, undo);
    const int index = place(text.toUtf8().constData(), 800, 800, 1600, 0);
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(1200, 800));
    QVERIFY(element(index).highlighted);
    QTest::keyClick(m_chart, Qt::Key_Delete);
    QVERIFY(!element(index).enabled);
    QCOMPARE(QString::fromStdString(element(index).text), deletedText);
    QCOMPARE(menuText("mnuUndo"), undo);
    QVERIFY(m_dialogs->messages.empty());

    keys(QKeySequence("Ctrl+Z"));
    QVERIFY(element(index).enabled);
    QCOMPARE(QString::fromStdString(element(index).text), text);
}

void HistoryUiTest::tabbingInFramesTheChart()
{
    place("Kitchen", 0, 0, 1600, 800);
    const QImage plain = m_chart->grab().toImage();
    m_chart->setFocus(Qt::TabFocusReason);
    QVERIFY(m_chart->grab().toImage() != plain);
    find("txtPlotLength")->setFocus(Qt::TabFocusReason);
    QCOMPARE(m_chart->grab().toImage(), plain);
}

void HistoryUiTest::closingAsksOnlyAboutChanges_data()
{
    QTest::addColumn<QString>("edits");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("clean start") << "" << false << false << true;
    QTest::newRow("changed, No") << "create" << true << false << false;
    QTest::newRow("changed, Yes") << "create" << true << true << true;
    QTest::newRow("undone to the start") << "create,undo" << false << false << true;
    // The window then goes with the drag still open.
    QTest::newRow("pressed, not released") << "create,press" << true << false << false;
    QTest::newRow("saved") << "plan,save" << false << false << true;
    QTest::newRow("undone after the save") << "plan,save,undo" << true << false << false;
    // Selecting changes nothing a save would write.
    QTest::newRow("opened, then clicked") << "plan,save,open,click" << false << false << true;
    // The opened file does not hold the room made before.
    QTest::newRow("created, then opened") << "plan,save,create,open" << true << false << false;
}

void HistoryUiTest::closingAsksOnlyAboutChanges()
{
    QFETCH(QString, edits);
    QFETCH(bool, asked);
    QFETCH(bool, answer);
    QFETCH(bool, closed);
    for (const QString &edit : edits.split(',', Qt::SkipEmptyParts)) {
        if (edit == "create") {
            createRoom("Kitchen");
        } else if (edit == "press") {
            QTest::mousePress(m_chart, Qt::LeftButton, {},
                              at(element(1).left + 400, element(1).top + 400));
        } else if (edit == "undo") {
            keys(QKeySequence("Ctrl+Z"));
        } else if (edit == "plan") {
            startWith(testing::samplePlan());
        } else if (edit == "save") {
            m_dialogs->yesNoAnswers = {true};
            button("Command2")->click();
        } else if (edit == "open") {
            m_dialogs->yesNoAnswers = {true};
            button("cmdOpen")->click();
        } else if (edit == "click") {
            QTest::mouseClick(m_chart, Qt::LeftButton, {},
                              at(element(1).left + 400, element(1).top + 400));
        }
    }
    m_dialogs->clear();
    const std::string chart = writeLayout(m_window->editor().txtRoom);
    // Yes: the changes are let go.
    m_dialogs->choiceAnswers = {answer ? tessel::Choice::Discard : tessel::Choice::Cancel};
    find<QAction>("mnuExit")->trigger();

    QCOMPARE(m_dialogs->choices.size(), asked ? 1u : 0u);
    if (asked)
        QCOMPARE(m_dialogs->choices.front(),
                 "The layout \"Untitled\" has changes that are not saved. Save them?");
    m_dialogs->choiceAnswers.clear();
    QCOMPARE(m_window->isVisible(), !closed);
    QCOMPARE(writeLayout(m_window->editor().txtRoom), chart);
    // The close box asks the same.
    if (!closed) {
        m_dialogs->choiceAnswers = {tessel::Choice::Cancel};
        QVERIFY(!m_window->close());
        QCOMPARE(m_dialogs->choices.size(), 2u);
    }
}

QTEST_MAIN(HistoryUiTest)
#include "history_ui_test.moc"
