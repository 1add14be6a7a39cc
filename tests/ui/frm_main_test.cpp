#include "fake_dialogs.h"
#include "ui/frm_main.h"
#include "window_fixture.h"
#include "window_support.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>

#include <memory>

using tessel::Icon;
using tessel::testing::FakeDialogs;

class FrmMainTest : public QObject, public tessel::testing::WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsEmptyAndIdle();
    void controlsCarryTheirCaptions_data();
    void controlsCarryTheirCaptions();
    void openingPanelsWaitHidden();
    void menusRepeatTheCommands();

    void plotEntryIsRefused_data();
    void plotEntryIsRefused();
    void measureSetsTheScaleCaptions_data();
    void measureSetsTheScaleCaptions();
    void changeDirectionTurnsTheCompass_data();
    void changeDirectionTurnsTheCompass();
    void facingAloneLeavesTheCompass();

    void selectRoomOpensTheList();
    void pickingANameOpensTheEntryPanel();
    void aNameIsPickedWithTheKeyboard();
    void addRoomAnsweredNoKeepsThePanelClosed();
    void addRoomAnsweredYesOpensAnEmptyPanel();
    void okRefusesTheEntry_data();
    void okRefusesTheEntry();
    void okCreatesTheRoomToScale();
    void twoRoomsStartAtTheCornerSecondInFront();
    void aFullChartRefusesTheRoom();
    void cancelAbandonsTheEntry();
    void measuringAgainLeavesTheRoomsAsTheyAre();
    void theChartShowsRoomsToScale();

private:
    template<typename T>
    T *find(const char *name) const
    {
        return tessel::testing::findControl<T>(*m_window, name);
    }
    QLineEdit *field(const char *name) const { return find<QLineEdit>(name); }
    QPushButton *button(const char *name) const { return find<QPushButton>(name); }
    QWidget *focused() const { return QApplication::focusWidget(); }
    void enterPlot(const QString &length, const QString &width);
    void openEntryPanel(const QString &name);
    int elementCount() const { return m_window->editor().txtRoom.elementCount(); }
};

void FrmMainTest::init()
{
    QVERIFY(openWindow());
}

void FrmMainTest::cleanup()
{
    QVERIFY2(closeWindow(), "a dialog was shown that the test did not answer");
}

void FrmMainTest::enterPlot(const QString &length, const QString &width)
{
    field("txtPlotLength")->setText(length);
    field("txtPlotWidth")->setText(width);
}

// Plot 60 x 30, "Select Room", then a click on the catalogue entry.
void FrmMainTest::openEntryPanel(const QString &name)
{
    enterPlot("60", "30");
    button("cmdDefaultRoom")->click();
    auto *list = find<QListWidget>("lstRoom");
    const auto items = list->findItems(name, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.first()).center());
}

void FrmMainTest::startsEmptyAndIdle()
{
    QCOMPARE(m_window->objectName(), "frmMain");
    QCOMPARE(m_window->windowTitle(), "Tessel v1.45");
    QCOMPARE(find<QComboBox>("cmbDirection")->currentText(), "North");
    QCOMPARE(find<QComboBox>("cmbDirection")->count(), 4);
    QCOMPARE(find<QComboBox>("cmbDirection")->itemText(2), "West");
    QCOMPARE(find<QLabel>("lblUp")->text(), "N");
    QCOMPARE(find<QLabel>("lblDown")->text(), "S");
    QCOMPARE(find<QLabel>("lblLeft")->text(), "W");
    QCOMPARE(find<QLabel>("lblRight")->text(), "E");
    QVERIFY(find<QLabel>("lblLengthMesure")->isHidden());
    QVERIFY(find<QLabel>("lblLengthMesure")->text().isEmpty());
    QVERIFY(find<QLabel>("lblWidthMesure")->text().isEmpty());
    QVERIFY(!find<QListWidget>("lstRoom")->isEnabled());
    QCOMPARE(find<QListWidget>("lstRoom")->count(), 13);
    QCOMPARE(find<QListWidget>("lstRoom")->item(0)->text(), "Master BedRoom");
    QCOMPARE(find<QListWidget>("lstRoom")->item(12)->text(), "Drawing Room");
    QVERIFY(find<QGroupBox>("fraAddNewRoom")->isHidden());
    QVERIFY(button("cmdAddRoom")->isVisible());
    QVERIFY(button("cmdDefaultRoom")->isVisible());
    QCOMPARE(elementCount(), 0);
    QCOMPARE(m_window->editor().scales, tessel::Scales{});
    QVERIFY(find<QWidget>("picRoomLocation")->isVisible());
    QCOMPARE(find<QWidget>("picRoomLocation")->parentWidget()->objectName(), "picLocation");
    QVERIFY(m_dialogs->messages.empty());
}

