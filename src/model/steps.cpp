#include "model/steps.h"

namespace tessel {

void Step::undo(Editor &editor) const
{
    editor.txtRoom.restore(m_countBefore, m_before, m_stackingBefore);
    m_flagsBefore.applyTo(editor);
    editor.plan = m_planBefore;
}

void Step::redo(Editor &editor) const
{
    editor.txtRoom.restore(m_countAfter, m_after, m_stackingAfter);
    m_flagsAfter.applyTo(editor);
    editor.plan = m_planAfter;
}

bool Step::isEmpty() const
{
    if (m_countBefore != m_countAfter || m_stackingBefore != m_stackingAfter ||
        m_flagsBefore != m_flagsAfter || m_planBefore != m_planAfter ||
        m_before.size() != m_after.size())
        return false;
    for (const auto &[index, element] : m_before) {
        const auto after = m_after.find(index);
        if (after == m_after.end() || !(after->second == element))
            return false;
    }
    return true;
}

std::size_t Step::weight() const
{
    return m_before.size() + m_after.size();
}

std::vector<int> Step::touchedElements() const
{
    std::vector<int> touched;
    touched.reserve(m_before.size() + m_after.size());
    auto before = m_before.begin();
    auto after = m_after.begin();
    while (before != m_before.end() || after != m_after.end()) {
        if (after == m_after.end() || (before != m_before.end() && before->first < after->first)) {
            touched.push_back((before++)->first);
        } else if (before == m_before.end() || after->first < before->first) {
            touched.push_back((after++)->first);
        } else {
            touched.push_back(before->first);
            ++before;
            ++after;
        }
    }
    return touched;
}

bool Step::changesOrder() const
{
    return m_countBefore != m_countAfter || m_stackingBefore != m_stackingAfter;
}

bool Step::changesLayout() const
{
    if (m_countBefore != m_countAfter || m_stackingBefore != m_stackingAfter ||
        m_planBefore != m_planAfter || m_flagsBefore.plot != m_flagsAfter.plot ||
        m_flagsBefore.scales != m_flagsAfter.scales)
        return true;
    for (const auto &[index, element] : m_before) {
        const auto after = m_after.find(index);
        if (after == m_after.end())
            return true;
        ChartElement shown = after->second;
        shown.highlighted = element.highlighted;
        shown.fillOverride = element.fillOverride;
        if (!(shown == element))
            return true;
    }
    return false;
}

bool Step::absorb(const Step &next)
{
    const bool onlySubject = m_subject != 0 && next.m_subject == m_subject &&
                             next.m_after.size() <= 1 &&
                             (next.m_after.empty() || next.m_after.begin()->first == m_subject);
    if (!onlySubject || next.m_countBefore != next.m_countAfter || next.m_stackingAfter ||
        next.m_planBefore != next.m_planAfter || m_countAfter != next.m_countBefore)
        return false;
    for (const auto &[index, element] : next.m_after) {
        m_before.try_emplace(index, next.m_before.at(index));
        m_after[index] = element;
    }
    m_flagsAfter = next.m_flagsAfter;
    return true;
}

StepRecorder::StepRecorder(Editor &editor, std::string name, int subject)
    : m_editor(editor)
    , m_name(std::move(name))
    , m_subject(subject)
    , m_flagsBefore(EditorFlags::of(editor))
    , m_planBefore(editor.plan)
{
    m_editor.txtRoom.openJournal();
}

StepRecorder::~StepRecorder()
{
    if (!m_finished)
        m_editor.txtRoom.closeJournal();
}

Step StepRecorder::finish()
{
    m_finished = true;
    ChartJournal journal = m_editor.txtRoom.closeJournal();
    const ChartTable &table = m_editor.txtRoom;

    Step step;
    step.m_name = std::move(m_name);
    step.m_subject = m_subject;
    step.m_countBefore = journal.elementCount;
    step.m_countAfter = table.elementCount();
    step.m_flagsBefore = m_flagsBefore;
    step.m_flagsAfter = EditorFlags::of(m_editor);
    step.m_planBefore = m_planBefore;
    step.m_planAfter = m_editor.plan;
    // Elements written to without a change are left out: reading through a writable table
    // keeps them too.
    for (auto &[index, before] : journal.before) {
        if (index <= step.m_countAfter && table.at(index) == before)
            continue;
        if (index <= step.m_countAfter)
            step.m_after.emplace(index, table.at(index));
        step.m_before.emplace(index, std::move(before));
    }
    for (int index = journal.elementCount + 1; index <= step.m_countAfter; ++index)
        step.m_after.emplace(index, table.at(index));
    if (journal.stacking) {
        step.m_stackingBefore = std::move(journal.stacking);
        step.m_stackingAfter = table.stackingOrder();
    }
    return step;
}

} // namespace tessel
