#pragma once

#include "model/check.h"
#include "model/openings.h"

#include <QObject>

class QAction;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tessel {

class Dialogs;
class Document;

// The two steps of one kind of opening: the facing step (four options, OK above Cancel) and
// the size step (one of two boxes in one place, then OK and Cancel), with the button of the
// command panel that starts them. The three kinds differ only in names and texts.
//
// Each command asks the document and applies the outcome: the message, the steps shown or
// hidden. The entrance's button follows the document.
class OpeningPanels : public QObject
{
    Q_OBJECT
public:
    // command: what starts it. start: its button, "Create Door", hidden while a door step is
    // open, or an entrance's two-state button, whose caption follows the chart.
    OpeningPanels(OpeningKind kind, Document &document, Dialogs &dialogs, QAction &command,
                  QPushButton &start, QObject *parent = nullptr);

    QGroupBox *facingPanel() const { return m_facingPanel; }
    QGroupBox *sizePanel() const { return m_sizePanel; }

    // The option checked in the facing step.
    Facing facing() const;
    // Which box the facing step left shown.
    OpeningOrientation orientation() const;
    QLineEdit *shownBox() const;
    // The size box a refusal names, if it is one of this opening's.
    QLineEdit *box(Field field) const;

    // The start button's press: the door count and the facing step, or an entrance's
    // creation or deletion.
    void start();
    void confirmFacing();
    void cancelFacing();
    void confirmSize();
    void cancelSize();
    // "&Delete Door", on the door's panels.
    void deleteDoor();
    // Sets an entrance's button from the chart; the door's keeps its caption.
    void refreshButton();
    void apply(const OpeningOutcome &outcome);

private:
    OpeningKind m_kind;
    Document &m_document;
    Dialogs &m_dialogs;
    QPushButton &m_start;

    QGroupBox *m_facingPanel = nullptr;
    // South, East, West, North, in the order of the facing step's rows.
    QRadioButton *m_options[4] = {};
    QGroupBox *m_sizePanel = nullptr;
    QLineEdit *m_width = nullptr;
    QLineEdit *m_length = nullptr;
};

} // namespace tessel