void FrmMainTest::controlsCarryTheirCaptions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const char *const rows[][2] = {
        {"cmdMesure", "&Reduced Scale Measure "},
        {"Command1", "Change &Direction"},
        {"cmdAddRoom", "&Add Room"},
        {"cmdDefaultRoom", "&Select Room"},
        {"cmdDeleteRoom", "&Delete Room"},
        {"cmdDoor", "Create Door"},
        {"cmdDeleteDoor", "&Delete Door"},
        {"cmdFrontEntrence", "Main Entrance"},
        {"cmdBackEntrence", "Back Entrance"},
        {"cmdOK", "&OK"},
        {"cmdCancel", "&Cancel"},
        {"cmdOpen", "Open"},
        {"Command2", "&Save"},
        {"cmdAnalysis", "&Vastu Shastra Result"},
        {"cmdSaveAsJPEG", "Save As &JPEG"},
        {"cmdDoorDirectionOk", "&OK"},
        {"cmdDoorDirectionCancel", "&Cancel"},
        {"cmdDoorOk", "&OK"},
        {"cmdMECancel", "&Cancel"},
        {"cmdBEDirectionOk", "&OK"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

void FrmMainTest::controlsCarryTheirCaptions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QCOMPARE(button(name.toLatin1().constData())->text(), caption);
}

void FrmMainTest::openingPanelsWaitHidden()
{
    const char *const panels[][2] = {
        {"fraPlotArea", "Enter Plot/Apartment Area (In feet)"},
        {"fraPlotDirection", "Plot Direction"},
        {"fraRoomDetails", "Enter Room/Door Details"},
        {"fraAddNewRoom", "Enter Room Details"},
        {"fraSelectDirection", "Enter Facing Direction of the Door "},
        {"fraDoor", "Enter Length Of the Door"},
        {"FraSelectMEDirection", "Enter Facing Direction of the Main Entrance"},
        {"fraMe", "Enter Length Of the Main Entrance"},
        {"fraSelectBEDirection", "Enter Facing Direction of the Back Entrance"},
        {"fraBe", "Enter Length Of the Back Entrance"},
    };
    for (const auto &panel : panels)
        QCOMPARE(find<QGroupBox>(panel[0])->title(), panel[1]);
    QVERIFY(find<QGroupBox>("fraLayout")->title().trimmed() == "Layout Of Your Plot");
    for (const char *name : {"fraSelectDirection", "fraDoor", "FraSelectMEDirection", "fraMe",
                             "fraSelectBEDirection", "fraBe"})
        QVERIFY2(find<QGroupBox>(name)->isHidden(), name);
    for (const char *name : {"optSouth", "OptMESouth", "OptBESouth"})
        QVERIFY2(find<QRadioButton>(name)->isChecked(), name);
    for (const char *name : {"txtDoorWidth", "txtDoorLength", "txtMEWidth", "txtMELength",
                             "txtBEWidth", "txtBELength"})
        QVERIFY(field(name)->text().isEmpty());
}

void FrmMainTest::menusRepeatTheCommands()
{
    const char *const items[][2] = {
        {"mnuVastuInformation", "&Vastu Shastra Result"},
        {"mnuSave", "Save"},
        {"mnuJPEG", "Save As &JPEG"},
        {"mnuOpen", "Open"},
        {"mnuExit", "E&xit"},
        {"mnuAbout", "&About Software"},
    };
    for (const auto &item : items)
        QCOMPARE(find<QAction>(item[0])->text(), item[1]);

    find<QAction>("mnuAbout")->trigger();
    QCOMPARE(m_dialogs->messages.size(), 1u);
    QVERIFY(m_dialogs->lastMessage().find("Tessel v1.45") != std::string::npos);

    find<QAction>("mnuExit")->trigger();
    QVERIFY(!m_window->isVisible());
}

void FrmMainTest::plotEntryIsRefused_data()
{
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    // clang-format off
    QTest::newRow("both empty") << "" << "" << "Please enter your plot length" << "txtPlotLength";
    QTest::newRow("length empty") << "" << "30" << "Please enter your plot length" << "txtPlotLength";
    QTest::newRow("width empty") << "60" << "" << "Please enter your plot width" << "txtPlotWidth";
    QTest::newRow("lone point") << "." << "30" << "" << "txtPlotLength";
    QTest::newRow("two points") << "1.2.3" << "30" << "" << "txtPlotLength";
    QTest::newRow("zero length") << "0" << "30" << "" << "txtPlotLength";
    QTest::newRow("zero width") << "60" << "0" << "" << "txtPlotWidth";
    QTest::newRow("width no number") << "60" << "." << "" << "txtPlotWidth";
    // clang-format on
}

// Every command that starts from the plot refuses the same entries, with one message, the
// faulty field focused and the scales as they were.
void FrmMainTest::plotEntryIsRefused()
{
    QFETCH(QString, length);
    QFETCH(QString, width);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    enterPlot("60", "30");
    button("cmdMesure")->click();
    const tessel::Scales before = m_window->editor().scales;
    const QString caption = find<QLabel>("lblLengthMesure")->text();

    for (const char *command : {"cmdMesure", "cmdDefaultRoom", "cmdAddRoom"}) {
        m_dialogs->clear();
        enterPlot(length, width);
        button("Command1")->setFocus();
        button(command)->click();

        QCOMPARE(m_dialogs->messages.size(), 1u);
        QCOMPARE(m_dialogs->messages.front().icon, Icon::Information);
        if (!message.isEmpty())
            QCOMPARE(QString::fromStdString(m_dialogs->lastMessage()), message);
        QVERIFY(m_dialogs->questions.empty());
        QCOMPARE(focused()->objectName(), focus);
        QCOMPARE(m_window->editor().scales, before);
        QCOMPARE(find<QLabel>("lblLengthMesure")->text(), caption);
        QVERIFY(!find<QListWidget>("lstRoom")->isEnabled());
        QVERIFY(button("cmdDefaultRoom")->isVisible());
    }
}

void FrmMainTest::measureSetsTheScaleCaptions_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("lengthCaption");
    QTest::addColumn<QString>("widthCaption");
    // clang-format off
    QTest::newRow("60 x 30") << "C" << "60" << "30" << "[Length Scale is 1 :10]"
                             << "[Width Scale is 1 :5]";
    QTest::newRow("50 x 50") << "C" << "50" << " 50 " << "[Length Scale is 1 :8.33333333333333]"
                             << "[Width Scale is 1 :8.33333333333333]";
    // The number is written with the user's decimal separator.
    QTest::newRow("50 x 45 German") << "de_DE" << "50" << "45"
                                    << "[Length Scale is 1 :8,33333333333333]"
                                    << "[Width Scale is 1 :7,5]";
    // clang-format on
}

