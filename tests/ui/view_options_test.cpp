#include "chart_elements.h"
#include "fake_dialogs.h"
#include "ui/chart_export.h"
#include "ui/chart_widget.h"
#include "ui/frm_main.h"
#include "ui/view_options.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <memory>

using tessel::testing::FakeDialogs;

// Counts the paint passes a window is asked for.
struct PassCounter : QObject
{
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::UpdateRequest;
        return false;
    }
};

// The View menu: the status bar, the zone overlay, room names and the zoom, kept between runs.
class ViewOptionsTest : public QObject, public tessel::testing::WindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void theStatusLineFollowsADragAcrossAZoneBound();
    void aPaintWithNothingNewToSayAsksForNoFurtherPass();
    void optionsStartAtTheirDefaultAndAreKeptAfterARestart_data();
    void optionsStartAtTheirDefaultAndAreKeptAfterARestart();
    void zoneNamesFollowTheFacing();
    void zoomStepsAndTheirLimits();
    void theWindowScrollsRatherThanOutgrowTheScreen();
    void aDragAtTwiceTheSizeLandsOnWholeTwips();
    void theJpegDrawsWhatTheScreenShows();
    void altVStillRunsTheAnalysis();
    void verdictTintsReadOnPlainAndSelectedRoomsAndLeaveNoTraceWhenOff();
    void zoneTintsFollowTheRoomHeldByADrag();
    void aLongStatusKeepsItsVerdictWhole();

private:
    void restart();
    QAction *action(const char *name) const { return m_window->findChild<QAction *>(name); }
    QString status() const { return m_window->findChild<QLabel *>("lblStatus")->text(); }
    // The pixel of the chart at a point given in twips.
    QPoint at(double x, double y) const;
    QImage chartImage() const { return m_chart->grab().toImage(); }

    tessel::ChartWidget *m_chart = nullptr;
};

void ViewOptionsTest::initTestCase()
{
    // The choices go to a settings file of the tests' own, never the user's.
    QStandardPaths::setTestModeEnabled(true);
}

void ViewOptionsTest::init()
{
    QVERIFY(openWindow());
    startWith(tessel::ChartTable{});
    m_chart = &chart();
}

void ViewOptionsTest::cleanup()
{
    QVERIFY2(closeWindow(), "a dialog was shown that the test did not answer");
}

void ViewOptionsTest::restart()
{
    // The settings stay as the window left them.
    m_window.reset();
    m_window = std::make_unique<tessel::FrmMain>(*m_dialogs);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    startWith(tessel::ChartTable{});
    m_chart = &chart();
}

QPoint ViewOptionsTest::at(double x, double y) const
{
    return QPointF(x * m_chart->scale(), y * m_chart->scale()).toPoint();
}

