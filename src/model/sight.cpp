#include "model/sight.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tessel {

namespace {

constexpr int kWordBits = 64;
// Beyond this many cells the test would cost more than painting what it spares.
constexpr double kMaxCells = 16.0 * 1024 * 1024;
// A cell centre this close to a box's edge (in cells) may fall either way when the box is
// drawn: it does not count as filled.
constexpr double kEdgeTolerance = 0.01;

// Which cells (pixels) of the area rooms in front have filled, one row of bits per row of
// cells. A box fills the cells whose centres lie inside it, as a drawn rectangle does, so
// boxes side by side fill every cell along their common edge between them.
class Coverage
{
public:
    Coverage(const ChartArea &area, double cell)
        : m_area(area)
        , m_cell(cell)
        , m_columns(static_cast<int>(std::ceil((area.right - area.left) / cell)))
        , m_rows(static_cast<int>(std::ceil((area.bottom - area.top) / cell)))
        , m_words((m_columns + kWordBits - 1) / kWordBits)
        , m_bits(std::size_t(m_rows) * m_words, 0)
    {}

    // Whether every cell that [left, right) x [top, bottom) touches is filled.
    bool covers(double left, double top, double right, double bottom) const
    {
        const int c0 = touched(left - m_area.left, m_columns, false);
        const int c1 = touched(right - m_area.left, m_columns, true) - 1;
        const int r0 = touched(top - m_area.top, m_rows, false);
        const int r1 = touched(bottom - m_area.top, m_rows, true) - 1;
        if (c0 > c1 || r0 > r1)
            return false;
        for (int r = r0; r <= r1; ++r) {
            if (!rowHolds(r, c0, c1))
                return false;
        }
        return true;
    }

    // Marks the cells whose centres lie inside [left, right) x [top, bottom).
    void fill(double left, double top, double right, double bottom)
    {
        const int c0 = firstCentreAfter(left - m_area.left, m_columns);
        const int c1 = firstCentreAfter(right - m_area.left, m_columns) - 1;
        const int r0 = firstCentreAfter(top - m_area.top, m_rows);
        const int r1 = firstCentreAfter(bottom - m_area.top, m_rows) - 1;
        for (int r = r0; r <= r1; ++r) {
            std::uint64_t *words = &m_bits[std::size_t(r) * m_words];
            for (int c = c0; c <= c1; ++c)
                words[c / kWordBits] |= std::uint64_t(1) << (c % kWordBits);
        }
    }

private:
    static int clampTo(double cell, int cells)
    {
        return static_cast<int>(std::clamp(cell, 0.0, double(cells)));
    }
    // The cell boundary at or before (or, `up`, at or after) an offset into the area.
    int touched(double offset, int cells, bool up) const
    {
        const double at = offset / m_cell;
        return clampTo(up ? std::ceil(at) : std::floor(at), cells);
    }
    // The first cell whose centre lies clearly beyond an offset into the area.
    int firstCentreAfter(double offset, int cells) const
    {
        return clampTo(std::floor(offset / m_cell - 0.5 + kEdgeTolerance) + 1, cells);
    }

    bool rowHolds(int r, int c0, int c1) const
    {
        const std::uint64_t *words = &m_bits[std::size_t(r) * m_words];
        for (int c = c0; c <= c1;) {
            const int word = c / kWordBits;
            const int last = std::min(c1, word * kWordBits + kWordBits - 1);
            const int span = last - c + 1;
            const std::uint64_t mask =
                (span == kWordBits ? ~std::uint64_t(0) : ((std::uint64_t(1) << span) - 1))
                << (c % kWordBits);
            if ((words[word] & mask) != mask)
                return false;
            c = last + 1;
        }
        return true;
    }

    ChartArea m_area;
    double m_cell;
    int m_columns, m_rows;
    int m_words;
    std::vector<std::uint64_t> m_bits;
};

} // namespace

std::vector<int> elementsInSight(const ChartTable &table, const ChartArea &area, double cell,
                                 double margin)
{
    std::vector<int> reaching;
    for (const int index : table.stackingOrder()) {
        const ChartElement &element = table.at(index);
        if (!element.visible || (element.width == 0 && element.height == 0))
            continue;
        if (element.left - margin >= area.right ||
            element.left + element.width + margin <= area.left ||
            element.top - margin >= area.bottom ||
            element.top + element.height + margin <= area.top)
            continue;
        reaching.push_back(index);
    }
    if (reaching.size() < 2 || cell <= 0 || area.right <= area.left || area.bottom <= area.top ||
        (area.right - area.left) / cell * ((area.bottom - area.top) / cell) > kMaxCells)
        return reaching;

    // From the front to the back: what is in front is known before what it may hide.
    Coverage coverage(area, cell);
    std::vector<int> inSight;
    inSight.reserve(reaching.size());
    for (auto it = reaching.rbegin(); it != reaching.rend(); ++it) {
        const ChartElement &element = table.at(*it);
        const double right = element.left + element.width, bottom = element.top + element.height;
        if (coverage.covers(element.left - margin, element.top - margin, right + margin,
                            bottom + margin))
            continue;
        inSight.push_back(*it);
        if (element.width > 0 && element.height > 0)
            coverage.fill(element.left, element.top, right, bottom);
    }
    std::reverse(inSight.begin(), inSight.end());
    return inSight;
}

} // namespace tessel