void FrmMainTest::measureSetsTheScaleCaptions()
{
    QFETCH(QString, locale);
    QFETCH(QString, length);
    QFETCH(QString, width);
    QFETCH(QString, lengthCaption);
    QFETCH(QString, widthCaption);
    auto restoreLocale = qScopeGuard([before = QLocale()] { QLocale::setDefault(before); });
    QLocale::setDefault(QLocale(locale));

    enterPlot(length, width);
    button("cmdMesure")->click();
    QVERIFY(m_dialogs->messages.empty());
    QVERIFY(find<QLabel>("lblLengthMesure")->isVisible());
    QCOMPARE(find<QLabel>("lblLengthMesure")->text(), lengthCaption);
    QCOMPARE(find<QLabel>("lblWidthMesure")->text(), widthCaption);

    // Changing the fields alone changes nothing until the next measure.
    enterPlot("12", "12");
    QCOMPARE(find<QLabel>("lblLengthMesure")->text(), lengthCaption);
}

void FrmMainTest::changeDirectionTurnsTheCompass_data()
{
    QTest::addColumn<int>("facing");
    QTest::addColumn<QString>("up");
    QTest::addColumn<QString>("down");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    // clang-format off
    QTest::newRow("North") << 0 << "N" << "S" << "W" << "E";
    QTest::newRow("South") << 1 << "S" << "N" << "E" << "W";
    QTest::newRow("West") << 2 << "W" << "E" << "S" << "N";
    QTest::newRow("East") << 3 << "E" << "W" << "N" << "S";
    // clang-format on
}

