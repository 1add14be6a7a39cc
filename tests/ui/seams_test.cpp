#include "chart_elements.h"
#include "model/rooms.h"
#include "sample_plan.h"
#include "storage/layout_document.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tessel;
using tessel::testing::FakeDialogs;

// Where two features meet: a file handed over while a dialog waits, the layout file's Save on
// a layout kept in a document, the plot and the facing as part of the layout, a document's
// plan image, and Room Properties on the edges of the plot.
class SeamsTest : public QObject, public testing::WindowFixture
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(openWindow()); }
    void cleanup() { QVERIFY2(closeWindow(), "a dialog was shown that the test did not answer"); }

    void aHandOverWaitsForTheDialogToBeAnswered();
    void aHandOverWaitsForTheRestoreQuestion();
    void theLayoutFileSaveLeavesADocumentModified();
    void thePlotAndTheFacingAreSteps();
    void openLayoutAsksOnce();
    void aDocumentsFaultyPlanImageIsLeftOut();
    void roomPropertiesKeepTheRoomOnThePlot();

private:
    // A document of `count` rooms in a row on a 60 by 30 ft plot.
    QString writeDocument(const QString &name, int count) const;
    void trigger(const char *action) const { find<QAction>(action)->trigger(); }
};

QString SeamsTest::writeDocument(const QString &name, int count) const
{
    ChartTable table;
    for (int i = 0; i < count; ++i)
        testing::placeElement(table, "Room " + std::to_string(i + 1), float(i % 6) * 800,
                              float(i / 6) * 800, 800, 800);
    QFile file(inDir(name));
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(file.fileName()));
    file.write(QByteArray::fromStdString(writeLayoutDocument({"60", "30", Facing::North, table})));
    return file.fileName();
}

void SeamsTest::aHandOverWaitsForTheDialogToBeAnswered()
{
    const QString ten = writeDocument("ten.tessel", 10);
    const QString five = writeDocument("five.tessel", 5);
    QVERIFY(window().openLayoutFile(ten));
    document().pressElement(10);
    document().dropElement(10);

    // Another start hands a file over while Room Properties is open.
    dialogs().whileOpen = [&] {
        QVERIFY(!window().openLayoutFile(five));
    };
    RoomProperties changed = roomProperties(document().editor(), 10);
    changed.name = "Study Room";
    dialogs().propertiesAnswers = {changed};
    // The change makes work to ask about; the handed file waits for the answer.
    dialogs().choiceAnswers = {Choice::Cancel};
    trigger("mnuRoomProperties");
    QCOMPARE(editor().txtRoom.at(10).text, "Study Room");
    QTRY_COMPARE(dialogs().choices.size(), std::size_t(1));
    QCOMPARE(document().filePath(), ten);

    // Once nothing is asked, the handed file opens.
    dialogs().choiceAnswers = {Choice::Discard};
    QVERIFY(window().openLayoutFile(five));
    QCOMPARE(editor().txtRoom.elementCount(), 5);
}

void SeamsTest::aHandOverWaitsForTheRestoreQuestion()
{
    const QString five = writeDocument("five.tessel", 5);
    const QString recovery = inDir("recovery");
    QVERIFY(QDir().mkpath(recovery));
    {
        QFile file(recovery + "/left-by-a-crash.tessel");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(
            writeLayoutDocument(testing::samplePlanDocument(Facing::East))));
    }
    dialogs().whileOpen = [&] {
        QVERIFY(!window().openLayoutFile(five));
    };
    dialogs().yesNoAnswers = {true};
    dialogs().choiceAnswers = {Choice::Cancel};
    window().keepRecoveryFile(recovery);

    // The work brought back is not replaced without a word: the handed file asks first.
    QTRY_COMPARE(dialogs().choices.size(), std::size_t(1));
    QCOMPARE(editor().txtRoom.elementCount(),
             testing::samplePlanDocument(Facing::East).table.elementCount());
    QVERIFY(document().isModified());
}

void SeamsTest::theLayoutFileSaveLeavesADocumentModified()
{
    const QString path = inDir("plan.tessel");
    document().load(testing::samplePlan().txtRoom, {"60", "30"}, path, false);
    QVERIFY(!document().isModified());

    dialogs().yesNoAnswers = {true};
    find<QPushButton>("Command2")->click();
    QCOMPARE(editor().txtRoom.elementCount(), 0);
    // The emptied chart is in no document: the document still holds the layout.
    QVERIFY(document().isModified());
    QVERIFY(window().isWindowModified());
    dialogs().choiceAnswers = {Choice::Cancel};
    QVERIFY(!window().close());
    QCOMPARE(dialogs().choices.size(), std::size_t(1));

    // A layout kept nowhere else is in the layout file now.
    startWith(testing::samplePlan());
    dialogs().yesNoAnswers = {true};
    find<QPushButton>("Command2")->click();
    QVERIFY(!document().isModified());
}

