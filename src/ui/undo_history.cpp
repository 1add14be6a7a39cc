#include "ui/undo_history.h"

#include "model/chart.h"
#include "model/openings.h"

#include <QUndoCommand>

#include <algorithm>
#include <vector>

namespace tessel {

namespace {

// The id of the steps of a run of moves by key, which QUndoStack merges.
constexpr int kRunOfMoves = 1;

// A Step on the QUndoStack. It leaves the editor alone while the history says so: when it is
// pushed, its command has run already.
class StepCommand : public QUndoCommand
{
public:
    StepCommand(Editor &editor, Step step, int id, const bool &silent)
        : QUndoCommand(QString::fromStdString(step.name()))
        , m_editor(editor)
        , m_step(std::move(step))
        , m_id(id)
        , m_silent(silent)
    {}

    void undo() override
    {
        if (!m_silent)
            m_step.undo(m_editor);
    }
    void redo() override
    {
        if (!m_silent)
            m_step.redo(m_editor);
    }
    int id() const override { return m_id; }
    void setId(int id) { m_id = id; }
    bool mergeWith(const QUndoCommand *other) override
    {
        if (!m_step.absorb(static_cast<const StepCommand *>(other)->m_step))
            return false;
        // Moved back where the run began: nothing is left to undo.
        setObsolete(m_step.isEmpty());
        return true;
    }
    const Step &step() const { return m_step; }
    Step &step() { return m_step; }

private:
    Editor &m_editor;
    Step m_step;
    int m_id;
    const bool &m_silent;
};

} // namespace

std::string elementName(const ChartElement &element)
{
    switch (kindOf(element.text)) {
    case ElementKind::Door:
    case ElementKind::DeletedDoor:
        return "Door";
    case ElementKind::MainEntrance:
        return openingTexts(OpeningKind::MainEntrance).elementText;
    case ElementKind::BackEntrance:
        return openingTexts(OpeningKind::BackEntrance).elementText;
    case ElementKind::DeletedEntrance:
        return "Entrance";
    case ElementKind::Room:
        break;
    }
    return element.text;
}

History::History(Editor &editor, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
{
    m_stack.setUndoLimit(kStepLimit);
}

History::~History()
{
    // The commands must not outlive the flag they read.
    m_stack.clear();
}

void History::open(std::string name, int subject, bool run)
{
    close();
    m_recorder.emplace(m_editor, std::move(name), subject);
    m_run = run;
}

void History::rename(std::string name)
{
    if (m_recorder)
        m_recorder->rename(std::move(name));
}

void History::discard()
{
    m_recorder.reset();
}

void History::close()
{
    if (!m_recorder)
        return;
    Step step = m_recorder->finish();
    m_recorder.reset();
    if (!step.isEmpty()) {
        tell(step);
        push(std::move(step), m_run);
        emit changed();
    }
}

void History::push(Step step, bool run)
{
    m_silent = true;
    m_stack.push(new StepCommand(m_editor, std::move(step), run ? kRunOfMoves : -1, m_silent));
    m_silent = false;
    dropOldest();
}

void History::dropOldest()
{
    // The newest steps that stay within the weight limit are kept.
    const int count = m_stack.count();
    int kept = count;
    std::size_t weight = 0;
    for (int i = count - 1; i >= 0; --i) {
        weight += static_cast<const StepCommand *>(m_stack.command(i))->step().weight();
        if (weight > kWeightLimit)
            break;
        kept = i;
    }
    if (kept == 0)
        return;

    // QUndoStack drops commands only by its step limit: it is filled anew with the kept
    // steps, which are taken out of their commands before those go.
    const int index = m_stack.index();
    const int clean = m_stack.cleanIndex();
    std::vector<std::pair<Step, int>> steps;
    for (int i = kept; i < count; ++i) {
        auto *command =
            const_cast<StepCommand *>(static_cast<const StepCommand *>(m_stack.command(i)));
        steps.emplace_back(std::move(command->step()), command->id());
    }
    m_silent = true;
    m_stack.clear();
    for (auto &[step, id] : steps) {
        // Pushed unmerged, then given back their ids so that a run can go on.
        auto *command = new StepCommand(m_editor, std::move(step), -1, m_silent);
        m_stack.push(command);
        command->setId(id);
    }
    if (clean >= kept) {
        m_stack.setIndex(clean - kept);
        m_stack.setClean();
    } else {
        m_stack.resetClean();
    }
    m_stack.setIndex(std::max(index - kept, 0));
    m_silent = false;
}

void History::tell(const Step &step)
{
    emit elementsChanged(step.touchedElements(), step.changesOrder());
}

void History::undo()
{
    if (m_recorder || !m_stack.canUndo())
        return;
    m_stack.undo();
    tell(static_cast<const StepCommand *>(m_stack.command(m_stack.index()))->step());
    emit changed();
}

void History::redo()
{
    if (m_recorder || !m_stack.canRedo())
        return;
    m_stack.redo();
    tell(static_cast<const StepCommand *>(m_stack.command(m_stack.index() - 1))->step());
    emit changed();
}

bool History::isClean() const
{
    if (m_recorder)
        return false;
    if (m_stack.isClean())
        return true;
    // Steps that only moved the selection lie between the clean point and now: nothing a
    // save would write has changed.
    const int clean = m_stack.cleanIndex();
    if (clean < 0)
        return false;
    for (int i = std::min(clean, m_stack.index()); i < std::max(clean, m_stack.index()); ++i) {
        if (static_cast<const StepCommand *>(m_stack.command(i))->step().changesLayout())
            return false;
    }
    return true;
}

void History::setClean()
{
    m_stack.setClean();
    emit changed();
}

void History::clear()
{
    m_recorder.reset();
    m_stack.clear();
    m_stack.setClean();
}

} // namespace tessel
