#pragma once

#include "analysis/arrangement_search.h"

#include <chrono>

namespace tessel::arranging {

struct SolverOutcome
{
    // The solver proved its arrangement best by the first two aims.
    bool proved = false;
    // It gave an arrangement, now in the layout.
    bool found = false;
};

// The arrangement best by the first two aims for a judge by corner, and among those one
// that leaves as many rooms where they stand as it can, found by a solver until `until`, the
// clock's time limit or its cancel, whichever comes first. Progress is told from the calling
// thread meanwhile.
SolverOutcome solveExactly(const Problem &problem, Layout &layout, SearchClock &clock,
                           std::chrono::steady_clock::time_point until);

} // namespace tessel::arranging