void ViewOptionsTest::theStatusLineFollowsADragAcrossAZoneBound()
{
    QVERIFY(m_window->statusBar()->isVisible());
    const int kitchen = place("Kitchen", 1200, 0, 400, 800);
    QTest::mouseMove(m_chart, at(3000, 3000));
    QCOMPARE(status(), "");

    QTest::mouseMove(m_chart, at(1400, 400));
    QCOMPARE(status(), "Kitchen | 10 x 2.5 ft | corner 7.5 ft right, 0 ft down"
                       " | Is in the NorthWest direction. | best: South East");
    QTest::mousePress(m_chart, Qt::LeftButton, {}, at(1400, 400));
    // Step by step over the bound between the left and the middle column.
    QPoint pointer = at(1400, 400);
    bool crossed = false;
    while (!crossed) {
        pointer += QPoint(4, 0);
        QTest::mouseMove(m_chart, pointer);
        const float left = m_window->editor().txtRoom.at(kitchen).left;
        const char *expected = left <= 1597 ? "Is in the NorthWest direction. | best: South East"
                                            : "Is in the North direction. | best: South East";
        QVERIFY2(status().endsWith(expected), qPrintable(status()));
        crossed = left >= 1598;
    }
    QTest::mouseRelease(m_chart, Qt::LeftButton, {}, pointer);

    // Off the chart, the selected room is the one named.
    QTest::mouseMove(m_chart, at(4500, 4500));
    QVERIFY(status().startsWith("Kitchen | 10 x 2.5 ft | corner "));
    QVERIFY(status().endsWith("Is in the North direction. | best: South East"));
    // The facing names the zone afresh.
    m_window->findChild<QComboBox *>("cmbDirection")->setCurrentIndex(1);
    QVERIFY(status().endsWith("Is in the South direction. | best: South East"));
    // Before the plot is measured there is nothing to say.
    const tessel::ChartElement &moved = m_window->editor().txtRoom.at(kitchen);
    const QPoint onTheRoom = at(moved.left + 200, 400);
    const tessel::PlotState plot = m_window->document().plot();
    startWith(m_window->document().table(), "", "");
    QTest::mouseMove(m_chart, onTheRoom);
    QCOMPARE(status(), "");
    startWith(m_window->document().table(), plot.length, plot.width, plot.facing);
    QTest::mouseMove(m_chart, at(4500, 4500));
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, onTheRoom);
    QVERIFY(status().startsWith("Kitchen"));
    // Deleted, the room is no more to be named.
    m_window->findChild<QPushButton *>("cmdDeleteRoom")->click();
    QTRY_COMPARE(status(), "");
}

// The chart's paint brings the status line up to date. Saying nothing again must not lay the
// status bar out anew, or the first frame, and every chart repaint, would need a second pass.
void ViewOptionsTest::aPaintWithNothingNewToSayAsksForNoFurtherPass()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    PassCounter passes;
    m_window->installEventFilter(&passes);
    m_chart->update();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(passes.count, 1);
}

void ViewOptionsTest::optionsStartAtTheirDefaultAndAreKeptAfterARestart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("byDefault");
    QTest::newRow("zones") << "mnuShowZones" << false;
    QTest::newRow("names") << "mnuShowNames" << false;
    QTest::newRow("status bar") << "mnuShowStatusBar" << true;
    QTest::newRow("verdicts") << "mnuShowVerdicts" << false;
}

void ViewOptionsTest::optionsStartAtTheirDefaultAndAreKeptAfterARestart()
{
    QFETCH(QString, name);
    place("Kitchen", 0, 0, 1600, 800);
    // Each shows something of its own: a dashed line where no guide line runs, dark letters
    // inside the white room, the bar below the chart.
    const auto shown = [this, &name] {
        if (name == "mnuShowZones")
            return chartImage().pixelColor(at(2400.5, 1800)) != QColor(192, 192, 192);
        if (name == "mnuShowNames") {
            const QImage image = chartImage();
            for (const QPoint &p : {at(400, 400), at(800, 400), at(1200, 400)}) {
                for (int dx = -15; dx <= 15; ++dx) {
                    if (image.pixelColor(p + QPoint(dx, 0)).lightness() < 100)
                        return true;
                }
            }
            return false;
        }
        if (name == "mnuShowVerdicts")
            return chartImage().pixelColor(at(300, 300)) != QColor(Qt::white);
        return m_window->statusBar()->isVisible();
    };
    const QByteArray actionName = name.toLatin1();
    QFETCH(bool, byDefault);
    for (const bool on : {byDefault, !byDefault, byDefault}) {
        QCOMPARE(action(actionName)->isChecked(), on);
        QCOMPARE(shown(), on);
        action(actionName)->trigger();
        restart();
        place("Kitchen", 0, 0, 1600, 800);
        QCOMPARE(action(actionName)->isChecked(), !on);
        QCOMPARE(shown(), !on);
    }
}

