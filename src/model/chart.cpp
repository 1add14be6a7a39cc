#include "model/chart.h"

#include <algorithm>

namespace tessel {

ElementKind kindOf(std::string_view text)
{
    if (text.empty())
        return ElementKind::Door;
    if (text == "Main Entrance")
        return ElementKind::MainEntrance;
    if (text == "Back Entrance")
        return ElementKind::BackEntrance;
    if (text == "Deleted Door")
        return ElementKind::DeletedDoor;
    if (text == "a")
        return ElementKind::DeletedEntrance;
    return ElementKind::Room;
}

bool isDeleted(const ChartElement &element)
{
    switch (kindOf(element.text)) {
    case ElementKind::DeletedDoor:
    case ElementKind::DeletedEntrance:
        return true;
    case ElementKind::Room:
        return !element.enabled || element.width == 0 || element.height == 0;
    case ElementKind::Door:
    case ElementKind::MainEntrance:
    case ElementKind::BackEntrance:
        break;
    }
    return !element.enabled;
}

ChartTable::ChartTable()
{
    ChartElement templateElement;
    templateElement.text = "Don't Delete Me and Keep My Top And Left position less then Zero";
    templateElement.left = -480;
    templateElement.top = -240;
    templateElement.width = 1005;
    templateElement.height = 795;
    m_elements.push_back(std::move(templateElement));
}

std::optional<int> ChartTable::createElement()
{
    if (isFull())
        return std::nullopt;
    // A journal knows a created element by ElementCount: nothing to keep.
    ChartElement element = m_elements.front();
    element.visible = false;
    m_elements.push_back(std::move(element));
    const int index = elementCount();
    m_stacking.push_back(index);
    return index;
}

void ChartTable::reserve(int count)
{
    const auto elements = std::size_t(std::clamp(count, 0, kMaxIndex));
    m_elements.reserve(elements + 1);
    m_stacking.reserve(elements);
}

void ChartTable::bringToFront(int index)
{
    if (m_journal && !m_journal->stacking)
        m_journal->stacking = m_stacking;
    const auto it = std::find(m_stacking.begin(), m_stacking.end(), index);
    if (it == m_stacking.end())
        return;
    std::rotate(it, it + 1, m_stacking.end());
}

void ChartTable::clear()
{
    if (m_journal) {
        for (int index = 1; index <= elementCount(); ++index)
            keepInJournal(index);
        if (!m_journal->stacking)
            m_journal->stacking = m_stacking;
    }
    m_elements.resize(1);
    m_stacking.clear();
}

void ChartTable::openJournal()
{
    m_journal.emplace();
    m_journal->elementCount = elementCount();
}

ChartJournal ChartTable::closeJournal()
{
    ChartJournal journal = m_journal ? std::move(*m_journal) : ChartJournal{elementCount(), {}, {}};
    m_journal.reset();
    return journal;
}

void ChartTable::keepInJournal(int index)
{
    // Elements created since the journal opened did not exist before it.
    if (index <= m_journal->elementCount && index < static_cast<int>(m_elements.size()))
        m_journal->before.try_emplace(index, m_elements[index]);
}

void ChartTable::restore(int count, const std::map<int, ChartElement> &elements,
                         const std::optional<std::vector<int>> &stacking)
{
    const int previous = elementCount();
    m_elements.resize(static_cast<std::size_t>(count) + 1, m_elements.front());
    for (const auto &[index, element] : elements)
        if (index >= 1 && index <= count)
            m_elements[static_cast<std::size_t>(index)] = element;
    if (stacking) {
        m_stacking = *stacking;
        return;
    }
    std::erase_if(m_stacking, [count](int index) { return index > count; });
    for (int index = previous + 1; index <= count; ++index)
        m_stacking.push_back(index);
}

} // namespace tessel