void FrmMainTest::changeDirectionTurnsTheCompass()
{
    QFETCH(int, facing);
    // Start from another facing so that every row has to change something.
    find<QComboBox>("cmbDirection")->setCurrentIndex((facing + 1) % 4);
    button("Command1")->click();
    find<QComboBox>("cmbDirection")->setCurrentIndex(facing);
    button("Command1")->click();
    QTEST(find<QLabel>("lblUp")->text(), "up");
    QTEST(find<QLabel>("lblDown")->text(), "down");
    QTEST(find<QLabel>("lblLeft")->text(), "left");
    QTEST(find<QLabel>("lblRight")->text(), "right");
    QVERIFY(m_dialogs->messages.empty());
}

void FrmMainTest::facingAloneLeavesTheCompass()
{
    find<QComboBox>("cmbDirection")->setCurrentIndex(3);
    QCOMPARE(find<QLabel>("lblUp")->text(), "N");
    QCOMPARE(find<QLabel>("lblRight")->text(), "E");
}

void FrmMainTest::selectRoomOpensTheList()
{
    enterPlot("60", "30");
    button("cmdDefaultRoom")->click();
    QVERIFY(m_dialogs->messages.empty());
    QVERIFY(find<QListWidget>("lstRoom")->isEnabled());
    QVERIFY(button("cmdDefaultRoom")->isHidden());
    QVERIFY(find<QGroupBox>("fraAddNewRoom")->isHidden());
    QCOMPARE(m_window->editor().scales, (tessel::Scales{10, 5}));
}

void FrmMainTest::pickingANameOpensTheEntryPanel()
{
    field("txtLength")->setText("12");
    openEntryPanel("Puja Room");
    QVERIFY(find<QGroupBox>("fraAddNewRoom")->isVisible());
    QCOMPARE(field("txtAddRoomName")->text(), "Puja Room");
    // The size fields keep what they hold.
    QCOMPARE(field("txtLength")->text(), "12");
}

// "Select Room" hands the keyboard to the list; Enter picks an entry, the length comes next.
void FrmMainTest::aNameIsPickedWithTheKeyboard()
{
    enterPlot("60", "30");
    button("cmdDefaultRoom")->click();
    auto *list = find<QListWidget>("lstRoom");
    QCOMPARE(focused(), list);
    QTest::keyClick(list, Qt::Key_End);
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(find<QGroupBox>("fraAddNewRoom")->isVisible());
    QCOMPARE(field("txtAddRoomName")->text(), "Family Room");
    QCOMPARE(focused(), field("txtLength"));
}

void FrmMainTest::addRoomAnsweredNoKeepsThePanelClosed()
{
    enterPlot("60", "30");
    m_dialogs->yesNoAnswers = {false};
    button("cmdAddRoom")->click();
    QCOMPARE(m_dialogs->questions.size(), 1u);
    QCOMPARE(m_dialogs->questions.front().text, "Do you want to create a  new room ?");
    QCOMPARE(m_dialogs->questions.front().icon, Icon::None);
    QVERIFY(find<QGroupBox>("fraAddNewRoom")->isHidden());
    QVERIFY(button("cmdAddRoom")->isVisible());
    // The scales were computed before the question.
    QCOMPARE(m_window->editor().scales, (tessel::Scales{10, 5}));
    QCOMPARE(find<QLabel>("lblWidthMesure")->text(), "[Width Scale is 1 :5]");
}

void FrmMainTest::addRoomAnsweredYesOpensAnEmptyPanel()
{
    field("txtAddRoomName")->setText("OLD");
    field("txtLength")->setText("5");
    field("txtwidth")->setText("6");
    enterPlot("60", "30");
    m_dialogs->yesNoAnswers = {true};
    button("cmdAddRoom")->click();
    QVERIFY(find<QGroupBox>("fraAddNewRoom")->isVisible());
    QVERIFY(button("cmdAddRoom")->isHidden());
    QVERIFY(field("txtAddRoomName")->text().isEmpty());
    QVERIFY(field("txtLength")->text().isEmpty());
    QVERIFY(field("txtwidth")->text().isEmpty());
    QCOMPARE(focused(), field("txtAddRoomName"));
    QVERIFY(m_dialogs->messages.empty());
}