void ViewOptionsTest::zoneNamesFollowTheFacing()
{
    auto *direction = m_window->findChild<QComboBox *>("cmbDirection");
    const QImage northWithout = chartImage();
    direction->setCurrentIndex(1);
    QCOMPARE(chartImage(), northWithout);

    action("mnuShowZones")->trigger();
    const QImage south = chartImage();
    direction->setCurrentIndex(0);
    const QImage north = chartImage();
    QVERIFY(north != south);
    QVERIFY(north != northWithout);
    QCOMPARE(m_chart->paintOptions().facing, 0);
}

void ViewOptionsTest::zoomStepsAndTheirLimits()
{
    auto *frame = m_window->findChild<tessel::PlotFrame *>("picLocation");
    const QSize chart = m_chart->size();
    const QSize natural = frame->size();
    QCOMPARE(natural, frame->naturalSize());
    auto *view = m_window->findChild<tessel::ViewOptions *>();
    QCOMPARE(view->zoomPercent(), 100);

    const QList<int> steps{125, 150, 200, 300, 400, 400};
    for (const int step : steps) {
        action("mnuZoomIn")->trigger();
        QCOMPARE(view->zoomPercent(), step);
        QCOMPARE(m_chart->width(), int(std::lround(chart.width() * step / 100.0)));
        QCOMPARE(m_chart->height(), m_chart->width());
        QVERIFY(std::abs(frame->width() - natural.width() * step / 100.0) <= 1);
    }
    QVERIFY(!action("mnuZoomIn")->isEnabled());
    QTest::keyClick(m_window.get(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(view->zoomPercent(), 100);
    QCOMPARE(m_chart->size(), chart);
    QCOMPARE(frame->size(), natural);

    for (const int step : {75, 67, 50, 50}) {
        action("mnuZoomOut")->trigger();
        QCOMPARE(view->zoomPercent(), step);
    }
    QVERIFY(!action("mnuZoomOut")->isEnabled());
    QCOMPARE(m_chart->width(), int(std::lround(chart.width() / 2.0)));

    // Ctrl with the wheel, over the chart: a step a notch. Without Ctrl it does not zoom.
    const QPoint middle = m_chart->rect().center();
    for (const auto modifiers : {Qt::ControlModifier, Qt::NoModifier}) {
        QWheelEvent wheel(middle, m_chart->mapToGlobal(middle), {}, {0, 240}, Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_chart, &wheel);
        QCOMPARE(view->zoomPercent(), 75);
    }

    // Kept for the next run.
    restart();
    QCOMPARE(m_window->findChild<tessel::ViewOptions *>()->zoomPercent(), 75);
    QCOMPARE(m_chart->width(), int(std::lround(chart.width() * 0.75)));
}

void ViewOptionsTest::theWindowScrollsRatherThanOutgrowTheScreen()
{
    auto *view = m_window->findChild<tessel::ViewOptions *>();
    view->setZoomPercent(400);
    QTest::qWait(0);
    const QSize screen = m_window->screen()->availableGeometry().size();
    auto *area = m_window->findChild<tessel::ChartScrollArea *>();
    QVERIFY(m_chart->height() > screen.height());
    QVERIFY2(m_window->sizeHint().height() <= screen.height(),
             qPrintable(QString::number(m_window->sizeHint().height())));
    QVERIFY(area->height() < area->frame().height());

    // Back at the natural size the area is the frame again.
    view->setZoomPercent(100);
    QCOMPARE(area->size(), area->frame().size());
}

void ViewOptionsTest::aDragAtTwiceTheSizeLandsOnWholeTwips()
{
    m_window->findChild<tessel::ViewOptions *>()->setZoomPercent(200);
    const int room = place("Kitchen", 0, 0, 1600, 800);
    const QPoint grab = at(400, 200);
    QTest::mousePress(m_chart, Qt::LeftButton, {}, grab);
    QPoint pointer = grab;
    for (const QPoint step : {QPoint(5, 3), QPoint(17, 1), QPoint(41, 29)}) {
        pointer += step;
        QTest::mouseMove(m_chart, pointer);
    }
    QTest::mouseRelease(m_chart, Qt::LeftButton, {}, pointer);

    const tessel::ChartElement &moved = m_window->editor().txtRoom.at(room);
    // Half a twip a pixel finer than at the natural size, still on whole twips.
    const double twipsPerPixel = 1 / m_chart->scale();
    QCOMPARE(moved.left, float(std::nearbyint((pointer.x() - grab.x()) * twipsPerPixel)));
    QCOMPARE(moved.top, float(std::nearbyint((pointer.y() - grab.y()) * twipsPerPixel)));
    QCOMPARE(moved.left, std::round(moved.left));
    QVERIFY(moved.left > 0);
}

void ViewOptionsTest::theJpegDrawsWhatTheScreenShows()
{
    place("Master BedRoom", 800, 800, 1600, 1600);
    action("mnuShowZones")->trigger();
    action("mnuShowNames")->trigger();
    QTemporaryDir dir;
    tessel::ChartImageExporter exporter(*m_dialogs);
    const auto exported = [&](const char *name) {
        m_dialogs->fileAnswers = {dir.filePath(name).toStdString()};
        const std::string path = exporter.ExportChartImage(m_window->editor().txtRoom, *m_chart);
        return QImageReader(QString::fromStdString(path)).read();
    };
    const QImage actual = exported("actual");
    m_window->findChild<tessel::ViewOptions *>()->setZoomPercent(200);
    const QImage twice = exported("twice");
    QCOMPARE(twice.size(), actual.size() * 2);
    QCOMPARE(twice.size(), m_chart->size());
    // Drawn as the screen draws it, overlays included.
    QCOMPARE(tessel::renderChartImage(m_window->editor().txtRoom, *m_chart), chartImage());
}

void ViewOptionsTest::altVStillRunsTheAnalysis()
{
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    auto *field = m_window->findChild<QWidget *>("txtPlotLength");
    field->setFocus();
    QTest::keyClick(field, Qt::Key_V, Qt::AltModifier);
    QTRY_VERIFY(!m_window->isVisible());
    QVERIFY(m_window->findChild<QWidget *>("frmDisplay"));
}

namespace {

bool bluish(const QColor &c)
{
    return c.blue() > c.red() + 15;
}
bool orangish(const QColor &c)
{
    return c.red() > c.blue() + 15;
}

} // namespace

void ViewOptionsTest::verdictTintsReadOnPlainAndSelectedRoomsAndLeaveNoTraceWhenOff()
{
    // Facing North: South East is the kitchen's best zone, North West merely acceptable, and the
    // hall is sent away from the South.
    place("Kitchen", 3400, 3400, 800, 800);
    place("Kitchen", 100, 100, 800, 800);
    place("Hall", 2000, 3400, 800, 800);
    place("Garage", 100, 3400, 800, 800);
    const QImage before = chartImage();

    action("mnuShowVerdicts")->trigger();
    QVERIFY(m_window->findChild<QWidget *>("verdictLegend")->isVisible());
    const QImage tinted = chartImage();
    const QColor best = tinted.pixelColor(at(3800, 3800));
    QVERIFY(bluish(best));
    // Grey and orange each carry a pattern: both tints and their inks are inside the room.
    const auto colours = [&](double x, double y) {
        QSet<QRgb> seen;
        for (int dx = 0; dx < 8; ++dx)
            for (int dy = 0; dy < 8; ++dy)
                seen.insert(tinted.pixel(at(x, y) + QPoint(dx, dy)));
        return seen;
    };
    const QSet<QRgb> acceptable = colours(500, 500);
    QCOMPARE(acceptable.size(), 2);
    for (const QRgb c : acceptable)
        QVERIFY(!bluish(QColor(c)) && !orangish(QColor(c)) && c != QColor(Qt::white).rgb());
    const QSet<QRgb> moveAdvised = colours(2400, 3800);
    QCOMPARE(moveAdvised.size(), 2);
    for (const QRgb c : moveAdvised)
        QVERIFY(orangish(QColor(c)));
    // A room of no known kind keeps its white.
    QCOMPARE(tinted.pixelColor(at(500, 3800)), QColor(Qt::white));
    QCOMPARE(status(), "3 rooms judged: 1 in their best zone, 1 acceptable, 1 move advised");

    // Selected, the room stays green and frames itself in its verdict's ink.
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(3800, 3800));
    QVERIFY(status().endsWith("| best zone"));
    const QImage selected = chartImage();
    QCOMPARE(selected.pixelColor(at(3800, 3800)), QColor(0, 255, 0));
    QVERIFY(bluish(selected.pixelColor(at(3400, 3800) + QPoint(2, 0))));
    QTest::mouseMove(m_chart, at(2400, 3800));
    QVERIFY(status().endsWith("| move advised"));

    // Off, the chart is as it was, the selection aside, and the status bar names no verdict.
    action("mnuShowVerdicts")->trigger();
    QVERIFY(!m_window->findChild<QWidget *>("verdictLegend")->isVisible());
    QVERIFY(status().endsWith("best: North"));
    editChart([](tessel::ChartTable &table) { table.at(1).highlighted = false; });
    QCOMPARE(chartImage(), before);
}

void ViewOptionsTest::zoneTintsFollowTheRoomHeldByADrag()
{
    const QColor plot(192, 192, 192);
    place("Kitchen", 100, 100, 400, 400);
    place("Master BedRoom", 4200, 100, 400, 400);
    action("mnuShowVerdicts")->trigger();
    // Points of three zones where no room, guide line or name lies.
    const QPoint southEast = at(4400, 4400), southWest = at(400, 4400), north = at(2400, 900);
    QCOMPARE(chartImage().pixelColor(southEast), plot);

    QTest::mousePress(m_chart, Qt::LeftButton, {}, at(300, 300));
    QImage image = chartImage();
    QVERIFY(bluish(image.pixelColor(southEast))); // the kitchen's best zone
    QVERIFY(orangish(image.pixelColor(north)));   // marked to be left
    // Carried into its best zone the kitchen turns blue, over zones still tinted for it.
    QPoint pointer = at(300, 300);
    while (m_window->editor().txtRoom.at(1).left < 3500) {
        pointer += QPoint(6, 6);
        QTest::mouseMove(m_chart, pointer);
    }
    QVERIFY(status().endsWith("| best zone"));
    image = chartImage();
    QVERIFY(bluish(image.pixelColor(southEast)));
    QTest::mouseRelease(m_chart, Qt::LeftButton, {}, pointer);

    // Another kind, other zones: the master bedroom belongs in the South West.
    QTest::mouseClick(m_chart, Qt::LeftButton, {}, at(4400, 300));
    image = chartImage();
    QVERIFY(bluish(image.pixelColor(southWest)));
    QVERIFY(orangish(image.pixelColor(southEast)));
    action("mnuShowVerdicts")->trigger();
    QCOMPARE(chartImage().pixelColor(southWest), plot);
}

void ViewOptionsTest::aLongStatusKeepsItsVerdictWhole()
{
    const QString text = "Kitchen  10 x 10 ft  at 0, 0 ft  Is in the North West direction. | best: "
                         "South East | move advised";
    const QFontMetrics metrics(m_window->font());
    QCOMPARE(tessel::fitStatusText(text, metrics, 10000), text);
    for (const int width : {300, 200, 160}) {
        const QString shown = tessel::fitStatusText(text, metrics, width);
        QVERIFY2(shown.endsWith("\u2026 | move advised") &&
                     metrics.horizontalAdvance(shown) <= width,
                 qPrintable(shown));
        // Cut at a word.
        QVERIFY(text.startsWith(shown.left(shown.indexOf("\u2026")) + ' '));
    }
}

QTEST_MAIN(ViewOptionsTest)
#include "view_options_test.moc"
