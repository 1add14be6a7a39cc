#include "ui/document.h"

#include "analysis/arrangement.h"
#include "model/number.h"
#include "model/placement.h"
#include "model/plot.h"
#include "storage/layout_commands.h"
#include "storage/layout_document.h"
#include "ui/undo_history.h"

#include <QFileInfo>

#include <utility>

namespace tessel {

PlotState plotOf(const LayoutDocument &layout)
{
    return {layout.plotLength, layout.plotWidth, layout.facing, layout.facing,
            layout.bearing.value_or(facingBearing(layout.facing)), layout.zoneMethod};
}

LayoutDocument layoutOf(const Editor &editor)
{
    const PlotState &plot = editor.plot;
    LayoutDocument layout{plot.length, plot.width, plot.facing, editor.txtRoom};
    layout.plan = editor.plan;
    layout.bearing = plot.bearing;
    layout.zoneMethod = plot.zoneMethod;
    return layout;
}

Document::Document(QObject *parent)
    : QObject(parent)
    , m_history(std::make_unique<History>(m_editor))
{
    connect(m_history.get(), &History::elementsChanged, this, &Document::elementsChanged);
    connect(m_history.get(), &History::changed, this, &Document::changed);
}

Document::~Document() = default;

template<class F>
decltype(auto) Document::record(std::string name, int subject, F command, bool run)
{
    // A command that runs while an element is held (the guard lets none through, but a
    // queued call may come) ends that hold first, as its drop would.
    closeHold();
    return m_history->record(std::move(name), subject, std::move(command), run);
}

const QUndoStack &Document::undoStack() const
{
    return m_history->stack();
}

QString Document::displayName() const
{
    return m_filePath.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_filePath).fileName();
}

bool Document::isModified() const
{
    return m_unsavedLoad || !m_history->isClean();
}

void Document::load(ChartTable table, const PlotState &plot, const QString &filePath, bool modified,
                    PlanImage plan)
{
    m_held = 0;
    m_history->clear();
    replaceChart(m_editor, std::move(table));
    m_editor.plan = std::move(plan);
    m_editor.plot = plot;
    // The scales follow the plot; a plot not yet entered in full has none.
    m_editor.scales = ValidatePlotEntry(plot.length, plot.width)
                          ? Scales{}
                          : measureScales(plot.length, plot.width);
    m_filePath = filePath;
    m_unsavedLoad = modified;
    ++m_generation;
    emit elementsChanged({}, true);
    emit changed();
}

void Document::markSaved(const QString &filePath)
{
    m_filePath = filePath;
    m_unsavedLoad = false;
    m_history->setClean();
}

void Document::undo()
{
    closeHold();
    m_history->undo();
}

void Document::redo()
{
    closeHold();
    m_history->redo();
}

bool Document::canUndo() const
{
    return m_history->stack().canUndo();
}

bool Document::canRedo() const
{
    return m_history->stack().canRedo();
}

std::optional<Refusal> Document::measurePlot(const std::string &length, const std::string &width)
{
    if (auto refusal = ValidatePlotEntry(length, width))
        return refusal;
    record("Set Plot", 0, [&] {
        m_editor.plot.length = length;
        m_editor.plot.width = width;
        m_editor.scales = measureScales(length, width);
    });
    return std::nullopt;
}

void Document::chooseFacing(Facing facing)
{
    record("Choose Facing", 0, [&] { m_editor.plot.facing = facing; });
}

void Document::changeDirection()
{
    record("Change Direction", 0, [&] {
        m_editor.plot.compass = m_editor.plot.facing;
        m_editor.plot.bearing = facingBearing(m_editor.plot.facing);
    });
}

void Document::setBearing(Bearing bearing)
{
    record("Set Bearing", 0, [&] { m_editor.plot.bearing = bearing; });
}

void Document::setZoneMethod(ZoneMethod method)
{
    const char *name = method == ZoneMethod::ByCorner ? "Zones by Corner"
                       : method == ZoneMethod::Wheel8 ? "Zone Wheel of 8"
                                                      : "Zone Wheel of 16";
    record(name, 0, [&] { m_editor.plot.zoneMethod = method; });
}

