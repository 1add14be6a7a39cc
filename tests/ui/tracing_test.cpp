#include "chart_elements.h"
#include "fake_dialogs.h"
#include "model/placement.h"
#include "ui/chart_widget.h"
#include "ui/document.h"
#include "ui/frm_main.h"

#include <QAction>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <cmath>
#include <memory>

using tessel::testing::FakeDialogs;

// Drawing over a plan: snapping to whole feet, a room's properties, zoom to fit and the plan
// image under the rooms.
class TracingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void snappedDragsLandOnWholeFeet_data();
    void snappedDragsLandOnWholeFeet();
    void propertiesMoveAndResizeARoomInOneStep();

private:
    QAction *action(const char *name) const
    {
        auto *found = m_window->findChild<QAction *>(name);
        if (!found)
            qFatal("no action %s", name);
        return found;
    }
    void measure(const char *length, const char *width);
    int place(const char *text, float left, float top, float width, float height);
    QPoint at(double x, double y) const
    {
        return QPointF(x * m_chart->scale(), y * m_chart->scale()).toPoint();
    }
    const tessel::ChartElement &element(int index) const
    {
        return std::as_const(m_window->editor().txtRoom).at(index);
    }

    std::unique_ptr<FakeDialogs> m_dialogs;
    std::unique_ptr<tessel::FrmMain> m_window;
    tessel::ChartWidget *m_chart = nullptr;
};

void TracingTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TracingTest::init()
{
    QSettings().clear();
    m_dialogs = std::make_unique<FakeDialogs>();
    m_window = std::make_unique<tessel::FrmMain>(*m_dialogs);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_chart = m_window->findChild<tessel::ChartWidget *>("picRoomLocation");
}

void TracingTest::cleanup()
{
    QVERIFY2(m_dialogs->unanswered.empty(), "a dialog was shown that the test did not answer");
    m_window.reset();
    m_dialogs.reset();
    QSettings().clear();
}

void TracingTest::measure(const char *length, const char *width)
{
    m_window->findChild<QLineEdit *>("txtPlotLength")->setText(length);
    m_window->findChild<QLineEdit *>("txtPlotWidth")->setText(width);
    QVERIFY(m_window->reducedScaleMeasure());
}

int TracingTest::place(const char *text, float left, float top, float width, float height)
{
    const int index =
        tessel::testing::placeElement(m_window->editor().txtRoom, text, left, top, width, height);
    m_window->chartChanged();
    return index;
}

void TracingTest::snappedDragsLandOnWholeFeet_data()
{
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("width");
    // Twips a foot across and down: 160 and 80; 68.57 and 96.
    QTest::newRow("60 x 30") << "60" << "30";
    QTest::newRow("50 x 70") << "50" << "70";
}

