#include "model/sight.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tessel {

namespace {

// Beyond this many cells the test would cost more than painting what it spares.
constexpr double kMaxCells = 16.0 * 1024 * 1024;
// A cell centre this close to a box's edge (in cells) may fall either way when the box is
// drawn: it does not count as filled.
constexpr double kEdgeTolerance = 0.01;

// Which cells (pixels) of the area rooms in front have filled, a bit each. A box fills the cells
// whose centres lie inside it, as a drawn rectangle does, so boxes side by side fill every cell
// along their common edge between them.
//
// The bits are kept in squares of 64 by 64 cells, one word a row of a square, and each square
// knows when it is full: what lies behind a crowd of rooms is found hidden a square at a time.
class Coverage
{
public:
    Coverage(const ChartArea &area, double cell)
        : m_area(area)
        , m_cell(cell)
        , m_columns(static_cast<int>(std::ceil((area.right - area.left) / cell)))
        , m_rows(static_cast<int>(std::ceil((area.bottom - area.top) / cell)))
        , m_squareColumns((m_columns + kSide - 1) / kSide)
        , m_full(std::size_t((m_rows + kSide - 1) / kSide) * m_squareColumns, false)
        , m_bits(m_full.size() * kSide, 0)
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
        return forEachPart(c0, c1, r0, r1,
                           [this](std::size_t square, std::uint64_t mask, int from, int to) {
                               if (m_full[square])
                                   return true;
                               const std::uint64_t *rows = &m_bits[square * kSide];
                               for (int r = from; r <= to; ++r) {
                                   if ((rows[r] & mask) != mask)
                                       return false;
                               }
                               return true;
                           });
    }

    // Marks the cells whose centres lie inside [left, right) x [top, bottom).
    void fill(double left, double top, double right, double bottom)
    {
        const int c0 = firstCentreAfter(left - m_area.left, m_columns);
        const int c1 = firstCentreAfter(right - m_area.left, m_columns) - 1;
        const int r0 = firstCentreAfter(top - m_area.top, m_rows);
        const int r1 = firstCentreAfter(bottom - m_area.top, m_rows) - 1;
        if (c0 > c1 || r0 > r1)
            return;
        forEachPart(c0, c1, r0, r1,
                    [this](std::size_t square, std::uint64_t mask, int from, int to) {
                        if (m_full[square])
                            return true;
                        std::uint64_t *rows = &m_bits[square * kSide];
                        std::uint64_t all = ~std::uint64_t(0);
                        for (int r = 0; r < kSide; ++r) {
                            if (r >= from && r <= to)
                                rows[r] |= mask;
                            all &= rows[r];
                        }
                        m_full[square] = all == ~std::uint64_t(0);
                        return true;
                    });
    }

private:
    static constexpr int kSide = 64; // cells a side of a square, the bits of a word

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

    // Calls visit(square, mask, firstRow, lastRow) for the part of columns c0 to c1 and rows r0
    // to r1 in each square they meet (rows counted within the square), while it returns true;
    // whether it always did.
    template<typename Visit>
    bool forEachPart(int c0, int c1, int r0, int r1, Visit visit) const
    {
        for (int sr = r0 / kSide; sr <= r1 / kSide; ++sr) {
            const int from = std::max(r0 - sr * kSide, 0);
            const int to = std::min(r1 - sr * kSide, kSide - 1);
            for (int sc = c0 / kSide; sc <= c1 / kSide; ++sc) {
                const int first = std::max(c0 - sc * kSide, 0);
                const int last = std::min(c1 - sc * kSide, kSide - 1);
                const int span = last - first + 1;
                const std::uint64_t mask =
                    (span == kSide ? ~std::uint64_t(0) : ((std::uint64_t(1) << span) - 1)) << first;
                if (!visit(std::size_t(sr) * m_squareColumns + sc, mask, from, to))
                    return false;
            }
        }
        return true;
    }

    ChartArea m_area;
    double m_cell;
    int m_columns, m_rows;
    int m_squareColumns;
    std::vector<bool> m_full;
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