void Document::setKeptInPlace(int index, bool kept)
{
    const ChartElement &room = std::as_const(m_editor.txtRoom).at(index);
    if (kindOf(room.text) != ElementKind::Room || room.keptInPlace == kept)
        return;
    record((kept ? "Keep " : "Free ") + room.text, 0,
           [&] { m_editor.txtRoom.at(index).keptInPlace = kept; });
}

void Document::applyArrangement(const Arrangement &arrangement)
{
    if (arrangement.moves.empty())
        return;
    record("Suggest Arrangement", 0, [&] {
        tessel::applyArrangement(m_editor.txtRoom, arrangement);
        // Every room stands where no other does.
        m_editor.overlapDetected = false;
    });
}

std::variant<int, Refusal> Document::createRoom(const RoomEntry &entry)
{
    return record("Create " + trimSpaces(entry.name), 0,
                  [&] { return tessel::createRoom(m_editor, entry); });
}

std::optional<Refusal> Document::deleteSelectedRoom()
{
    const ChartTable &table = m_editor.txtRoom;
    const auto selected = highlightedElement(table);
    return record("Delete " + (selected ? elementName(table.at(*selected)) : std::string("Room")),
                  0, [this] { return tessel::deleteSelectedRoom(m_editor); });
}

std::optional<Refusal> Document::checkStillThere(int index, int generation) const
{
    const ChartTable &table = m_editor.txtRoom;
    if (generation != m_generation || index < 1 || index > table.elementCount() ||
        kindOf(table.at(index).text) != ElementKind::Room || isDeleted(table.at(index)))
        return Refusal{"The room is no longer on the chart: another layout was opened meanwhile. "
                       "Nothing was changed.",
                       Icon::Information};
    return std::nullopt;
}

std::optional<Refusal> Document::changeRoom(int index, int generation, const ChartElement &room)
{
    if (auto gone = checkStillThere(index, generation))
        return gone;
    record("Change " + room.text, index, [&] {
        m_editor.txtRoom.at(index) = room;
        // What a press records of it, and what a drop at a free place leaves.
        m_editor.selectedRoomLength = chartToLength(room.height, m_editor.scales);
        m_editor.selectedRoomWidth = chartToWidth(room.width, m_editor.scales);
        m_editor.overlapDetected = false;
    });
    return std::nullopt;
}

void Document::pressElement(int index)
{
    closeHold();
    const ChartElement &pressed = std::as_const(m_editor.txtRoom).at(index);
    m_held = index;
    m_heldLeft = pressed.left;
    m_heldTop = pressed.top;
    // The step runs until the drop.
    m_history->open("Move " + elementName(pressed), index);
    emit elementsChanged(selectElement(m_editor, index), false);
}

void Document::dragElement(int index, double left, double top)
{
    if (index != m_held)
        return;
    moveElement(m_editor.txtRoom, index, left, top);
    emit elementsChanged({index}, false);
}

std::optional<Refusal> Document::dropElement(int index)
{
    if (index != m_held)
        return std::nullopt;
    m_held = 0;
    auto refusal = tessel::dropElement(m_editor, index);
    const ChartElement &dropped = std::as_const(m_editor.txtRoom).at(index);
    if (dropped.left == m_heldLeft && dropped.top == m_heldTop)
        m_history->rename("Select " + elementName(dropped));
    m_history->close();
    return refusal;
}

void Document::closeHold()
{
    if (m_held != 0)
        dropElement(m_held);
}

void Document::nudgeElement(int index, double left, double top)
{
    const ChartTable &table = m_editor.txtRoom;
    const ChartElement &element = table.at(index);
    const bool isRoom = kindOf(element.text) == ElementKind::Room;
    if (isRoom && movesOntoRoom(table, index, left, top))
        return;
    record(
        "Move " + elementName(element), index,
        [&] {
            moveElement(m_editor.txtRoom, index, left, top);
            // The room's place is checked as a drop checks it; it may leave an overlap behind.
            if (isRoom)
                tessel::dropElement(m_editor, index);
        },
        true);
}