void TracingTest::snappedDragsLandOnWholeFeet()
{
    QFETCH(QString, length);
    QFETCH(QString, width);
    measure(qPrintable(length), qPrintable(width));
    const tessel::Scales scales = m_window->editor().scales;
    const double footAcross = tessel::widthToChart(1, scales);
    const double footDown = tessel::lengthToChart(1, scales);
    const auto onWholeFeet = [&](const tessel::ChartElement &e) {
        return e.left == std::nearbyint(std::nearbyint(e.left / footAcross) * footAcross) &&
               e.top == std::nearbyint(std::nearbyint(e.top / footDown) * footDown);
    };
    QVERIFY(!action("mnuSnapToFeet")->isChecked());
    action("mnuSnapToFeet")->trigger();
    const int room = place("Kitchen", 0, 0, 800, 800);

    QPoint pointer = at(400, 400);
    QTest::mousePress(m_chart, Qt::LeftButton, {}, pointer);
    for (const QPoint step : {QPoint(7, 3), QPoint(13, 11), QPoint(29, 17)}) {
        pointer += step;
        QTest::mouseMove(m_chart, pointer);
        QVERIFY2(onWholeFeet(element(room)),
                 qPrintable(QString("%1, %2").arg(element(room).left).arg(element(room).top)));
    }
    QTest::mouseRelease(m_chart, Qt::LeftButton, {}, pointer);
    QVERIFY(element(room).left > 0 && element(room).top > 0);

    // A key moves it a foot the way it points.
    const float left = element(room).left;
    QTest::keyClick(m_chart, Qt::Key_Right);
    QCOMPARE(element(room).left,
             float(std::nearbyint((std::nearbyint(left / footAcross) + 1) * footAcross)));
    QVERIFY(onWholeFeet(element(room)));
    QVERIFY(element(room).left > left);

    // With Alt held the drag follows the pointer to the twip.
    const QPoint grab = at(element(room).left + 100, element(room).top + 100);
    QTest::mousePress(m_chart, Qt::LeftButton, {}, grab);
    const QPoint to = grab + QPoint(3, 2);
    QMouseEvent move(QEvent::MouseMove, to, m_chart->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, Qt::AltModifier);
    QCoreApplication::sendEvent(m_chart, &move);
    QTest::mouseRelease(m_chart, Qt::LeftButton, {}, to);
    QVERIFY2(!onWholeFeet(element(room)),
             qPrintable(QString("%1, %2").arg(element(room).left).arg(element(room).top)));
}

void TracingTest::propertiesMoveAndResizeARoomInOneStep()
{
    measure("60", "30"); // 80 twips a foot down, 160 across
    const int kitchen = place("Kitchen", 0, 0, 1600, 800);
    place("Hall", 1600, 0, 1600, 800);
    // Without a room selected there is nothing to show.
    action("mnuRoomProperties")->trigger();
    QCOMPARE(m_dialogs->lastMessage(), "Please select a room on the chart first");
    QVERIFY(m_dialogs->propertiesShown.empty());
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(400, 400));
    const tessel::ChartElement before = element(kitchen);

    const tessel::RoomProperties overHall{"Kitchen", "10", "10", "12", "0"};
    const tessel::RoomProperties tooLong{"Store Room", "70", "5", "0", "20"};
    const tessel::RoomProperties changed{"Store Room", "20", "5", "0", "20"};
    m_dialogs->clear();
    m_dialogs->propertiesAnswers = {overHall, tooLong, changed};
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(m_window.get(), Qt::Key_Return, Qt::AltModifier);

    using Shown = FakeDialogs::Shown;
    QCOMPARE(m_dialogs->messages,
             (std::vector<Shown>{
                 {"Sorry you cannot overlap rooms", tessel::Icon::Information},
                 {"Length of the room can't be greater than plot length", tessel::Icon::None}}));
    const auto &shown = m_dialogs->propertiesShown;
    QCOMPARE(shown.size(), std::size_t(3));
    QCOMPARE(shown[0].first, (tessel::RoomProperties{"Kitchen", "10", "10", "0", "0"}));
    QVERIFY(shown[0].second == tessel::Field::RoomName);
    // Refused, the dialog comes back as the user left it, the faulty field emptied.
    QCOMPARE(shown[1].first, overHall);
    QVERIFY(shown[2].first.length.empty());
    QVERIFY(shown[2].second == tessel::Field::RoomLength);

    const tessel::ChartElement &room = element(kitchen);
    QCOMPARE(room.text, std::string("Store Room"));
    QCOMPARE(room.height, 1600.0f);
    QCOMPARE(room.width, 800.0f);
    QCOMPARE(room.left, 0.0f);
    QCOMPARE(room.top, 1600.0f);
    QVERIFY(!m_window->editor().overlapDetected);
    QVERIFY(m_window->document().isModified());

    action("mnuUndo")->trigger();
    QVERIFY(element(kitchen) == before);
}

QTEST_MAIN(TracingTest)
#include "tracing_test.moc"
