#pragma once

#include "model/check.h"
#include "model/editor.h"
#include "model/openings.h"
#include "model/rooms.h"
#include "storage/layout_commands.h"
#include "ui/plan_image.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

class QUndoStack;

namespace tessel {

class Dialogs;
class FileAccess;
class History;
struct Arrangement;
struct LayoutDocument;

// The plot a layout document keeps, and the document a layout is kept in: its plot, chart and
// plan image (the chart copied).
PlotState plotOf(const LayoutDocument &layout);
LayoutDocument layoutOf(const Editor &editor);

// The layout being edited, whole: the element table with the facts the commands share, the
// plot as entered with its scales and facing, the plan image, the file it is kept in and the
// undo history. It is the only way to change any of them: every edit is one of its
// operations, which records one step named by its undo text.
//
// Views follow its signals and nothing else: `changed` after every step, undo, redo, load
// and save (the title, the actions' states, recovery, the status line), and
// `elementsChanged` naming the elements that may look different (the chart repaints those).
class Document : public QObject
{
    Q_OBJECT
public:
    explicit Document(QObject *parent = nullptr);
    ~Document() override;

    const Editor &editor() const { return m_editor; }
    const ChartTable &table() const { return m_editor.txtRoom; }
    const PlotState &plot() const { return m_editor.plot; }
    const QUndoStack &undoStack() const;
    // Its plan images decoded, once for each.
    const PlanImageCache &planImages() const { return m_planImages; }
    // Counts the layouts loaded: an edit asked for before a load is refused after it.
    int generation() const { return m_generation; }

    // The layout document this one is kept in; empty while it has none.
    const QString &filePath() const { return m_filePath; }
    // The file's name, or "Untitled".
    QString displayName() const;
    // Whether it holds work that is in no file.
    bool isModified() const;

    // Starts afresh with this chart and plot, kept in `filePath`, with a history of its own:
    // a new layout, one opened or one brought back. The scales are measured from the plot.
    void load(ChartTable table, const PlotState &plot, const QString &filePath, bool modified,
              PlanImage plan = {});
    // The layout is now kept, as it stands, in this file.
    void markSaved(const QString &filePath);

    void undo();
    void redo();
    bool canUndo() const;
    bool canRedo() const;

    // The plot. "&Reduced Scale Measure " with the fields' texts: refused with nothing changed
    // when they are no plot.
    std::optional<Refusal> measurePlot(const std::string &length, const std::string &width);
    // The facing chosen in cmbDirection, which the analysis reads as it is.
    void chooseFacing(Facing facing);
    // "Change &Direction": the compass rose turns to the facing chosen, and the bearing with
    // it.
    void changeDirection();
    // The exact bearing of the chart's top edge, as a consultant read it.
    void setBearing(Bearing bearing);
    // How the zones of the rooms are told.
    void setZoneMethod(ZoneMethod method);

    // Rooms.
    std::variant<int, Refusal> createRoom(const RoomEntry &entry);
    std::optional<Refusal> deleteSelectedRoom();
    // The room as its properties dialog changed it, if the document is still the one
    // (`generation`) the dialog was opened on and the room is still there.
    std::optional<Refusal> changeRoom(int index, int generation, const ChartElement &room);
    // Keeps the room where it is when an arrangement is suggested, or lets it move again.
    void setKeptInPlace(int index, bool kept);
    // Moves the rooms, and the openings on their walls, where the suggestion puts them.
    void applyArrangement(const Arrangement &arrangement);
    // Refused when the room `index` of the layout `generation` is gone.
    std::optional<Refusal> checkStillThere(int index, int generation) const;

    // The pointer. A left or middle press holds an element until its drop: the press, every
    // move and the drop are one step.
    void pressElement(int index);
    void dragElement(int index, double left, double top);
    std::optional<Refusal> dropElement(int index);
    // Whether an element is held between a press and its drop.
    bool isHolding() const { return m_held != 0; }
    // A move by key to (left, top); a room is not moved onto another room. A run of moves of
    // one element is undone as one.
    void nudgeElement(int index, double left, double top);

    // Openings. "Create Door" asks how many doors first: no change to the chart yet.
    OpeningOutcome askDoorCount(Dialogs &dialogs);
    OpeningOutcome pressEntranceButton(OpeningKind kind);
    OpeningOutcome placeOpening(OpeningKind kind, OpeningOrientation orientation,
                                const std::string &length);
    OpeningOutcome deleteDoor();
    // Deletes the element, whatever its kind, as its own delete command does; what that
    // command would say.
    std::optional<Refusal> deleteElement(int index);

    // "&Save" and "Open": the layout file of `folder`.
    LayoutOutcome saveLayoutFile(Dialogs &dialogs, FileAccess &files, const std::string &folder);
    LayoutOutcome openLayoutFile(Dialogs &dialogs, FileAccess &files, const std::string &folder);

    // The plan image.
    void setPlanImage(PlanImage plan);
    void removePlanImage();
    void showPlanImage(bool shown);
    void setPlanOpacity(int percent);

signals:
    void changed();
    // These elements may look different now; all of them (`whole`) when elements were
    // created, removed or restacked, or the layout was loaded.
    void elementsChanged(const std::vector<int> &indices, bool whole);

private:
    template<class F>
    decltype(auto) record(std::string name, int subject, F command, bool run = false);
    void closeHold();

    Editor m_editor;
    // Goes before the editor it records.
    std::unique_ptr<History> m_history;
    QString m_filePath;
    // A layout brought in from elsewhere (a layout file, a recovery) is in no document yet.
    bool m_unsavedLoad = false;
    int m_generation = 0;
    PlanImageCache m_planImages;
    // The element held by the pointer, 0 when none, and where it stood at the press.
    int m_held = 0;
    float m_heldLeft = 0;
    float m_heldTop = 0;
};

} // namespace tessel
