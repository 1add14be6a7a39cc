// The exact arrangement is Z3's optimiser's (MaxSMT over integer corners). Measured against
// an exact search of our own (branch and bound over corners pushed left and up against a
// cell's edge or another room, bounded by how many rooms fit into each best zone together,
// aiming at the bound first) on the benchmark houses and on 30 random houses of 6 to 15 rooms
// with a limit of 20 s, Z3 proved every optimum, in 13 to 263 ms, and the catalogue house of
// 13 rooms on 60 x 40 ft in 0.1 to 0.3 s; our search took from 0.2 ms to 0.6 s where it
// succeeded, gave up on 3 of the 30, and needed 3.8 s for the catalogue house. Its clause
// learning finds the packings a depth-first search thrashes over. It gives no arrangement of
// 40 rooms within a minute, so the local search finds a first arrangement, polishes the
// movement (as well as Z3 minimising it, which took over 10 s), and serves large plots and
// judges by rectangle.
//
// The model: a corner (x, y) per room on whole twips (or on whole feet while snapping) inside
// the plot; whether the room stays where it stands, which also allows a place off the grid;
// the room's edges rounded as the drop check rounds them (where the rounded width depends on
// whether x is odd or even, on which); no two rooms' insides meeting. The verdicts are soft
// constraints: best zone weighing one more than all "move advised" together, then, as a
// second objective, every room that stays.

#include "analysis/arrangement_solver.h"

#include <z3++.h>

#include <future>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace tessel::arranging {