OpeningOutcome Document::askDoorCount(Dialogs &dialogs)
{
    closeHold();
    return createDoor(m_editor, dialogs);
}

OpeningOutcome Document::pressEntranceButton(OpeningKind kind)
{
    return record(std::string("Delete ") + openingTexts(kind).elementText, 0,
                  [&] { return tessel::pressEntranceButton(m_editor, kind); });
}

OpeningOutcome Document::placeOpening(OpeningKind kind, OpeningOrientation orientation,
                                      const std::string &length)
{
    const char *name = kind == OpeningKind::Door ? "Door" : openingTexts(kind).elementText;
    return record(std::string("Create ") + name, 0,
                  [&] { return tessel::confirmSize(m_editor, kind, orientation, length); });
}

OpeningOutcome Document::deleteDoor()
{
    return record("Delete Door", 0, [this] { return tessel::deleteDoor(m_editor); });
}

std::optional<Refusal> Document::deleteElement(int index)
{
    const ChartElement &element = std::as_const(m_editor.txtRoom).at(index);
    switch (kindOf(element.text)) {
    case ElementKind::Room:
        return deleteSelectedRoom();
    case ElementKind::Door:
        return deleteDoor().message;
    case ElementKind::MainEntrance:
        return pressEntranceButton(OpeningKind::MainEntrance).message;
    case ElementKind::BackEntrance:
        return pressEntranceButton(OpeningKind::BackEntrance).message;
    case ElementKind::DeletedDoor:
    case ElementKind::DeletedEntrance:
        break;
    }
    return std::nullopt;
}

LayoutOutcome Document::saveLayoutFile(Dialogs &dialogs, FileAccess &files,
                                       const std::string &folder)
{
    const LayoutOutcome outcome = record("Save Layout", 0, [&] {
        LayoutOutcome done = SaveLayout(m_editor, dialogs, files, folder);
        // A refused command leaves the chart as it was: a fact it checked on the way is no
        // step.
        if (!done.chartChanged)
            m_history->discard();
        return done;
    });
    // What the chart held is now in the layout file. A layout kept in a document stays
    // modified until the document is saved; one kept nowhere else is saved by this, unless
    // it holds what the layout file never keeps (its plan image).
    if (outcome.chartChanged && m_filePath.isEmpty() && !m_editor.plan.isSet() && !m_unsavedLoad)
        m_history->setClean();
    return outcome;
}

LayoutOutcome Document::openLayoutFile(Dialogs &dialogs, FileAccess &files,
                                       const std::string &folder)
{
    // What was there and not saved is still in no file after the file's elements are added.
    const bool wasClean = !isModified();
    const LayoutOutcome outcome = record("Open Layout", 0, [&] {
        LayoutOutcome done = OpenLayout(m_editor, dialogs, files, folder);
        if (!done.chartChanged)
            m_history->discard();
        return done;
    });
    // A layout kept nowhere else with nothing in it but the file's elements matches the
    // file; one kept in a document does not match that document any more.
    if (outcome.chartChanged && wasClean && m_filePath.isEmpty() && !m_editor.plan.isSet())
        m_history->setClean();
    return outcome;
}

void Document::setPlanImage(PlanImage plan)
{
    record("Load Plan Image", 0, [&] { m_editor.plan = std::move(plan); });
}

void Document::removePlanImage()
{
    if (!m_editor.plan.isSet())
        return;
    record("Remove Plan Image", 0, [&] { m_editor.plan = PlanImage{}; });
}

void Document::showPlanImage(bool shown)
{
    if (!m_editor.plan.isSet() || m_editor.plan.shown == shown) {
        emit changed();
        return;
    }
    record(shown ? "Show Plan Image" : "Hide Plan Image", 0, [&] { m_editor.plan.shown = shown; });
}

void Document::setPlanOpacity(int percent)
{
    if (!m_editor.plan.isSet() || m_editor.plan.opacity == percent) {
        emit changed();
        return;
    }
    record("Plan Image Opacity", 0, [&] { m_editor.plan.opacity = percent; });
}

} // namespace tessel
