#include "fake_dialogs.h"
#include "model/openings.h"
#include "ui/chart_widget.h"
#include "ui/frm_main.h"
#include "window_fixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cmath>
#include <memory>

using tessel::ChartElement;
using tessel::Icon;
using tessel::testing::FakeDialogs;

// Doors and entrances made through the window's controls and dragged with the mouse.
class OpeningsUiTest : public QObject, public tessel::testing::WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openingsAreMadeThroughTheStepsAndDraggedOntoWalls();
    void aTooLongDoorIsErasedAndTheStepStaysOpen();
    void aRoomNamedMainEntranceTurnsTheButton();

private:
    template<typename T = QWidget>
    T *find(const char *name) const
    {
        T *widget = m_window->findChild<T *>(name);
        if (!widget)
            qFatal("no control named %s", name);
        return widget;
    }
    QPushButton *button(const char *name) const { return find<QPushButton>(name); }
    const ChartElement &element(int index) const { return m_window->editor().txtRoom.at(index); }
    // The pixel of the chart nearest a point given in twips.
    QPoint at(double x, double y) const { return QPointF(x * m_scale, y * m_scale).toPoint(); }
    // Plot 60 x 30 feet, then a room of 10 x 10 feet made through "&Add Room".
    void createRoom(const char *name);
    // A left-button drag on the chart; returns how far the element moved, in twips.
    QPointF drag(QPoint from, QPoint to);
    // Runs an opening's facing and size steps with the option and length given.
    void runSteps(const char *option, const char *ok, const char *box, const char *length,
                  const char *sizeOk);

    tessel::ChartWidget *m_chart = nullptr;
    double m_scale = 0; // pixels per twip
};

void OpeningsUiTest::init()
{
    QVERIFY(openWindow());
    m_chart = find<tessel::ChartWidget>("picRoomLocation");
    m_scale = m_chart->logicalDpiX() / 1440.0;
}

void OpeningsUiTest::cleanup()
{
    QVERIFY2(closeWindow(), "a dialog was shown that the test did not answer");
}

void OpeningsUiTest::createRoom(const char *name)
{
    find<QLineEdit>("txtPlotLength")->setText("60");
    find<QLineEdit>("txtPlotWidth")->setText("30");
    m_dialogs->yesNoAnswers = {true};
    button("cmdAddRoom")->click();
    // As pasted: typed small letters become capitals.
    find<QLineEdit>("txtAddRoomName")->setText(name);
    QTest::keyClicks(find<QLineEdit>("txtLength"), "10");
    QTest::keyClicks(find<QLineEdit>("txtwidth"), "10");
    button("cmdOK")->click();
    QCOMPARE(m_dialogs->lastMessage(), "Now Drag The Room To Bring It To Your Prefered Position");
    m_dialogs->clear();
}

QPointF OpeningsUiTest::drag(QPoint from, QPoint to)
{
    QTest::mousePress(m_chart, Qt::LeftButton, {}, from);
    QTest::mouseMove(m_chart, (from + to) / 2);
    QTest::mouseMove(m_chart, to);
    QTest::mouseRelease(m_chart, Qt::LeftButton, {}, to);
    // Positions keep whole twips.
    return {std::nearbyint((to.x() - from.x()) / m_scale),
            std::nearbyint((to.y() - from.y()) / m_scale)};
}

void OpeningsUiTest::runSteps(const char *option, const char *ok, const char *box,
                              const char *length, const char *sizeOk)
{
    // The step opens with the keyboard on its checked option.
    auto *focused = qobject_cast<QRadioButton *>(QApplication::focusWidget());
    QVERIFY(focused && focused->isChecked() && find(ok)->parentWidget()->isAncestorOf(focused));
    find<QRadioButton>(option)->click();
    button(ok)->click();
    QVERIFY(find(box)->isVisible());
    QCOMPARE(QApplication::focusWidget(), find(box));
    QTest::keyClicks(find(box), length);
    button(sizeOk)->click();
}