namespace {

constexpr auto kWatchInterval = std::chrono::milliseconds(20);

// A room's rounded extent along one axis at the places its corner can take: one value, or
// one for even and one for odd places. `exact` is false when neither describes it, and the
// larger is then taken for all places: what the solver finds is still free, only perhaps
// not best.
struct Extent
{
    int even = 0, odd = 0;
    bool exact = true;
};

Extent extentOf(const Problem &problem, int room, bool alongX)
{
    const Room &r = problem.rooms[room];
    const double last = alongX ? r.rightmost : r.lowest;
    std::map<int, std::set<int>> byParity;
    const Axis &axis = alongX ? problem.xAxis : problem.yAxis;
    for (double at = axis.up(0); at <= last; at = axis.up(at + 1)) {
        const RoomBounds bounds =
            alongX ? problem.boundsAt(room, at, 0) : problem.boundsAt(room, 0, at);
        byParity[int(at) % 2].insert(int((alongX ? bounds.right : bounds.bottom) - at));
    }
    Extent extent;
    const std::set<int> &even = byParity[0];
    const std::set<int> &odd = byParity[1].empty() ? even : byParity[1];
    extent.even = *even.rbegin();
    extent.odd = *odd.rbegin();
    if (even.size() > 1 || odd.size() > 1) {
        extent.even = extent.odd = std::max(extent.even, extent.odd);
        extent.exact = false;
    }
    return extent;
}

// "x3" and the like: the names of the solver's variables.
std::string named(char what, std::size_t room, const char *part = "")
{
    std::string name(1, what);
    name.append(std::to_string(room)).append(part);
    return name;
}

struct Model
{
    z3::context context;
    std::vector<z3::expr> stays, xs, ys;
    bool exact = true;
};

// The room's corner along one axis, constrained to its places, and its far edge.
std::pair<z3::expr, z3::expr> corner(Model &model, const Problem &problem, z3::optimize &opt,
                                     int room, bool alongX)
{
    z3::context &c = model.context;
    const Room &r = problem.rooms[room];
    const char letter = alongX ? 'x' : 'y';
    z3::expr at = c.int_const(named(letter, room).c_str());
    const double last = alongX ? r.rightmost : r.lowest;
    const Axis &axis = alongX ? problem.xAxis : problem.yAxis;
    opt.add(at >= 0 && at <= int(last));
    if (axis.isSnapped()) {
        // Snapping: one of the whole feet.
        z3::expr_vector places(c);
        for (double place = axis.up(0); place <= last; place = axis.up(place + 1))
            places.push_back(at == int(place));
        opt.add(z3::mk_or(places));
    }
    const Extent extent = extentOf(problem, room, alongX);
    model.exact = model.exact && extent.exact;
    if (extent.even == extent.odd)
        return {at, at + extent.even};
    z3::expr half = c.int_const(named(letter, room, "h").c_str());
    z3::expr odd = c.bool_const(named(letter, room, "o").c_str());
    opt.add(at == 2 * half + z3::ite(odd, c.int_val(1), c.int_val(0)));
    return {at, at + z3::ite(odd, c.int_val(extent.odd), c.int_val(extent.even))};
}

struct Box
{
    z3::expr left, right, top, bottom;
};

z3::expr apart(const Box &a, const Box &b)
{
    return a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
}

z3::check_result solve(Model &model, const Problem &problem, unsigned milliseconds)
{
    z3::context &c = model.context;
    z3::optimize opt(c);
    z3::params parameters(c);
    parameters.set("timeout", milliseconds);
    opt.set(parameters);
    const Z3_symbol verdicts = Z3_mk_string_symbol(c, "verdicts");
    const Z3_symbol staying = Z3_mk_string_symbol(c, "staying");
    const std::string bestWeight = std::to_string(problem.bestScore);

    std::vector<Box> boxes;
    for (std::size_t i = 0; i < problem.rooms.size(); ++i) {
        const Room &r = problem.rooms[i];
        const auto [x, right] = corner(model, problem, opt, int(i), true);
        const auto [y, bottom] = corner(model, problem, opt, int(i), false);
        model.xs.push_back(x);
        model.ys.push_back(y);
        z3::expr_vector best(c), moveAdvised(c);
        for (const Window &window : r.windows) {
            const z3::expr inside = x >= int(window.left) && x <= int(window.right) &&
                                    y >= int(window.top) && y <= int(window.bottom);
            if (window.score == problem.bestScore)
                best.push_back(inside);
            else if (window.score < 0)
                moveAdvised.push_back(inside);
        }
        z3::expr isBest = best.empty() ? c.bool_val(false) : z3::mk_or(best);
        z3::expr isMoveAdvised = moveAdvised.empty() ? c.bool_val(false) : z3::mk_or(moveAdvised);
        z3::expr stays = c.bool_val(false);
        Box box{x, right, y, bottom};
        if (r.freeWhereItStands) {
            stays = c.bool_const(named('s', i).c_str());
            const RoomBounds here = problem.boundsAt(int(i), r.left0, r.top0);
            const int score = problem.scoreAt(int(i), r.left0, r.top0);
            isBest = z3::ite(stays, c.bool_val(score == problem.bestScore), isBest);
            isMoveAdvised = z3::ite(stays, c.bool_val(score < 0), isMoveAdvised);
            box = {z3::ite(stays, c.int_val(int(here.left)), x),
                   z3::ite(stays, c.int_val(int(here.right)), right),
                   z3::ite(stays, c.int_val(int(here.top)), y),
                   z3::ite(stays, c.int_val(int(here.bottom)), bottom)};
        }
        model.stays.push_back(stays);
        Z3_optimize_assert_soft(c, opt, isBest, bestWeight.c_str(), verdicts);
        Z3_optimize_assert_soft(c, opt, !isMoveAdvised, "1", verdicts);
        for (const RoomBounds &obstacle : problem.obstacles) {
            if (obstacle.right <= 0 || obstacle.left >= kChartExtent || obstacle.bottom <= 0 ||
                obstacle.top >= kChartExtent || obstacle.left >= obstacle.right ||
                obstacle.top >= obstacle.bottom)
                continue;
            opt.add(apart(box, {c.int_val(int(obstacle.left)), c.int_val(int(obstacle.right)),
                                c.int_val(int(obstacle.top)), c.int_val(int(obstacle.bottom))}));
        }
        for (const Box &other : boxes)
            opt.add(apart(box, other));
        boxes.push_back(box);
    }
    // Objectives weigh in the order they are first named: the verdicts, then staying.
    for (const z3::expr &stays : model.stays)
        if (!stays.is_false())
            Z3_optimize_assert_soft(c, opt, stays, "1", staying);
    const z3::check_result result = opt.check();
    if (result == z3::sat) {
        const z3::model found = opt.get_model();
        for (std::size_t i = 0; i < problem.rooms.size(); ++i) {
            model.stays[i] = found.eval(model.stays[i], true);
            model.xs[i] = found.eval(model.xs[i], true);
            model.ys[i] = found.eval(model.ys[i], true);
        }
    }
    return result;
}

} // namespace

SolverOutcome solveExactly(const Problem &problem, Layout &layout, SearchClock &clock,
                           std::chrono::steady_clock::time_point until)
{
    const auto now = std::chrono::steady_clock::now();
    const auto end = std::min(until, clock.deadline());
    if (now >= end || clock.stopped())
        return {};
    const auto milliseconds =
        unsigned(std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count()) + 1;
    Model model;
    // The solver runs on a thread of its own, so that this one can tell the progress and
    // interrupt it on cancel.
    auto running = std::async(std::launch::async, [&]() -> std::optional<z3::check_result> {
        try {
            return solve(model, problem, milliseconds);
        } catch (const z3::exception &) {
            return std::nullopt;
        }
    });
    while (running.wait_for(kWatchInterval) != std::future_status::ready)
        if (clock.stopped() || clock.pastTime(end))
            model.context.interrupt();
    const std::optional<z3::check_result> result = running.get();
    if (!result || *result != z3::sat)
        return {};
    for (std::size_t i = 0; i < problem.rooms.size(); ++i) {
        if (model.stays[i].is_true()) {
            layout.left[i] = problem.rooms[i].left0;
            layout.top[i] = problem.rooms[i].top0;
        } else {
            layout.left[i] = model.xs[i].get_numeral_int();
            layout.top[i] = model.ys[i].get_numeral_int();
        }
    }
    return {model.exact, true};
}

} // namespace tessel::arranging
