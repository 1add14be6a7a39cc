#include "chart_elements.h"
#include "fake_dialogs.h"
#include "ui/chart_widget.h"
#include "ui/frm_main.h"
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <cmath>
#include <memory>

using tessel::Icon;
using tessel::testing::FakeDialogs;

// Rooms pressed, dragged, dropped and deleted on the chart with the mouse.
class ChartDragTest : public QObject, public tessel::testing::WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dragMovesTheRoomToWholeTwips();
    void dragOntoARoomIsReportedAndStays();
    void clickOnAnOverlappingRoomReportsAgain();
    void pressSelectsTheFrontRoom();
    void pressOnADoorSelectsIt();
    void middlePressSelectsWithoutDragging();
    void rightPressAndDoubleClickAsk_data();
    void rightPressAndDoubleClickAsk();
    void theTipNamesTheRoom();
    void deleteParksTheRoom();
    void deleteAfterADoorIsRefused();
    void noCommandRunsWhileARoomIsHeld_data();
    void noCommandRunsWhileARoomIsHeld();

private:
    // The pixel of the chart at a point given in twips.
    QPoint at(double x, double y) const;
    const tessel::ChartElement &element(int index) const
    {
        return m_window->editor().txtRoom.at(index);
    }
    QPushButton *button(const char *name) const { return m_window->findChild<QPushButton *>(name); }

    tessel::ChartWidget *m_chart = nullptr;
};

void ChartDragTest::init()
{
    QVERIFY(openWindow());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    startWith(tessel::ChartTable{});
    m_chart = m_window->findChild<tessel::ChartWidget *>("picRoomLocation");
    QVERIFY(m_chart);
}

void ChartDragTest::cleanup()
{
    QVERIFY2(closeWindow(), "a dialog was shown that the test did not answer");
}

QPoint ChartDragTest::at(double x, double y) const
{
    const double scale = m_chart->logicalDpiX() / 1440.0;
    return QPointF(x * scale, y * scale).toPoint();
}

void ChartDragTest::dragMovesTheRoomToWholeTwips()
{
    const int room = place("Kitchen", 0, 0, 1600, 800);
    const QPoint grab = at(400, 200);
    QTest::mousePress(m_chart, Qt::LeftButton, {}, grab);
    QVERIFY(element(room).highlighted);
    QPoint pointer = grab;
    for (const QPoint step : {QPoint(5, 3), QPoint(17, 1), QPoint(40, 30)}) {
        pointer += step;
        QTest::mouseMove(m_chart, pointer);
    }
    QTest::mouseRelease(m_chart, Qt::LeftButton, {}, pointer);

    // The box kept the offset between the pointer and its corner.
    const double twipsPerPixel = 1440.0 / m_chart->logicalDpiX();
    QCOMPARE(element(room).left, float(std::nearbyint((pointer.x() - grab.x()) * twipsPerPixel)));
    QCOMPARE(element(room).top, float(std::nearbyint((pointer.y() - grab.y()) * twipsPerPixel)));
    QVERIFY(element(room).left > 0);
    QCOMPARE(element(room).width, 1600.0f);
    QVERIFY(m_dialogs->messages.empty());
    QVERIFY(!m_window->editor().overlapDetected);

    // The chart shows it at its new place.
    const QImage image = m_chart->grab().toImage();
    QCOMPARE(image.pixelColor(at(element(room).left + 800, element(room).top + 400)),
             QColor(0, 255, 0));
    QCOMPARE(image.pixelColor(at(100, 100)), QColor(192, 192, 192));
}

void ChartDragTest::dragOntoARoomIsReportedAndStays()
{
    place("Kitchen", 0, 0, 1600, 800);
    const int hall = place("Hall", 3200, 0, 1600, 800);
    const QPoint grab = at(3200 + 300, 300);
    const QPoint drop = at(800 + 300, 400 + 300);
    QTest::mousePress(m_chart, Qt::LeftButton, {}, grab);
    QTest::mouseMove(m_chart, at(2400 + 300, 300));
    QTest::mouseMove(m_chart, drop);
    QVERIFY(m_dialogs->messages.empty());
    QTest::mouseRelease(m_chart, Qt::LeftButton, {}, drop);
    QCOMPARE(m_dialogs->messages.size(), 1u);
    QCOMPARE(m_dialogs->messages.front(),
             (FakeDialogs::Shown{"Sorry you cannot overlap rooms", Icon::Information}));
    QVERIFY(m_window->editor().overlapDetected);
    // Where it was dropped, give or take the pixel the pointer rests on.
    QVERIFY(std::abs(element(hall).left - 800) < 30);
    QVERIFY(std::abs(element(hall).top - 400) < 30);
}