void FrmMainTest::okRefusesTheEntry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    // clang-format off
    QTest::newRow("no name") << "" << "10" << "10" << "Please enter room name" << "txtAddRoomName";
    QTest::newRow("no length") << "HALL" << "" << "" << "Please enter length of the room" << "txtLength";
    QTest::newRow("too long") << "HALL" << "61" << ""
        << "Length of the room can't be greater than plot length" << "txtLength";
    QTest::newRow("no width") << "HALL" << "60" << "" << "Please enter width of the room" << "txtwidth";
    QTest::newRow("too wide") << "HALL" << "10" << "30.5"
        << "Width of the room can't be greater than plot width" << "txtwidth";
    // Entries that pass those checks but cannot be drawn or stored: each in its own words.
    QTest::newRow("length lone point") << "HALL" << "." << "10" << "" << "txtLength";
    QTest::newRow("length two points") << "HALL" << "1.2.3" << "10" << "" << "txtLength";
    QTest::newRow("length zero") << "HALL" << "0" << "10" << "" << "txtLength";
    QTest::newRow("width zero") << "HALL" << "10" << "0" << "" << "txtwidth";
    QTest::newRow("width two points") << "HALL" << "10" << "2..5" << "" << "txtwidth";
    QTest::newRow("quote in name") << "MY \"HALL\"" << "10" << "10" << "" << "txtAddRoomName";
    QTest::newRow("only spaces") << "   " << "10" << "10" << "" << "txtAddRoomName";
    // clang-format on
}

void FrmMainTest::okRefusesTheEntry()
{
    QFETCH(QString, name);
    QFETCH(QString, length);
    QFETCH(QString, width);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    enterPlot("60", "30");
    m_dialogs->yesNoAnswers = {true};
    button("cmdAddRoom")->click();
    field("txtAddRoomName")->setText(name);
    field("txtLength")->setText(length);
    field("txtwidth")->setText(width);
    button("cmdOK")->click();

    QCOMPARE(m_dialogs->messages.size(), 1u);
    QCOMPARE(m_dialogs->messages.front().icon, Icon::None);
    QCOMPARE(focused()->objectName(), focus);
    if (!message.isEmpty()) {
        QCOMPARE(QString::fromStdString(m_dialogs->lastMessage()), message);
        // The faulty field is empty: it was, or a size too large was erased.
        QVERIFY(field(focus.toLatin1().constData())->text().isEmpty());
    }
    QCOMPARE(elementCount(), 0);
    QVERIFY(!m_window->editor().roomCreated);
    QVERIFY(find<QGroupBox>("fraAddNewRoom")->isVisible());
}

void FrmMainTest::okCreatesTheRoomToScale()
{
    openEntryPanel("Kitchen");
    field("txtLength")->setText("10");
    field("txtwidth")->setText("10");
    button("cmdOK")->click();

    QCOMPARE(m_dialogs->messages.size(), 1u);
    QCOMPARE(m_dialogs->lastMessage(), "Now Drag The Room To Bring It To Your Prefered Position");
    QCOMPARE(m_dialogs->messages.front().icon, Icon::None);
    QCOMPARE(elementCount(), 1);
    const tessel::ChartElement &room = m_window->editor().txtRoom.at(1);
    QCOMPARE(room.text, "Kitchen");
    QCOMPARE(room.width, 1600.0f);
    QCOMPARE(room.height, 800.0f);
    QCOMPARE(room.left, 0.0f);
    QCOMPARE(room.top, 0.0f);
    QVERIFY(room.visible);
    QVERIFY(m_window->editor().roomCreated);

    QVERIFY(find<QGroupBox>("fraAddNewRoom")->isHidden());
    QVERIFY(button("cmdDefaultRoom")->isVisible());
    QVERIFY(button("cmdAddRoom")->isVisible());
    QVERIFY(!find<QListWidget>("lstRoom")->isEnabled());
    QCOMPARE(focused(), button("Command1"));
    QCOMPARE(field("txtAddRoomName")->text(), "Kitchen");
    QVERIFY(field("txtLength")->text().isEmpty());
    QVERIFY(field("txtwidth")->text().isEmpty());
}

