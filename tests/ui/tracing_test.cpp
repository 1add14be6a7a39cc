#include "chart_elements.h"
#include "fake_dialogs.h"
#include "model/placement.h"
#include "plan_images.h"
#include "ui/chart_export.h"
#include "ui/chart_widget.h"
#include "ui/document.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/view_options.h"
#include "window_fixture.h"

#include <QAction>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using tessel::testing::FakeDialogs;

// Drawing over a plan: snapping to whole feet, a room's properties, zoom to fit and the plan
// image under the rooms.
class TracingTest : public QObject, public tessel::testing::WindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void snappedDragsLandOnWholeFeet_data();
    void snappedDragsLandOnWholeFeet();
    void propertiesMoveAndResizeARoomInOneStep();
    void aPlanImageIsShownSavedAndOpenedAgain();
    void filesThatAreNoPlanImageAreRefused();
    void aFullColourPlanImageBeyondTheDecodersDefaultLimitLoads();
    void thePdfDrawsThePlanImageAsTheChartShowsIt();
    void zoomToFitFillsTheWindowTheUserMade();

private:
    QAction *action(const char *name) const
    {
        auto *found = m_window->findChild<QAction *>(name);
        if (!found)
            qFatal("no action %s", name);
        return found;
    }
    void measure(const char *length, const char *width);
    QPoint at(double x, double y) const
    {
        return QPointF(x * m_chart->scale(), y * m_chart->scale()).toPoint();
    }
    const tessel::ChartElement &element(int index) const
    {
        return std::as_const(m_window->editor().txtRoom).at(index);
    }

    tessel::ChartWidget *m_chart = nullptr;
};

void TracingTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TracingTest::init()
{
    QVERIFY(openWindow());
    m_chart = m_window->findChild<tessel::ChartWidget *>("picRoomLocation");
}

void TracingTest::cleanup()
{
    QVERIFY2(closeWindow(), "a dialog was shown that the test did not answer");
}

void TracingTest::measure(const char *length, const char *width)
{
    m_window->findChild<QLineEdit *>("txtPlotLength")->setText(length);
    m_window->findChild<QLineEdit *>("txtPlotWidth")->setText(width);
    QVERIFY(m_window->reducedScaleMeasure());
}