void ChartDragTest::clickOnAnOverlappingRoomReportsAgain()
{
    place("Kitchen", 0, 0, 1600, 800);
    place("Hall", 800, 400, 1600, 800);
    for (int click = 1; click <= 2; ++click) {
        QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(2000, 1000));
        QCOMPARE(m_dialogs->messages.size(), size_t(click));
        QCOMPARE(m_dialogs->lastMessage(), "Sorry you cannot overlap rooms");
    }
    QCOMPARE(element(2).left, 800.0f);
}

void ChartDragTest::pressSelectsTheFrontRoom()
{
    const int back = place("Kitchen", 0, 0, 1600, 800);
    const int front = place("Hall", 0, 0, 800, 800);
    QTest::mousePress(m_chart, Qt::LeftButton, {}, at(400, 400));
    QVERIFY(element(front).highlighted);
    QVERIFY(!element(back).highlighted);
    QVERIFY(m_window->editor().roomSelected);
    QCOMPARE(m_window->editor().selectedRoomLength, 10.0);
    QCOMPARE(m_window->editor().selectedRoomWidth, 5.0);
    QTest::mouseRelease(m_chart, Qt::LeftButton, {}, at(400, 400));

    // Beside the front room the back one is reached.
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(1200, 400));
    QVERIFY(element(back).highlighted);
    QVERIFY(!element(front).highlighted);
    QCOMPARE(m_window->editor().txtRoom.stackingOrder().back(), front);
}

void ChartDragTest::pressOnADoorSelectsIt()
{
    const int room = place("Kitchen", 0, 0, 1600, 800);
    const int door = place("", 1600, 0, 0, 800);
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(800, 400));
    QVERIFY(m_window->editor().roomSelected);
    QVERIFY(!m_window->editor().doorSelected);

    // A door has no width: a press a pixel beside it takes it.
    QTest::mousePress(m_chart, Qt::LeftButton, {}, at(1600, 400) + QPoint(1, 0));
    QVERIFY(element(door).highlighted);
    QVERIFY(!element(room).highlighted);
    QVERIFY(!m_window->editor().roomSelected);
    QVERIFY(m_window->editor().doorSelected);
    QVERIFY(m_window->editor().openingDragged);
    // Dropped over the room: no test.
    QTest::mouseMove(m_chart, at(800, 400));
    QTest::mouseRelease(m_chart, Qt::LeftButton, {}, at(800, 400));
    QVERIFY(!m_window->editor().openingDragged);
    QVERIFY(m_dialogs->messages.empty());
    QVERIFY(element(door).left < 1600);
}

void ChartDragTest::middlePressSelectsWithoutDragging()
{
    const int room = place("Kitchen", 800, 800, 1600, 800);
    QTest::mousePress(m_chart, Qt::MiddleButton, {}, at(1000, 1000));
    QTest::mouseMove(m_chart, at(2000, 2000));
    QTest::mouseRelease(m_chart, Qt::MiddleButton, {}, at(2000, 2000));
    QVERIFY(element(room).highlighted);
    QCOMPARE(element(room).left, 800.0f);
    QCOMPARE(element(room).top, 800.0f);
}

void ChartDragTest::rightPressAndDoubleClickAsk_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("right press") << false;
    QTest::newRow("double click") << true;
}

void ChartDragTest::rightPressAndDoubleClickAsk()
{
    QFETCH(bool, doubleClick);
    const int room = place("Kitchen", 0, 0, 1600, 800);
    button("Command1")->setFocus();
    if (doubleClick) {
        // A press and release, then the second press that makes it a double click.
        QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(800, 400));
        QTest::mouseDClick(m_chart, Qt::LeftButton, {}, at(800, 400));
        QTest::mouseRelease(m_chart, Qt::LeftButton, {}, at(800, 400));
    } else
        QTest::mouseClick(m_chart, Qt::RightButton, {}, at(800, 400));

    QCOMPARE(m_dialogs->messages.size(), 1u);
    QCOMPARE(m_dialogs->messages.front(), (FakeDialogs::Shown{"What is This?", Icon::Critical}));
    QCOMPARE(QApplication::focusWidget(), button("cmdAddRoom"));
    // A right press selects nothing; the first press of a double click did.
    QCOMPARE(element(room).highlighted, doubleClick);
    QCOMPARE(element(room).left, 0.0f);
}

void ChartDragTest::theTipNamesTheRoom()
{
    place("Master BedRoom", 0, 0, 1600, 800);
    place("", 1600, 0, 0, 800);
    QCOMPARE(m_chart->toolTipAt(at(800, 400)), "Master BedRoom");
    QCOMPARE(m_chart->toolTipAt(at(1600, 400)), "");
    QCOMPARE(m_chart->toolTipAt(at(3000, 3000)), "Drag and drop Chosen Room to change position");

    // The pointer coming to rest on the room.
    QHelpEvent rest(QEvent::ToolTip, at(800, 400), m_chart->mapToGlobal(at(800, 400)));
    QApplication::sendEvent(m_chart, &rest);
    QCOMPARE(QToolTip::text(), "Master BedRoom");
}

