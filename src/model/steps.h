#pragma once

#include "model/editor.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessel {

// One change a user made to the chart, as plain data that applies to the editor in either
// direction: the elements it wrote to as they were and as they became, ElementCount before
// and after, the stacking order where it changed other than by creating elements, and the
// editor's flags. A move keeps one element twice; only emptying the chart keeps it whole.
class Step
{
public:
    const std::string &name() const { return m_name; }
    // The element the step is about, for merging a run of moves; 0 when none.
    int subject() const { return m_subject; }
    void undo(Editor &editor) const;
    void redo(Editor &editor) const;
    // Whether applying it changes nothing at all.
    bool isEmpty() const;
    // Whether it changes the layout itself, not only which element is selected and what the
    // selection recorded: a plain click on a room changes nothing a save would write.
    bool changesLayout() const;
    // The elements it writes to, in index order, created and removed ones included.
    std::vector<int> touchedElements() const;
    // Whether it changes ElementCount or the stacking order, so that every element may be
    // drawn elsewhere in front or behind.
    bool changesOrder() const;
    // How many elements it keeps: what a history weighs its memory by. The stacking orders
    // it may keep are a number an element and are left out.
    std::size_t weight() const;
    // Takes the next step into this one, so that both are undone as one; only a step that
    // wrote to nothing but this step's subject, and created or removed nothing, is taken.
    bool absorb(const Step &next);

private:
    friend class StepRecorder;

    std::string m_name;
    int m_subject = 0;
    int m_countBefore = 0;
    int m_countAfter = 0;
    std::map<int, ChartElement> m_before;
    std::map<int, ChartElement> m_after;
    std::optional<std::vector<int>> m_stackingBefore;
    std::optional<std::vector<int>> m_stackingAfter;
    EditorFlags m_flagsBefore;
    EditorFlags m_flagsAfter;
    PlanImage m_planBefore;
    PlanImage m_planAfter;
};

// Records the step a command makes: made before the command runs, finished after it. Only
// one recorder may be open on an editor at a time.
class StepRecorder
{
public:
    StepRecorder(Editor &editor, std::string name, int subject = 0);
    ~StepRecorder();
    StepRecorder(const StepRecorder &) = delete;
    StepRecorder &operator=(const StepRecorder &) = delete;

    void rename(std::string name) { m_name = std::move(name); }
    Step finish();

private:
    Editor &m_editor;
    std::string m_name;
    int m_subject;
    EditorFlags m_flagsBefore;
    PlanImage m_planBefore;
    bool m_finished = false;
};

} // namespace tessel
