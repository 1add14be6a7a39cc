#include "ui/opening_panels.h"

#include "model/dialogs.h"
#include "ui/document.h"
#include "ui/make_widget.h"
#include "ui/refusal.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

#include <iterator>

namespace tessel {

namespace {

struct PanelNames
{
    // The facing step; its options in the order South, East, West, North.
    const char *facingPanel, *facingCaption, *options[4], *facingOk, *facingCancel;
    // The size step; the box of a horizontal opening, then that of a vertical one.
    const char *sizePanel, *sizeCaption, *width, *length, *sizeOk, *sizeCancel;
};

// In the order of OpeningKind: the door, the main entrance, the back entrance.
constexpr PanelNames kPanelNames[] = {
    {
        "fraSelectDirection",
        "Enter Facing Direction of the Door ",
        {"optSouth", "optEast", "optWest", "optNorth"},
        "cmdDoorDirectionOk",
        "cmdDoorDirectionCancel",
        "fraDoor",
        "Enter Length Of the Door",
        "txtDoorWidth",
        "txtDoorLength",
        "cmdDoorOk",
        "cmdDoorCancel",
    },
    {
        "FraSelectMEDirection",
        "Enter Facing Direction of the Main Entrance",
        {"OptMESouth", "optMEEast", "OptMEWest", "optMENorth"},
        "cmdMEDirectionOk",
        "cmdMEDirectionCancel",
        "fraMe",
        "Enter Length Of the Main Entrance",
        "txtMEWidth",
        "txtMELength",
        "cmdMEOk",
        "cmdMECancel",
    },
    {
        "fraSelectBEDirection",
        "Enter Facing Direction of the Back Entrance",
        {"OptBESouth", "optBEEast", "OptBEWest", "optBENorth"},
        "cmdBEDirectionOk",
        "cmdBEDirectionCancel",
        "fraBe",
        "Enter Length Of the Back Entrance",
        "txtBEWidth",
        "txtBELength",
        "cmdBEOk",
        "cmdBECancel",
    },
};

static_assert(static_cast<int>(OpeningKind::Door) == 0 &&
              static_cast<int>(OpeningKind::BackEntrance) == std::size(kPanelNames) - 1);

constexpr const char *kOptionCaptions[4] = {"South", "East", "West", "North"};
constexpr Facing kOptionFacings[4] = {Facing::South, Facing::East, Facing::West, Facing::North};

void applyStep(QWidget *panel, PanelChange change)
{
    if (change != PanelChange::Keep)
        panel->setVisible(change == PanelChange::Show);
}

} // namespace

OpeningPanels::OpeningPanels(OpeningKind kind, Document &document, Dialogs &dialogs,
                             QAction &command, QPushButton &start, QObject *parent)
    : QObject(parent)
    , m_kind(kind)
    , m_document(document)
    , m_dialogs(dialogs)
    , m_start(start)
{
    const PanelNames &names = kPanelNames[static_cast<int>(kind)];

    m_facingPanel = makePanel(names.facingPanel, names.facingCaption);
    auto *grid = new QGridLayout(m_facingPanel);
    for (int i = 0; i < 4; ++i) {
        m_options[i] = make<QRadioButton>(names.options[i], QString(kOptionCaptions[i]));
        m_options[i]->setChecked(kOptionFacings[i] == kFirstOpeningFacing);
        grid->addWidget(m_options[i], i / 2, i % 2);
    }
    auto *facingOk = makeButton(names.facingOk, "&OK");
    auto *facingCancel = makeButton(names.facingCancel, "&Cancel");
    grid->addWidget(facingOk, 0, 2);
    grid->addWidget(facingCancel, 1, 2);
    m_facingPanel->hide();

    m_sizePanel = makePanel(names.sizePanel, names.sizeCaption);
    auto *row = new QHBoxLayout(m_sizePanel);
    m_width = makeField(names.width, m_dialogs);
    m_length = makeField(names.length, m_dialogs);
    m_length->hide();
    row->addWidget(m_width);
    row->addWidget(m_length);
    auto *sizeOk = makeButton(names.sizeOk, "&OK");
    auto *sizeCancel = makeButton(names.sizeCancel, "&Cancel");
    row->addWidget(sizeOk);
    row->addWidget(sizeCancel);
    m_sizePanel->hide();

    connect(&command, &QAction::triggered, this, &OpeningPanels::start);
    connect(&document, &Document::changed, this, &OpeningPanels::refreshButton);
    connect(facingOk, &QPushButton::clicked, this, &OpeningPanels::confirmFacing);
    connect(facingCancel, &QPushButton::clicked, this, &OpeningPanels::cancelFacing);
    connect(sizeOk, &QPushButton::clicked, this, &OpeningPanels::confirmSize);
    connect(sizeCancel, &QPushButton::clicked, this, &OpeningPanels::cancelSize);
}

Facing OpeningPanels::facing() const
{
    for (int i = 0; i < 4; ++i) {
        if (m_options[i]->isChecked())
            return kOptionFacings[i];
    }
    return kFirstOpeningFacing;
}

OpeningOrientation OpeningPanels::orientation() const
{
    return m_width->isHidden() ? OpeningOrientation::Vertical : OpeningOrientation::Horizontal;
}

QLineEdit *OpeningPanels::shownBox() const
{
    return orientation() == OpeningOrientation::Vertical ? m_length : m_width;
}

QLineEdit *OpeningPanels::box(Field field) const
{
    const OpeningTexts &texts = openingTexts(m_kind);
    if (field == texts.widthBox)
        return m_width;
    if (field == texts.lengthBox)
        return m_length;
    return nullptr;
}

void OpeningPanels::start()
{
    // The door count is no change to the chart yet; an entrance's button deletes one when
    // the chart holds it.
    if (m_kind == OpeningKind::Door) {
        apply(m_document.askDoorCount(m_dialogs));
        return;
    }
    apply(m_document.pressEntranceButton(m_kind));
}

void OpeningPanels::confirmFacing()
{
    apply(tessel::confirmFacing(m_kind, facing(), compassCaptions(m_document.plot().compass).up));
}

void OpeningPanels::cancelFacing()
{
    apply(tessel::cancelFacing());
}

void OpeningPanels::confirmSize()
{
    apply(m_document.placeOpening(m_kind, orientation(), shownBox()->text().toStdString()));
}

void OpeningPanels::deleteDoor()
{
    apply(m_document.deleteDoor());
}

void OpeningPanels::cancelSize()
{
    apply(tessel::cancelSize());
}

void OpeningPanels::refreshButton()
{
    if (m_kind == OpeningKind::Door)
        return;
    const EntranceButton button = entranceButton(m_document.table(), m_kind);
    m_start.setText(QString::fromStdString(button.caption));
    applyTip(m_start);
}

void OpeningPanels::apply(const OpeningOutcome &outcome)
{
    if (outcome.message)
        showRefusal(m_dialogs, *outcome.message, box(outcome.message->focus));
    applyStep(m_facingPanel, outcome.facingStep);
    if (outcome.facingStep == PanelChange::Show) {
        // The keyboard goes on in the step just opened: arrows choose the facing, Tab leads on to
        // OK.
        for (QRadioButton *option : m_options) {
            if (option->isChecked())
                option->setFocus();
        }
    }
    if (outcome.sizeStep == PanelChange::Show) {
        QLineEdit *shown = box(outcome.sizeBox);
        QLineEdit *other = shown == m_width ? m_length : m_width;
        other->hide();
        shown->show();
        m_sizePanel->show();
        shown->setFocus();
    } else if (outcome.sizeStep == PanelChange::Hide) {
        m_width->clear();
        m_length->clear();
        m_sizePanel->hide();
    }
    if (m_kind == OpeningKind::Door)
        m_start.setVisible(m_facingPanel->isHidden() && m_sizePanel->isHidden());
}

} // namespace tessel
