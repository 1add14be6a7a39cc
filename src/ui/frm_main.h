#pragma once

#include "model/check.h"
#include "model/editor.h"

#include <QMainWindow>

#include <QStringList>

#include <memory>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QVBoxLayout;

namespace tessel {

class ArrangementPanel;
class ChartScrollArea;
class ChartWidget;
class CompassRose;
class Dialogs;
class DialogTracker;
class Document;
class DocumentCommands;
class FileCommands;
class OpeningPanels;
class PlanImageCommands;
class RecoveryFile;
class RoomPlacement;
class ZoneRules;
struct Actions;

inline constexpr const char *kWindowCaption = "Tessel v1.45";

// The editor window: plot entry, the plot chart, room entry and the commands. It owns the
// document being edited and shows it as it changes; every command it runs is an action made
// in one place, which its buttons and menu items trigger. It asks the user everything through
// the dialogs it is given.
class FrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit FrmMain(Dialogs &dialogs, QWidget *parent = nullptr);
    ~FrmMain() override;

    const Editor &editor() const;
    Document &document() const { return *m_document; }
    const Actions &actions() const { return *m_actions; }
    DocumentCommands &documentCommands() const { return *m_documents; }

    // Opens a layout document, or a layout file of the first format, asking first about
    // unsaved changes; from the command line and from another start of the program. While an
    // element is held or a dialog is open, the file waits (false) until the drop or until the
    // dialog is answered.
    bool openLayoutFile(const QString &path);
    // Keeps a copy of unsaved work in a file of its own in this folder from now on, and first
    // offers to restore a copy a run that did not end cleanly left there.
    void keepRecoveryFile(const QString &folder);
    RecoveryFile *recoveryFile() const { return m_recovery; }
    PlanImageCommands &planImage() const { return *m_planImage; }

    // Measures the plot in the fields: the document's plot and scales; false, with a message
    // and nothing changed, when the plot entry is refused.
    bool reducedScaleMeasure();
    void changeDirection();
    void selectRoom();
    void addRoom();
    void pickRoomName(QListWidgetItem *item);
    void confirmRoom();
    void cancelRoom();
    // Shows the report on the chart in the report window in place of this one.
    void runAnalysis();
    // The folder that holds Structure.txt, for saving and opening; layoutFolder() by default.
    void setLayoutFolder(const QString &folder);

protected:
    // Asks before changes made since the start, the last save or the last open are lost.
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void connectActions();
    // Follows the document: the plot fields, the compass, the scales, the title, the undo
    // and redo items.
    void showDocument();
    void showPlot();
    void showTitle();
    // The commands on the selected room follow the selection.
    void showSelection();
    void enterBearing();
    void openWaitingFiles();
    QWidget *buildPlotColumn();
    QWidget *buildChartPanel();
    QWidget *buildRoomColumn();
    QWidget *buildDialogArea();
    void showAbout();
    void refuse(const Refusal &refusal);
    QLineEdit *fieldFor(Field field) const;

    DialogTracker &m_dialogs;
    Document *m_document = nullptr;
    std::unique_ptr<Actions> m_actions;
    ZoneRules *m_zoneRules = nullptr;
    DocumentCommands *m_documents = nullptr;
    RecoveryFile *m_recovery = nullptr;

    QLineEdit *m_plotLength = nullptr;
    QLineEdit *m_plotWidth = nullptr;
    QComboBox *m_direction = nullptr;
    QPushButton *m_changeDirection = nullptr;
    CompassRose *m_compass = nullptr;
    QLineEdit *m_bearing = nullptr;
    QString m_refusedBearing;
    ChartWidget *m_chart = nullptr;
    ChartScrollArea *m_chartArea = nullptr;
    QLabel *m_lengthScale = nullptr;
    QLabel *m_widthScale = nullptr;
    QPushButton *m_addRoom = nullptr;
    QPushButton *m_selectRoom = nullptr;
    QPushButton *m_deleteRoom = nullptr;
    QListWidget *m_roomList = nullptr;
    QGroupBox *m_roomPanel = nullptr;
    QLineEdit *m_roomName = nullptr;
    QLineEdit *m_roomLength = nullptr;
    QLineEdit *m_roomWidth = nullptr;
    FileCommands *m_fileCommands = nullptr;
    RoomPlacement *m_placement = nullptr;
    ArrangementPanel *m_arrangement = nullptr;
    QVBoxLayout *m_dialogStack = nullptr;
    // The plot as the fields last showed it from the document.
    PlotState m_shownPlot;
    bool m_showingPlot = false;
    // Files handed over while the window could not take them, in the order they came.
    QStringList m_waitingFiles;
    // The window is as large as its content, not as the user sized it.
    bool m_fitsContent = true;
    bool m_fittingContent = false;
    PlanImageCommands *m_planImage = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_saveJpeg = nullptr;
    QPushButton *m_door = nullptr;
    QPushButton *m_deleteDoor = nullptr;
    QPushButton *m_mainEntrance = nullptr;
    QPushButton *m_backEntrance = nullptr;
    // The door's steps, then the main entrance's, then the back entrance's.
    std::vector<OpeningPanels *> m_openings;
};

} // namespace tessel
