#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

enum class ElementKind { Room, Door, MainEntrance, BackEntrance, DeletedDoor, DeletedEntrance };

// An element's kind follows from its text alone.
ElementKind kindOf(std::string_view text);

// A point of the chart, twips, y downwards.
struct ChartPoint
{
    double x = 0;
    double y = 0;

    bool operator==(const ChartPoint &) const = default;
};

// One box on the plot chart. Positions and sizes are twips, y grows downwards.
struct ChartElement
{
    std::string text;
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    bool enabled = true;
    bool visible = false;
    bool highlighted = false;
    std::int16_t borderStyle = 1; // 0 no border, 1 single line
    // A fill that stands in for white or light green (a just deleted opening); 0xRRGGBB.
    std::optional<std::uint32_t> fillOverride;
    // The user keeps the room where it is: a suggested arrangement leaves it in place.
    bool keptInPlace = false;

    bool operator==(const ChartElement &) const = default;
};

// Whether the element was deleted, whatever its place: deleting disables an element and parks
// it without size, and a deleted element read back from a layout file, enabled again, is
// known by the text of a deleted opening or, a room, by having no size.
bool isDeleted(const ChartElement &element);

// What a journal of the table kept: ElementCount and every element written to, as they were
// when the journal was opened, and the stacking order where it changed other than by
// creating elements.
struct ChartJournal
{
    int elementCount = 0;
    std::map<int, ChartElement> before;
    std::optional<std::vector<int>> stacking;
};

// The element table txtRoom. The index of an element is its identity; element 0 is the
// template that every new element is copied from and is never part of the layout.
class ChartTable
{
public:
    // Indexes are 16-bit on file: no more elements than this can exist.
    static constexpr int kMaxIndex = 32767;

    ChartTable();

    // The highest index created (ElementCount); 0 when the chart holds no element.
    int elementCount() const { return static_cast<int>(m_elements.size()) - 1; }
    bool isFull() const { return elementCount() >= kMaxIndex; }
    // What a command that would create one element more is told.
    static std::string fullMessage()
    {
        return "The plot chart is full: it cannot hold more than " + std::to_string(kMaxIndex) +
               " rooms, doors and entrances";
    }

    const ChartElement &at(int index) const { return m_elements.at(index); }
    // Write access; while a journal is open the element is kept as it was first. Read through
    // a const table where nothing is written, so that the journal stays small.
    ChartElement &at(int index)
    {
        if (m_journal && index > 0)
            keepInJournal(index);
        return m_elements.at(index);
    }

    // Creates element ElementCount + 1 as a hidden copy of the template, stacked in front
    // of all others, and returns its index; std::nullopt, with the table unchanged, when
    // the table is full.
    std::optional<int> createElement();
    // Room for `count` elements beyond the template, so that a reader that knows how many
    // follow creates them without moving the table as it grows.
    void reserve(int count);

    void bringToFront(int index);
    // Removes every element but the template: ElementCount becomes 0.
    void clear();
    // Indexes of elements 1 upwards, from the back of the stacking order to the front.
    const std::vector<int> &stackingOrder() const { return m_stacking; }

    // Undo support. From openJournal to closeJournal the table keeps what it was before every
    // change made to it, and nothing else: a change of one element keeps one element.
    void openJournal();
    ChartJournal closeJournal();
    bool isJournalOpen() const { return m_journal.has_value(); }
    // Puts the table back into a state: ElementCount `count`, the given elements as they are
    // given, and the stacking order given, or else the present one without the elements
    // beyond `count` and with the elements created since in creation order.
    void restore(int count, const std::map<int, ChartElement> &elements,
                 const std::optional<std::vector<int>> &stacking);

private:
    void keepInJournal(int index);

    std::vector<ChartElement> m_elements;
    std::vector<int> m_stacking;
    std::optional<ChartJournal> m_journal;
};

} // namespace tessel
