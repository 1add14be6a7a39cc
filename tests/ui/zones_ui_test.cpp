#include "analysis/report.h"
#include "ui/chart_painter.h"
#include "ui/chart_widget.h"
#include "ui/frm_display.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tessel;

// The zone wheel in the window: the bearing typed beside the facing, the method and the rule
// set chosen in the View menu, what the status line and the report say on a wheel, and the
// adviser's proposal, previewed and applied as one step.
class ZonesUiTest : public QObject, public testing::WindowFixture
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(openWindow());
        // A kitchen in the south-west corner, away from its best zone, and a hall in the
        // north-west one.
        ChartTable table;
        testing::placeElement(table, "Kitchen", 0, 3200, 1600, 1600);
        testing::placeElement(table, "Hall", 0, 0, 1600, 1600);
        startWith(table, "60", "40");
    }
    void cleanup() { QVERIFY2(closeWindow(), "a dialog was shown that the test did not answer"); }

    void theBearingIsTypedAndFollowsTheFacing();
    void aWheelTellsSharesAndAddsToTheReport();
    void ruleSetsLoadOrAreRefused();
    void theChartTintsByTheWheelTurnedByTheBearing();
    void aSuggestionIsPreviewedThenAppliedAsOneStep();

private:
    void trigger(const char *name) const { find<QAction>(name)->trigger(); }
    QString status() const { return find<QLabel>("lblStatus")->text(); }
    void select(int index) const
    {
        document().pressElement(index);
        document().dropElement(index);
    }
};

void ZonesUiTest::theBearingIsTypedAndFollowsTheFacing()
{
    auto *bearing = find<QLineEdit>("txtBearing");
    QCOMPARE(bearing->text(), "0");
    bearing->setText("377.5");
    QTest::keyClick(bearing, Qt::Key_Return);
    QCOMPARE(dialogs().lastMessage(), kBearingRefusal);
    QCOMPARE(document().plot().bearing, Bearing{});

    bearing->selectAll();
    QTest::keyClicks(bearing, "17.5");
    QTest::keyClick(bearing, Qt::Key_Return);
    QCOMPARE(document().plot().bearing.tenths(), 175);
    QVERIFY(document().isModified());

    // Choosing a facing sets its bearing; undone, the typed one is back in the field.
    find<QComboBox>("cmbDirection")->setCurrentIndex(int(Facing::East));
    find<QPushButton>("Command1")->click();
    QCOMPARE(bearing->text(), "90");
    trigger("mnuUndo");
    QCOMPARE(bearing->text(), "17.5");
    QCOMPARE(dialogs().messages.size(), 1u);
}

void ZonesUiTest::aWheelTellsSharesAndAddsToTheReport()
{
    trigger("mnuZonesWheel16");
    QCOMPARE(document().plot().zoneMethod, ZoneMethod::Wheel16);
    QVERIFY(find<QAction>("mnuZonesWheel16")->isChecked());
    select(1);
    QVERIFY2(status().startsWith("Kitchen: S") && status().contains(" %"), qPrintable(status()));
    QCOMPARE(find<QLabel>("lblRuleSet")->text(), "Rules: built-in");

    // The specified report as it is, then the wheel's section.
    const std::string specified = RunAnalysis(document().table(), 0);
    find<QPushButton>("cmdAnalysis")->click();
    auto *display = m_window->findChild<FrmDisplay *>();
    QVERIFY(display);
    const QString report =
        display->findChild<QWidget *>("txtRoomAnalysis")->property("plainText").toString();
    QVERIFY(report.contains("ZONE WHEEL"));
    QVERIFY(report.indexOf("ZONE WHEEL") > report.indexOf("Analysis for Kitchen"));
    display->close();

    // Undone (the selection, then the method), the method is the specified one again, and so
    // is the status line.
    trigger("mnuUndo");
    trigger("mnuUndo");
    QVERIFY(find<QAction>("mnuZonesByCorner")->isChecked());
    QVERIFY(!find<QLabel>("lblRuleSet")->isVisible());
    QVERIFY(!status().contains('%'));
    QVERIFY(!specified.empty());
}