void SeamsTest::thePlotAndTheFacingAreSteps()
{
    const QString path = inDir("plan.tessel");
    startWith(testing::samplePlan());
    dialogs().fileAnswers = {path.toStdString()};
    trigger("mnuSaveLayoutAs");
    QVERIFY(!document().isModified());

    find<QComboBox>("cmbDirection")->setCurrentIndex(int(Facing::East));
    find<QPushButton>("Command1")->click();
    QVERIFY(document().isModified());
    QCOMPARE(window().windowTitle(), "plan.tessel[*] - Tessel v1.45");
    find<QLineEdit>("txtPlotLength")->setText("80");
    find<QPushButton>("cmdMesure")->click();
    QCOMPARE(editor().scales.length, 80.0 / 6);

    trigger("mnuUndo");
    QCOMPARE(find<QLineEdit>("txtPlotLength")->text(), "60");
    QCOMPARE(editor().scales.length, 10.0);
    trigger("mnuRedo");
    trigger("mnuSaveLayout");
    QVERIFY(!document().isModified());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const auto saved = readLayoutDocument(file.readAll().toStdString());
    QVERIFY(saved.document);
    QCOMPARE(saved.document->plotLength, "80");
    QCOMPARE(saved.document->facing, Facing::East);

    // Undone back to the save, the facing is the saved one again.
    trigger("mnuUndo");
    trigger("mnuUndo");
    QCOMPARE(find<QComboBox>("cmbDirection")->currentIndex(), int(Facing::East));
    trigger("mnuUndo");
    QCOMPARE(find<QComboBox>("cmbDirection")->currentIndex(), int(Facing::North));
}

void SeamsTest::openLayoutAsksOnce()
{
    const QString five = writeDocument("five.tessel", 5);
    startWith(testing::samplePlan());
    document().nudgeElement(1, 0, 1600);
    QVERIFY(document().isModified());
    dialogs().choiceAnswers = {Choice::Discard};
    dialogs().fileAnswers = {five.toStdString()};
    trigger("mnuOpenLayout");
    QCOMPARE(dialogs().choices.size(), std::size_t(1));
    QCOMPARE(document().filePath(), five);
}

void SeamsTest::aDocumentsFaultyPlanImageIsLeftOut()
{
    LayoutDocument plan = testing::samplePlanDocument(Facing::North);
    plan.plan.base64 = std::make_shared<const std::string>(
        QByteArray("these bytes are no picture").toBase64().toStdString());
    QFile file(inDir("junk.tessel"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(writeLayoutDocument(plan)));
    file.close();

    QVERIFY(window().openLayoutFile(file.fileName()));
    QCOMPARE(dialogs().messages.size(), std::size_t(1));
    QVERIFY(dialogs().lastMessage().find("cannot be used: it is not an image Tessel can read") !=
            std::string::npos);
    QCOMPARE(editor().txtRoom.elementCount(), plan.table.elementCount());
    QVERIFY(!editor().plan.isSet());
    QVERIFY(!find<QAction>("mnuRemovePlanImage")->isEnabled());
    QVERIFY(!find<QAction>("mnuShowPlanImage")->isEnabled());
}

void SeamsTest::roomPropertiesKeepTheRoomOnThePlot()
{
    // Not measured: feet mean nothing yet, and the dialog does not open.
    const int room = place("Kitchen", 0, 0, 800, 800);
    document().pressElement(room);
    document().dropElement(room);
    trigger("mnuRoomProperties");
    QCOMPARE(dialogs().lastMessage(), "Please reduced scale measure");
    QVERIFY(dialogs().propertiesShown.empty());

    startWith(document().table());
    document().pressElement(room);
    document().dropElement(room);
    RoomProperties far = roomProperties(document().editor(), room);
    far.left = "1000";
    RoomProperties edge = far;
    edge.left = "25";
    dialogs().propertiesAnswers = {far, edge};
    trigger("mnuRoomProperties");
    QCOMPARE(dialogs().messages.size(), std::size_t(2));
    QCOMPARE(dialogs().lastMessage(), "The room would reach beyond the plot. For its size, place "
                                      "it at most 25 ft from the left and 50 ft from the top");
    QCOMPARE(dialogs().propertiesShown.back().second, Field::RoomLeft);
    // At the edge it fits.
    QCOMPARE(editor().txtRoom.at(room).left, 4000.0f);
}

QTEST_MAIN(SeamsTest)
#include "seams_test.moc"
