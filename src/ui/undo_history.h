#pragma once

#include "model/steps.h"

#include <QObject>
#include <QUndoStack>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessel {

struct ChartElement;

// How a step names an element: a room by its text, an opening by its kind.
std::string elementName(const ChartElement &element);

// The window's undo history: each change a user makes to the chart, recorded as a Step around
// the command that makes it and kept on one QUndoStack.
//
// A command is recorded with record(), or from open() to close() when it spans several events
// (a drag from press to release). A step that changes nothing is not kept.
class History : public QObject
{
    Q_OBJECT
public:
    static constexpr int kStepLimit = 100;
    // Elements the kept steps may hold in all: three copies of a full chart. The oldest steps
    // go when more are held.
    static constexpr std::size_t kWeightLimit = 3 * (ChartTable::kMaxIndex + 1);

    explicit History(Editor &editor, QObject *parent = nullptr);
    ~History() override;

    // Runs the command and keeps the step it made; run: as open().
    template<class F>
    decltype(auto) record(std::string name, int subject, F command, bool run = false)
    {
        open(std::move(name), subject, run);
        const Closer closer{*this};
        return command();
    }
    // Starts recording; a recording still open is closed first. Steps recorded as a run of
    // one subject's moves are undone as one.
    void open(std::string name, int subject = 0, bool run = false);
    void rename(std::string name);
    // Ends the open recording without keeping it: the command was refused.
    void discard();
    // Ends the open recording and keeps its step unless it changes nothing.
    void close();

    // Nothing is undone or redone while a recording is open.
    void undo();
    void redo();
    // The state at the last save or open, or at start; undoing back to it is clean again.
    bool isClean() const;
    void setClean();
    // Forgets every step: the chart now stands for a new start.
    void clear();
    const QUndoStack &stack() const { return m_stack; }

signals:
    // A step was kept, undone or redone: these elements may look different now, all of them
    // when elements were created, removed or restacked. Comes before `changed`.
    void elementsChanged(const std::vector<int> &indices, bool whole);
    // A step was kept, undone or redone, or the clean state was set: everything shown from
    // the editor is to be shown again.
    void changed();

private:
    struct Closer
    {
        History &history;
        ~Closer() { history.close(); }
    };
    void push(Step step, bool run);
    void tell(const Step &step);
    void dropOldest();

    Editor &m_editor;
    QUndoStack m_stack;
    std::optional<StepRecorder> m_recorder;
    bool m_run = false;
    // While set, the commands on the stack leave the editor alone: a step pushed has already
    // been made.
    bool m_silent = false;
};

} // namespace tessel