void ZonesUiTest::ruleSetsLoadOrAreRefused()
{
    trigger("mnuZonesWheel8");
    const QString junk = inDir("junk.json");
    QFile file(junk);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\"name\": \"half\", \"kinds\": [");
    file.close();
    dialogs().fileAnswers = {junk.toStdString(), std::string(TESSEL_RULE_SET_EXAMPLE)};
    trigger("mnuLoadRuleSet");
    QVERIFY(dialogs().lastMessage().find("cannot be used") != std::string::npos);
    QCOMPARE(find<QLabel>("lblRuleSet")->text(), "Rules: built-in");

    trigger("mnuLoadRuleSet");
    QCOMPARE(find<QLabel>("lblRuleSet")->text(), "Rules: Sixteen-zone school (example)");
    QVERIFY(!find<QAction>("mnuBuiltInRuleSet")->isChecked());
    trigger("mnuBuiltInRuleSet");
    QCOMPARE(find<QLabel>("lblRuleSet")->text(), "Rules: built-in");
}

void ZonesUiTest::theChartTintsByTheWheelTurnedByTheBearing()
{
    // The kitchen's middle, in the chart's pixels.
    const auto kitchenFill = [this] {
        const double scale = pixelsPerTwip(chart());
        return chart().grab().toImage().pixelColor(QPoint(int(800 * scale), int(4000 * scale)));
    };
    trigger("mnuShowVerdicts");
    QVERIFY(find<QAction>("mnuShowVerdicts")->isChecked());
    const QColor best = verdictLook(Verdict::Best).fill;
    QVERIFY(kitchenFill() != best);

    // With the top edge facing west the bottom-left corner lies south-east, where a kitchen
    // is best; the corner method still reads the chart as facing north.
    auto *bearing = find<QLineEdit>("txtBearing");
    bearing->setText("270");
    QTest::keyClick(bearing, Qt::Key_Return);
    QVERIFY(kitchenFill() != best);
    trigger("mnuZonesWheel8");
    QCOMPARE(kitchenFill(), best);
    trigger("mnuUndo");
    QVERIFY(kitchenFill() != best);
}

void ZonesUiTest::aSuggestionIsPreviewedThenAppliedAsOneStep()
{
    // The hall is kept where it is; the kitchen may move.
    select(2);
    trigger("mnuKeepInPlace");
    QVERIFY(editor().txtRoom.at(2).keptInPlace);
    const ChartTable before = document().table();

    trigger("mnuSuggestArrangement");
    auto *apply = find<QPushButton>("cmdApplyArrangement");
    QTRY_VERIFY_WITH_TIMEOUT(apply->isEnabled(), 10000);
    QVERIFY(chart().shownArrangement());
    // Nothing changes before the proposal is applied.
    QCOMPARE(document().table().at(1).left, before.at(1).left);
    apply->click();
    QVERIFY(!chart().shownArrangement());
    QVERIFY(!find<QWidget>("fraSuggestArrangement")->isVisible());
    const ChartElement &hall = editor().txtRoom.at(2);
    QCOMPARE(QPointF(hall.left, hall.top), QPointF(0, 0));
    QVERIFY(editor().txtRoom.at(1).left != before.at(1).left ||
            editor().txtRoom.at(1).top != before.at(1).top);
    QCOMPARE(find<QAction>("mnuUndo")->text(), "&Undo Suggest Arrangement");
    trigger("mnuUndo");
    QCOMPARE(editor().txtRoom.at(1).left, before.at(1).left);

    // A change to the layout sets a proposal aside.
    trigger("mnuSuggestArrangement");
    QTRY_VERIFY_WITH_TIMEOUT(apply->isEnabled(), 10000);
    document().nudgeElement(1, 0, 1600);
    QVERIFY(!chart().shownArrangement());
    QVERIFY(!find<QWidget>("fraSuggestArrangement")->isVisible());
}

QTEST_MAIN(ZonesUiTest)
#include "zones_ui_test.moc"