void ChartDragTest::deleteParksTheRoom()
{
    const int room = place("Kitchen", 800, 800, 1600, 800);
    const int door = place("", 2400, 800, 0, 800);
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(1200, 1200));
    button("cmdDeleteRoom")->click();

    QVERIFY(m_dialogs->messages.empty());
    QVERIFY(!element(room).enabled);
    QVERIFY(!element(room).highlighted);
    QCOMPARE(element(room).left, 4800.0f);
    QCOMPARE(element(room).top, 4800.0f);
    QCOMPARE(element(room).width, 0.0f);
    QCOMPARE(element(room).height, 0.0f);
    QCOMPARE(element(door).left, 2400.0f);
    QCOMPARE(m_chart->grab().toImage().pixelColor(at(1200, 1200)), QColor(192, 192, 192));

    // The parked room takes no press, where it stood nor where it lies.
    for (const QPoint point : {at(1200, 1200), at(4800, 4800) - QPoint(1, 1)}) {
        QTest::mouseClick(m_chart, Qt::LeftButton, {}, point);
        QVERIFY(!element(room).highlighted);
    }
    // A second delete does nothing and says nothing.
    button("cmdDeleteRoom")->click();
    QVERIFY(m_dialogs->messages.empty());
    QVERIFY(element(door).enabled);
}

void ChartDragTest::deleteAfterADoorIsRefused()
{
    const int room = place("Kitchen", 0, 0, 1600, 800);
    place("", 1600, 0, 0, 800);
    button("cmdDeleteRoom")->click();
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(800, 400));
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(1600, 400));
    button("cmdDeleteRoom")->click();

    QCOMPARE(m_dialogs->messages.size(), 2u);
    for (const auto &shown : m_dialogs->messages)
        QCOMPARE(shown, (FakeDialogs::Shown{"Please select a room to delete", Icon::None}));
    QVERIFY(element(room).enabled);
    QCOMPARE(element(room).width, 1600.0f);
}

void ChartDragTest::noCommandRunsWhileARoomIsHeld_data()
{
    QTest::addColumn<QString>("command"); // keys, or the objectName of a button
    for (const char *command : {"Delete", "Ctrl+Z", "Command2", "cmdDoor", "cmdDeleteRoom"})
        QTest::newRow(command) << command;
}

void ChartDragTest::noCommandRunsWhileARoomIsHeld()
{
    QFETCH(QString, command);
    // A plan a save would take and empty the chart of, and a move for an undo to take back.
    const int kitchen = place("Kitchen", 0, 0, 1600, 800);
    const int hall = place("Hall", 1600, 0, 1600, 800);
    place("", 800, 800, 400, 0);
    place("Main Entrance", 0, 200, 0, 400);
    place("Back Entrance", 1600, 200, 0, 400);
    QTemporaryDir folder;
    m_window->setLayoutFolder(folder.path());
    m_dialogs->yesNoAnswers = {true};
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(800, 400));
    QTest::keyClick(m_chart, Qt::Key_Down);
    tessel::ChartElement kitchenBefore = element(kitchen);
    kitchenBefore.highlighted = false;
    const QPoint grab = at(2000, 400), drop = at(3500, 3600);
    QTest::mousePress(m_chart, Qt::LeftButton, {}, grab);
    if (auto *control = m_window->findChild<QPushButton *>(command)) {
        // QTest would let go of the button that holds the room: these events keep it held.
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, QPointF(5, 5), control->mapToGlobal(QPointF(5, 5)),
                              Qt::LeftButton, Qt::LeftButton, {});
            QApplication::sendEvent(control, &event);
        }
    } else {
        QTest::keySequence(m_chart, QKeySequence(command));
    }
    QTest::mouseMove(m_chart, drop);
    QTest::mouseRelease(m_chart, Qt::LeftButton, {}, drop);

    // Where a plain drag leaves it, and nothing else changed.
    const QPointF moved = QPointF(drop - grab) * 1440.0 / m_chart->logicalDpiX();
    QCOMPARE(element(kitchen), kitchenBefore);
    QVERIFY(element(hall).enabled && element(hall).highlighted);
    QCOMPARE(element(hall).left, 1600 + float(std::nearbyint(moved.x())));
    QCOMPARE(element(hall).top, float(std::nearbyint(moved.y())));
    QVERIFY(m_dialogs->messages.empty() && m_dialogs->questions.empty());
    QCOMPARE(m_window->findChild<QAction *>("mnuUndo")->text(), "&Undo Move Hall");
    // The keys work again after the release.
    QTest::keyClick(m_chart, Qt::Key_Delete);
    QVERIFY(!element(hall).enabled);
}

QTEST_MAIN(ChartDragTest)
#include "chart_drag_test.moc"
