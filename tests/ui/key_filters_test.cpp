#include "fake_dialogs.h"
#include "ui/frm_main.h"
#include "ui/key_filters.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using tessel::Icon;
using tessel::testing::FakeDialogs;

// What typing does to the entry fields, and the tips of the controls.
class KeyFiltersTest : public QObject, public tessel::testing::WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sizeFieldsTakeNumbers_data();
    void sizeFieldsTakeNumbers();
    void slashShowsTheFieldsOwnMessage_data();
    void slashShowsTheFieldsOwnMessage();
    void editingKeysPass();
    void roomNameIsTypedInCapitals();
    void enterInADialogsNumberAcceptsIt();
    void controlsShowTheirHints_data();
    void controlsShowTheirHints();
    void entranceHintsFollowTheCaption();

private:
    QLineEdit *field(const QString &name) const
    {
        auto *edit = m_window->findChild<QLineEdit *>(name);
        if (!edit)
            qFatal("no field named %s", qPrintable(name));
        return edit;
    }
};

void KeyFiltersTest::init()
{
    QVERIFY(openWindow());
}

void KeyFiltersTest::cleanup()
{
    QVERIFY(closeWindow());
}

void KeyFiltersTest::sizeFieldsTakeNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("refused");
    // clang-format off
    QTest::newRow("decimal point") << "12.5" << "12.5" << 0;
    QTest::newRow("comma") << "12,5" << "125" << 1;
    QTest::newRow("two points") << "1.2.3" << "1.2.3" << 0;
    QTest::newRow("letters and blanks") << "1 ft" << "1" << 3;
    QTest::newRow("minus") << "-4" << "4" << 1;
    // clang-format on
}

void KeyFiltersTest::sizeFieldsTakeNumbers()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(int, refused);
    for (const char *name :
         {"txtPlotLength", "txtLength", "txtwidth", "txtDoorWidth", "txtMELength", "txtBEWidth"}) {
        m_dialogs->clear();
        QLineEdit *edit = field(name);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), text);
        QCOMPARE(m_dialogs->messages.size(), size_t(refused));
        for (const auto &shown : m_dialogs->messages)
            QCOMPARE(shown, (FakeDialogs::Shown{"Please enter only number", Icon::None}));
    }
}

void KeyFiltersTest::slashShowsTheFieldsOwnMessage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    const char *const rows[][2] = {
        {"txtPlotLength", "Please enter only number"}, {"txtPlotWidth", "Please enter only number"},
        {"txtLength", "Please enter only number"},     {"txtwidth", "Please enter  only number"},
        {"txtDoorLength", "Please enter only number"}, {"txtDoorWidth", "Please enter only Number"},
        {"txtMELength", "Please enter only number"},   {"txtMEWidth", "Please enter only number"},
        {"txtBELength", "Please enter only number"},   {"txtBEWidth", "Please enter only number"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

void KeyFiltersTest::slashShowsTheFieldsOwnMessage()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QTest::keyClicks(field(name), "1/2");
    QCOMPARE(field(name)->text(), "12");
    QCOMPARE(m_dialogs->messages.size(), 1u);
    QCOMPARE(QString::fromStdString(m_dialogs->lastMessage()), message);
    QCOMPARE(m_dialogs->messages.front().icon, Icon::None);
}

void KeyFiltersTest::editingKeysPass()
{
    QLineEdit *edit = field("txtPlotWidth");
    QSignalSpy entered(edit, &QLineEdit::returnPressed);
    QTest::keyClicks(edit, "123");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), "12");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(m_dialogs->messages.size(), 1u);
    QCOMPARE(m_dialogs->lastMessage(), "Please enter only number");
    QCOMPARE(entered.count(), 0);
    // Keys that type no character are not the filter's business.
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(edit->text(), "2");
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), "");
    QCOMPARE(m_dialogs->messages.size(), 1u);
}

