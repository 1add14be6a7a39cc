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
    ChartElement element = m_elements.front();
    element.visible = false;
    m_elements.push_back(std::move(element));
    const int index = elementCount();
    m_stacking.push_back(index);
    return index;
}

void ChartTable::bringToFront(int index)
{
    const auto it = std::find(m_stacking.begin(), m_stacking.end(), index);
    if (it == m_stacking.end())
        return;
    std::rotate(it, it + 1, m_stacking.end());
}

} // namespace tessel