void TracingTest::snappedDragsLandOnWholeFeet_data()
{
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("width");
    // Twips a foot across and down: 160 and 80; 68.57 and 96.
    QTest::newRow("60 x 30") << "60"
                             << "30";
    QTest::newRow("50 x 70") << "50"
                             << "70";
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
    QMouseEvent move(QEvent::MouseMove, to, m_chart->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::AltModifier);
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

void TracingTest::aPlanImageIsShownSavedAndOpenedAgain()
{
    QTemporaryDir dir;
    // Red on the left half, blue on the right: stretched over the chart whatever its shape.
    QImage plan(200, 50, QImage::Format_RGB32);
    plan.fill(Qt::red);
    for (int y = 0; y < 50; ++y)
        for (int x = 100; x < 200; ++x)
            plan.setPixelColor(x, y, Qt::blue);
    const QString png = dir.filePath("plan.png");
    QVERIFY(plan.save(png));
    place("Kitchen", 0, 0, 1600, 800);
    QVERIFY(!action("mnuShowPlanImage")->isEnabled());

    const auto pixel = [this](double x, double y) {
        return m_chart->grab().toImage().pixelColor(at(x, y));
    };
    const QColor grey(192, 192, 192);
    QCOMPARE(pixel(1000, 3000), grey);
    m_dialogs->fileAnswers = {png.toStdString()};
    action("mnuPlanImage")->trigger();
    QVERIFY(action("mnuShowPlanImage")->isChecked());
    QVERIFY(action("mnuPlanOpacity50")->isChecked());
    // Half red over the grey, under the room, which stays white.
    const QColor half = pixel(1000, 3000);
    QVERIFY2(half.red() > 200 && half.green() < 110 && half.blue() < 110, qPrintable(half.name()));
    QCOMPARE(pixel(800, 400), QColor(Qt::white));
    QCOMPARE(pixel(3600, 3000).blue() > 200, true);

    action("mnuShowPlanImage")->trigger();
    QCOMPARE(pixel(1000, 3000), grey);
    action("mnuShowPlanImage")->trigger();
    action("mnuPlanOpacity100")->trigger();
    QCOMPARE(pixel(1000, 3000), QColor(Qt::red));
    action("mnuUndo")->trigger();
    QCOMPARE(pixel(1000, 3000), half);
    action("mnuRedo")->trigger();
    // The JPEG draws what the screen shows.
    QCOMPARE(
        tessel::renderChartImage(m_window->editor().txtRoom, *m_chart).pixelColor(at(1000, 3000)),
        QColor(Qt::red));

    // Kept in the document, not beside it.
    const QString layout = dir.filePath("traced.tessel");
    m_dialogs->fileAnswers = {layout.toStdString()};
    action("mnuSaveLayoutAs")->trigger();
    QVERIFY(QFile::remove(png));
    action("mnuNewLayout")->trigger();
    QCOMPARE(pixel(1000, 3000), grey);
    QVERIFY(!action("mnuShowPlanImage")->isChecked());
    m_dialogs->fileAnswers = {layout.toStdString()};
    action("mnuOpenLayout")->trigger();
    QCOMPARE(pixel(1000, 3000), QColor(Qt::red));
    QVERIFY(action("mnuPlanOpacity100")->isChecked());
    QVERIFY(!m_window->document().isModified());

    action("mnuRemovePlanImage")->trigger();
    QCOMPARE(pixel(1000, 3000), grey);
    QVERIFY(m_window->document().isModified());
    QVERIFY(!action("mnuShowPlanImage")->isEnabled());
    QVERIFY(m_dialogs->messages.empty());
}

void TracingTest::filesThatAreNoPlanImageAreRefused()
{
    QTemporaryDir dir;
    const auto write = [&dir](const char *name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    };
    QImage wide(10001, 1, QImage::Format_Mono);
    wide.fill(0);
    const QString widePath = dir.filePath("wide.png");
    QVERIFY(wide.save(widePath));
    const struct
    {
        QString path;
        const char *why;
    } files[] = {
        {write("notes.png", "Kitchen 10 x 10\n"), "it is not an image Tessel can read"},
        {widePath, "it is larger than 10000 pixels on a side"},
        {write("huge.bmp", QByteArray(20 * 1024 * 1024 + 1, 'B')), "it is larger than 20 MB"},
    };
    for (const auto &file : files) {
        m_dialogs->clear();
        m_dialogs->fileAnswers = {file.path.toStdString()};
        action("mnuPlanImage")->trigger();
        QCOMPARE(m_dialogs->lastMessage(), "The plan image \"" + file.path.toStdString() +
                                               "\" cannot be used: " + file.why +
                                               ".\n\nNothing was changed.");
        QVERIFY(!m_window->editor().plan.isSet());
        QVERIFY(!m_window->document().isModified());
        QVERIFY(!action("mnuUndo")->isEnabled());
    }
}

void TracingTest::aFullColourPlanImageBeyondTheDecodersDefaultLimitLoads()
{
    QTemporaryDir dir;
    const QString png = dir.filePath("scan.png");
    QVERIFY(tessel::testing::fullColourImage({6000, 6000}).save(png));
    m_dialogs->fileAnswers = {png.toStdString()};
    action("mnuPlanImage")->trigger();
    QVERIFY2(m_dialogs->messages.empty(), m_dialogs->lastMessage().c_str());
    QVERIFY(action("mnuShowPlanImage")->isChecked());
    // The document keeps the file as it was, not the image as decoded.
    QFile file(png);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(*m_window->editor().plan.base64 == file.readAll().toBase64().toStdString());
    // Half red over the grey where the scan is red, at its right edge and top.
    const QColor shown = m_chart->grab().toImage().pixelColor(at(4790, 10));
    QVERIFY2(shown.red() > 200 && shown.green() < 130, qPrintable(shown.name()));
}

void TracingTest::thePdfDrawsThePlanImageAsTheChartShowsIt()
{
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        QSKIP("pdftoppm (poppler-utils) is needed to draw the PDF");
    QTemporaryDir dir;
    QImage plan(64, 64, QImage::Format_RGB32);
    plan.fill(tessel::testing::kPlanGreen);
    const QString png = dir.filePath("plan.png");
    QVERIFY(plan.save(png));
    place("Kitchen", 0, 0, 1600, 800);
    m_dialogs->fileAnswers = {png.toStdString()};
    action("mnuPlanImage")->trigger();
    const auto greenOfPdf = [&](const char *name) {
        m_window->findChild<QPushButton *>("cmdAnalysis")->click();
        auto *display = m_window->findChild<tessel::FrmDisplay *>("frmDisplay");
        const QString pdf = dir.filePath(name);
        m_dialogs->fileAnswers = {pdf.toStdString()};
        display->findChild<QPushButton *>("cmdExportPdf")->click();
        display->back();
        delete display;
        return tessel::testing::planGreenPixels(tessel::testing::firstPageOf(pdf));
    };
    // At half its strength, under the rooms, over most of the chart.
    const std::vector<QColor> half = greenOfPdf("half.pdf");
    QVERIFY2(half.size() > 1000, qPrintable(QString::number(half.size())));
    QVERIFY(half[half.size() / 2].red() > 60);
    action("mnuPlanOpacity100")->trigger();
    const std::vector<QColor> opaque = greenOfPdf("opaque.pdf");
    QVERIFY(opaque[opaque.size() / 2].red() < 30);
    action("mnuShowPlanImage")->trigger();
    QVERIFY(greenOfPdf("hidden.pdf").empty());
    QVERIFY(m_dialogs->messages.empty());
}

void TracingTest::zoomToFitFillsTheWindowTheUserMade()
{
    auto *view = m_window->findChild<tessel::ViewOptions *>();
    auto *frame = m_window->findChild<tessel::PlotFrame *>("picLocation");
    const QSize natural = m_window->size();
    QCOMPARE(natural, m_window->sizeHint());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    int previous = view->zoomPercent();
    for (const QSize larger : {QSize(250, 150), QSize(600, 500)}) {
        m_window->resize(natural + larger);
        QTRY_COMPARE(m_window->size(), natural + larger);
        QTest::keyClick(m_window.get(), Qt::Key_9, Qt::ControlModifier);
        QVERIFY(view->isZoomedToFit());
        // Larger, to scale and square, and all of it in the window as the user left it.
        QVERIFY2(view->zoomPercent() > previous, qPrintable(QString::number(view->zoomPercent())));
        QCOMPARE(m_chart->width(), m_chart->height());
        QVERIFY(std::abs(frame->width() -
                         frame->naturalSize().width() * view->zoomPercent() / 100.0) <= 1);
        QCOMPARE(m_window->size(), natural + larger);
        QCOMPARE(m_window->findChild<tessel::ChartScrollArea *>()->size(), frame->size());
        QVERIFY(m_window->sizeHint().width() <= m_window->width());
        QVERIFY(m_window->sizeHint().height() <= m_window->height());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        previous = view->zoomPercent();
    }
    // A drag on the fitted chart still lands on whole twips.
    const int room = place("Kitchen", 0, 0, 1600, 800);
    QTest::mousePress(m_chart, Qt::LeftButton, {}, at(400, 200));
    QTest::mouseMove(m_chart, at(400, 200) + QPoint(37, 23));
    QTest::mouseRelease(m_chart, Qt::LeftButton, {}, at(400, 200) + QPoint(37, 23));
    QCOMPARE(element(room).left, std::round(element(room).left));
    QVERIFY(element(room).left > 0);

    QTest::keyClick(m_window.get(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(view->zoomPercent(), 100);
    QVERIFY(!view->isZoomedToFit());
}

QTEST_MAIN(TracingTest)
#include "tracing_test.moc"