void KeyFiltersTest::enterInADialogsNumberAcceptsIt()
{
    // As Room Properties makes its fields: the names, and filters, of the window's.
    QDialog dialog(m_window.get());
    auto *left = new QLineEdit(&dialog);
    left->setObjectName("txtRoomLeft");
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(left);
    layout->addWidget(buttons);
    tessel::attachKeyFilter(*left, *m_dialogs, true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(left, "12x");
    QCOMPARE(m_dialogs->messages.size(), 1u);
    QTest::keyClick(left, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(left->text(), "12");
    QCOMPARE(m_dialogs->messages.size(), 1u);
}

void KeyFiltersTest::roomNameIsTypedInCapitals()
{
    QLineEdit *name = field("txtAddRoomName");
    QTest::keyClicks(name, "master bedroom 2");
    QCOMPARE(name->text(), "MASTER BEDROOM 2");
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClicks(name, "b-Room");
    QCOMPARE(name->text(), "MASTER BEDROOM B-ROOM");
    QVERIFY(m_dialogs->messages.empty());
}

void KeyFiltersTest::controlsShowTheirHints_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hint");
    const char *const rows[][2] = {
        {"cmdMesure", "Click on this button to reduce the scale of your Plot"},
        {"Command1", "Select new direction and click on this button"},
        {"fraPlotDirection", "Select Direction of your Plot Here"},
        {"lblPlotLength", "Enter Length of Plot"},
        {"lblPlotWidth", "Enter Width of Plot"},
        {"picRoomLocation", "Drag and drop Chosen Room to change position"},
        {"lblListOfRooms", "Click on chosen Room to enter Room Details"},
        {"lstRoom", "Click on chosen Room to enter Area Details"},
        {"cmdDefaultRoom", "Click on this button and select one room from Room List"},
        {"cmdDeleteRoom", "Click on this button to delete selected room from Plot Chart"},
        {"lblRoomName", "This shows name of chosen Room"},
        {"txtAddRoomName", "This shows name of chosen Room"},
        {"lblRoomLength", "Enter Length of Room"},
        {"txtLength", "Enter Length of Room"},
        {"lblRoomWidth", "Enter Width of Room"},
        {"txtwidth", "Enter Width of Room"},
        {"cmdOK", "Click here if you have entered correct Length and Width"},
        {"cmdCancel", "Click here if you have not entered correct Length and Width"},
        {"cmdDoor",
         "Click on this button to create a Door for the selected Room in the Plot Chart"},
        {"cmdDeleteDoor", "Click on this button to delete selected door from Plot Chart"},
        {"cmdDoorOk", "Click here if you have entered the correct Lengt of The Door."},
        {"cmdDoorCancel", "Click here if you have NOT entered the correct Lengt of The Door."},
        {"cmdDoorDirectionOk", "Click here if you have entered the correct Facing Direction"},
        {"cmdDoorDirectionCancel",
         "Click here if you have NOT entered the correct Facing Direction"},
        {"cmdMEDirectionCancel", "Click here if you have NOT entered the correct Facing Direction"},
        {"cmdBEDirectionCancel", "Click here if you have NOT entered the correct Facing Direction"},
        {"cmdMEDirectionOk", "Click here if you have entered the correct Facing Direction."},
        {"cmdBEDirectionOk", "Click here if you have entered the correct Facing Direction."},
        {"cmdFrontEntrence",
         "Create a Room and Click on this button to create the Main Entrance in the Plot Chart"},
        {"cmdMEOk", "Click here if you have entered the correct Lengt of The Main Entrance."},
        {"cmdMECancel",
         "Click here if you have NOT entered the correct Lengt of The Main Entrance."},
        {"cmdBackEntrence", "Click on this button to create the Back Entrance in the Plot Chart"},
        {"cmdBEOk", "Click here if you have entered the correct Lengt of The Back Entrance."},
        {"cmdBECancel",
         "Click here if you have NOT entered the correct Lengt of The Back Entrance."},
        {"cmdOpen", "Click on this button to open previously saved Chart"},
        {"Command2", "Click on this button to save Current Chart"},
        {"cmdAnalysis", "Click here to view the Vastu Result for your Home"},
        {"optEast", "Choose this option if Facing Direction of new Door is East"},
        {"optNorth", "Choose this option if Facing Direction of new Door is North"},
        {"optSouth", "Choose this option if Facing Direction of new Door is South"},
        {"optWest", "Choose this option if Facing Direction of new Door is West"},
        {"optMEEast", "Choose this option if Facing Direction of new Main Entrance is East"},
        {"optMENorth", "Choose this option if Facing Direction of new Main Entrance is North"},
        {"OptMEWest", "Choose this option if Facing Direction of new Main Entrance is West"},
        {"OptMESouth", "Choose this option if Facing Direction of Main Entrance is South"},
        {"optBEEast", "Choose this option if Facing Direction of new Back Entrance is East"},
        {"optBENorth", "Choose this option if Facing Direction of new Back Entrance is North"},
        {"OptBESouth", "Choose this option if Facing Direction of new Back Entrance is South"},
        {"OptBEWest", "Choose this option if Facing Direction of new Back Entrance is West"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

void KeyFiltersTest::controlsShowTheirHints()
{
    QFETCH(QString, control);
    QFETCH(QString, hint);
    const auto *widget = m_window->findChild<QWidget *>(control);
    QVERIFY(widget);
    QCOMPARE(widget->toolTip(), hint);
    if (const auto *list = qobject_cast<const QListWidget *>(widget))
        QCOMPARE(list->item(3)->toolTip(), hint);
}

void KeyFiltersTest::entranceHintsFollowTheCaption()
{
    const struct
    {
        const char *button, *created, *deleted;
    } rows[] = {
        {"cmdFrontEntrence", "Delete Main Entrance",
         "Click on this button to delete Main Entrance from Plot Chart"},
        {"cmdBackEntrence", "Delete Back Entrance",
         "Click on this button to delete Back Entrance from Plot Chart"},
    };
    for (const auto &row : rows) {
        auto *button = m_window->findChild<QAbstractButton *>(row.button);
        const QString first = button->text();
        const QString createHint = button->toolTip();
        button->setText(row.created);
        // The tip is chosen when the pointer comes to rest on the button.
        QHelpEvent rest(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(button, &rest);
        QCOMPARE(button->toolTip(), row.deleted);
        button->setText(first);
        QApplication::sendEvent(button, &rest);
        QCOMPARE(button->toolTip(), createHint);
    }
}

QTEST_MAIN(KeyFiltersTest)
#include "key_filters_test.moc"