void OpeningsUiTest::openingsAreMadeThroughTheStepsAndDraggedOntoWalls()
{
    createRoom("Kitchen");
    const int room = 1;
    drag(at(800, 400), at(800, 400) + QPoint(30, 45));
    const float left = element(room).left, top = element(room).top;
    QVERIFY(left > 0 && top > 0);
    const QPoint middle = at(left + 800, top + 400);

    // A door 3 feet long, facing South with North up: along the top wall.
    m_dialogs->textAnswers = {"1"};
    button("cmdDoor")->click();
    QVERIFY(find("fraSelectDirection")->isVisible());
    QVERIFY(button("cmdDoor")->isHidden());
    runSteps("optSouth", "cmdDoorDirectionOk", "txtDoorWidth", "3", "cmdDoorOk");
    const int door = 2;
    QCOMPARE(element(door).text, "");
    QCOMPARE(element(door).left, left);
    QCOMPARE(element(door).top, top);
    QCOMPARE(element(door).width, 480.0f);
    QCOMPARE(element(door).height, 0.0f);
    QCOMPARE(element(door).borderStyle, 1);
    QVERIFY(element(door).visible && element(door).enabled);
    QVERIFY(m_window->editor().doorsPresent);
    QVERIFY(button("cmdDoor")->isVisible());
    QVERIFY(find("fraDoor")->isHidden());
    QVERIFY(find<QLineEdit>("txtDoorWidth")->text().isEmpty());
    // Onto the bottom wall.
    const QPointF doorMoved = drag(at(left + 240, top), at(left + 240, top + 800));
    QCOMPARE(element(door).top, top + doorMoved.y());
    QVERIFY(std::abs(element(door).top - (top + 800)) <= 0.5 / m_scale);
    QCOMPARE(element(door).left, left);
    QVERIFY(m_window->editor().doorSelected);

    // A main entrance 5 feet long, facing East: down the left wall.
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, middle);
    button("cmdFrontEntrence")->click();
    QVERIFY(find("FraSelectMEDirection")->isVisible());
    runSteps("optMEEast", "cmdMEDirectionOk", "txtMELength", "5", "cmdMEOk");
    const int main = 3;
    QCOMPARE(element(main).text, "Main Entrance");
    QCOMPARE(element(main).width, 0.0f);
    QCOMPARE(element(main).height, 400.0f);
    QCOMPARE(m_window->editor().mainEntranceIndex, main);
    QCOMPARE(button("cmdFrontEntrence")->text(), "Delete Main Entrance");
    QCOMPARE(button("cmdFrontEntrence")->toolTip(),
             "Click on this button to delete Main Entrance from Plot Chart");
    // Taken 3 pixels beside its line and dragged onto the right wall.
    const QPoint beside = QPoint(std::floor(left * m_scale - 3 + 1e-9), at(0, top + 200).y());
    const QPointF mainMoved = drag(beside, beside + QPoint(std::lround(1600 * m_scale), 0));
    QCOMPARE(element(main).left, left + mainMoved.x());
    QVERIFY(std::abs(element(main).left - (left + 1600)) <= 0.5 / m_scale);
    QCOMPARE(element(main).top, top);

    // A back entrance 2 feet long, facing South by default, slid along the top wall.
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, middle);
    button("cmdBackEntrence")->click();
    runSteps("OptBESouth", "cmdBEDirectionOk", "txtBEWidth", "2", "cmdBEOk");
    const int back = 4;
    QCOMPARE(element(back).text, "Back Entrance");
    QCOMPARE(element(back).width, 320.0f);
    QCOMPARE(element(back).height, 0.0f);
    QCOMPARE(button("cmdBackEntrence")->text(), "Delete Back Entrance");
    const QPointF backMoved = drag(at(left + 160, top), at(left + 960, top));
    QCOMPARE(element(back).left, left + backMoved.x());
    QCOMPARE(element(back).top, top);

    // The lines show on the walls: the pressed one in the highlight, the others in red.
    const QImage chart = m_chart->grab().toImage();
    QCOMPARE(chart.pixelColor(at(element(door).left + 240, element(door).top)), QColor(200, 0, 0));
    QCOMPARE(chart.pixelColor(at(element(main).left, element(main).top + 200)), QColor(200, 0, 0));
    QCOMPARE(chart.pixelColor(at(element(back).left + 160, top)), QColor(0, 255, 0));

    // The door is taken 3 pixels below its line, not 5 pixels.
    const QPoint below(at(element(door).left + 240, 0).x(),
                       std::floor(element(door).top * m_scale + 3 - 1e-9));
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, below + QPoint(0, 2));
    QVERIFY(!element(door).highlighted);
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, below);
    QVERIFY(element(door).highlighted);
    for (int press = 0; press < 2; ++press)
        button("cmdDeleteDoor")->click();
    QCOMPARE(element(door).text, "Deleted Door");
    QVERIFY(!element(door).enabled);
    QCOMPARE(element(door).left, 4800.0f);
    QCOMPARE(element(door).width + element(door).height, 0.0f);
    QCOMPARE(element(door).fillOverride, tessel::kDeletedOpeningFill);
    QVERIFY(!m_window->editor().doorsPresent);

    // The main entrance goes at the next press; the back entrance stays.
    button("cmdFrontEntrence")->click();
    QCOMPARE(element(main).text, "a");
    QCOMPARE(button("cmdFrontEntrence")->text(), "Main Entrance");
    QCOMPARE(button("cmdFrontEntrence")->toolTip(),
             "Create a Room and Click on this button to create the Main Entrance in the Plot "
             "Chart");
    QCOMPARE(element(back).text, "Back Entrance");
    QCOMPARE(button("cmdBackEntrence")->text(), "Delete Back Entrance");

    QVERIFY(button("cmdDoor")->isVisible());
    QVERIFY(m_dialogs->messages.empty());
    QCOMPARE(m_dialogs->prompts, std::vector<std::string>{tessel::kDoorCountPrompt});
}