void FrmMainTest::twoRoomsStartAtTheCornerSecondInFront()
{
    enterPlot("60", "30");
    for (const char *name : {"STUDY", "  GUEST  "}) {
        m_dialogs->yesNoAnswers = {true};
        button("cmdAddRoom")->click();
        field("txtAddRoomName")->setText(name);
        field("txtLength")->setText("20");
        field("txtwidth")->setText("15");
        button("cmdOK")->click();
    }
    QCOMPARE(elementCount(), 2);
    const auto &table = m_window->editor().txtRoom;
    QCOMPARE(table.at(2).text, "GUEST");
    for (int index : {1, 2}) {
        QCOMPARE(table.at(index).left, 0.0f);
        QCOMPARE(table.at(index).top, 0.0f);
        QCOMPARE(table.at(index).width, 2400.0f);
        QCOMPARE(table.at(index).height, 1600.0f);
    }
    QCOMPARE(table.stackingOrder().back(), 2);
    QCOMPARE(m_dialogs->messages.size(), 2u);
}

void FrmMainTest::aFullChartRefusesTheRoom()
{
    editChart([](tessel::ChartTable &table) {
        while (!table.isFull())
            table.createElement();
    });
    openEntryPanel("Hall");
    field("txtLength")->setText("10");
    field("txtwidth")->setText("10");
    button("cmdOK")->click();

    QCOMPARE(m_dialogs->messages.size(), 1u);
    QVERIFY(m_dialogs->lastMessage().find("32767") != std::string::npos);
    QCOMPARE(elementCount(), tessel::ChartTable::kMaxIndex);
    QVERIFY(find<QGroupBox>("fraAddNewRoom")->isVisible());
}

void FrmMainTest::cancelAbandonsTheEntry()
{
    openEntryPanel("Hall");
    field("txtLength")->setText("10");
    field("txtwidth")->setText("10");
    button("cmdCancel")->click();

    QVERIFY(find<QGroupBox>("fraAddNewRoom")->isHidden());
    QVERIFY(button("cmdAddRoom")->isVisible());
    QVERIFY(button("cmdDefaultRoom")->isVisible());
    QVERIFY(!find<QListWidget>("lstRoom")->isEnabled());
    for (const char *name : {"txtAddRoomName", "txtLength", "txtwidth"})
        QVERIFY(field(name)->text().isEmpty());
    QCOMPARE(elementCount(), 0);
    QVERIFY(m_dialogs->messages.empty());
    // The scales of "Select Room" stay.
    QCOMPARE(m_window->editor().scales, (tessel::Scales{10, 5}));
}

void FrmMainTest::measuringAgainLeavesTheRoomsAsTheyAre()
{
    openEntryPanel("Kitchen");
    field("txtLength")->setText("10");
    field("txtwidth")->setText("10");
    button("cmdOK")->click();
    enterPlot("120", "90");
    button("cmdMesure")->click();
    QCOMPARE(m_window->editor().scales, (tessel::Scales{20, 15}));
    QCOMPARE(m_window->editor().txtRoom.at(1).width, 1600.0f);
    QCOMPARE(m_window->editor().txtRoom.at(1).height, 800.0f);
}

void FrmMainTest::theChartShowsRoomsToScale()
{
    auto *chart = find<QWidget>("picRoomLocation");
    const double pixelsPerTwip = chart->logicalDpiX() / 1440.0;
    QCOMPARE(chart->width(), qRound(4800 * pixelsPerTwip));
    QCOMPARE(chart->height(), chart->width());

    openEntryPanel("Kitchen");
    field("txtLength")->setText("30");
    field("txtwidth")->setText("10");
    button("cmdOK")->click();
    m_window->document().nudgeElement(1, 2400, 0);

    // The room spans x 2400..4000 and y 0..2400 twips.
    const QImage image = chart->grab().toImage();
    auto colourAt = [&](double x, double y) {
        return image.pixelColor(qRound(x * pixelsPerTwip), qRound(y * pixelsPerTwip));
    };
    const QColor grey(192, 192, 192);
    QCOMPARE(colourAt(3600, 1200), QColor(Qt::white));
    QCOMPARE(colourAt(2000, 1200), grey);
    QCOMPARE(colourAt(4400, 1200), grey);
    QCOMPARE(colourAt(3600, 2800), grey);

    m_window->document().pressElement(1);
    m_window->document().dropElement(1);
    chart->repaint();
    QCOMPARE(chart->grab().toImage().pixelColor(qRound(3600 * pixelsPerTwip),
                                                qRound(1200 * pixelsPerTwip)),
             QColor(0, 255, 0));
}

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