void OpeningsUiTest::aTooLongDoorIsErasedAndTheStepStaysOpen()
{
    createRoom("Kitchen");
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(800, 400));
    const QRect deleteDoorPlace = button("cmdDeleteDoor")->geometry();
    m_dialogs->textAnswers = {"1"};
    button("cmdDoor")->click();
    runSteps("optSouth", "cmdDoorDirectionOk", "txtDoorWidth", "11", "cmdDoorOk");
    // The buttons below "Create Door" stay under the pointer while it is hidden.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCOMPARE(button("cmdDeleteDoor")->geometry(), deleteDoorPlace);

    QCOMPARE(m_dialogs->messages.size(), 1u);
    QCOMPARE(
        m_dialogs->messages.front(),
        (FakeDialogs::Shown{"Length of the door can't be greater than room width", Icon::None}));
    QVERIFY(find<QLineEdit>("txtDoorWidth")->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), find("txtDoorWidth"));
    QVERIFY(find("fraDoor")->isVisible());
    QVERIFY(button("cmdDoor")->isHidden());
    QCOMPARE(m_window->editor().txtRoom.elementCount(), 1);

    button("cmdDoorCancel")->click();
    QVERIFY(find("fraDoor")->isHidden());
    QVERIFY(button("cmdDoor")->isVisible());
}

void OpeningsUiTest::aRoomNamedMainEntranceTurnsTheButton()
{
    createRoom("Main Entrance");
    QCOMPARE(button("cmdFrontEntrence")->text(), "Delete Main Entrance");
    button("cmdFrontEntrence")->click();
    QCOMPARE(element(1).text, "a");
    QCOMPARE(button("cmdFrontEntrence")->text(), "Main Entrance");
}

QTEST_MAIN(OpeningsUiTest)
#include "openings_ui_test.moc"
