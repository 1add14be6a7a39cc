#include "analysis/arrangement.h"

#include "analysis/arrangement_search.h"
#include "analysis/arrangement_solver.h"
#include "analysis/rule_table.h"
#include "analysis/zone_analysis.h"
#include "model/number.h"
#include "model/placement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <set>

namespace tessel {

using arranging::Layout;
using arranging::Problem;
using arranging::Setup;
using arranging::Stay;

namespace {

// Up to this many rooms that may move, the solver has nearly all the time to prove its result
// best; with more, it often cannot, and the local search has a good part of the time.
constexpr std::size_t kProvedRooms = 15;

} // namespace

// --- ArrangementJudge ---

ArrangementJudge ArrangementJudge::byCorner(const RuleTable &rules, int facing)
{
    ArrangementJudge judge;
    judge.m_facing = facing;
    if (facing < 0 || facing > 3)
        return judge;
    for (const RoomRules &kind : rules.kinds()) {
        std::array<Verdict, kZoneCount> verdicts{};
        for (int zone = 0; zone < kZoneCount; ++zone)
            verdicts[zone] = tessel::judge(rules, kind.kind, Zone(zone));
        judge.m_zoneVerdicts.emplace(kind.kind, verdicts);
    }
    // The grid's cells for whole corners: its bounds as ClassifyZone reads them, the plot's
    // edges where it has none. The centre cell is split into its four quadrants.
    using G = ZoneGrid;
    const int extent = int(kChartExtent);
    const std::array<std::pair<int, int>, 3> columns = {{
        {0, int(std::floor(G::kLeftColumnEnd))},
        {int(std::ceil(G::kMiddleColumnStart)), int(std::floor(G::kMiddleColumnEnd))},
        {int(std::ceil(G::kRightColumnStart)), int(std::floor(G::kRightColumnEnd))},
    }};
    const std::array<std::pair<int, int>, 3> rows = {{
        {0, int(std::floor(G::kTopRowEnd))},
        {int(std::floor(G::kTopRowEnd)) + 1, int(std::floor(G::kMiddleRowEnd))},
        {int(std::floor(G::kMiddleRowEnd)) + 1, extent},
    }};
    const auto add = [&](std::pair<int, int> column, std::pair<int, int> row) {
        if (const auto zone = ClassifyZone(column.first, row.first, facing))
            judge.m_cells.push_back({column.first, column.second, row.first, row.second, *zone});
    };
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (row != 1 || column != 1) {
                add(columns[column], rows[row]);
                continue;
            }
            const std::pair<int, int> leftHalf{columns[1].first,
                                               int(std::floor(G::kCentreLeftEnd))};
            const std::pair<int, int> rightHalf{int(std::ceil(G::kCentreRightStart)),
                                                columns[1].second};
            const std::pair<int, int> upperHalf{rows[1].first, int(std::floor(G::kCentreUpperEnd))};
            const std::pair<int, int> lowerHalf{int(std::floor(G::kCentreUpperEnd)) + 1,
                                                rows[1].second};
            add(leftHalf, upperHalf);
            add(rightHalf, upperHalf);
            add(leftHalf, lowerHalf);
            add(rightHalf, lowerHalf);
        }
    }
    return judge;
}

ArrangementJudge ArrangementJudge::byRectangle(std::function<bool(std::string_view)> judges,
                                               RectangleVerdict verdict)
{
    ArrangementJudge judge;
    judge.m_judges = std::move(judges);
    judge.m_verdict = std::move(verdict);
    return judge;
}

ArrangementJudge arrangementJudge(const ZoneSettings &settings, const RuleSet &ruleSet,
                                  const RuleTable &table)
{
    if (settings.method == ZoneMethod::ByCorner || !settings.plot.isMeasured())
        return ArrangementJudge::byCorner(table, settings.facing);
    const auto rules = std::make_shared<const RuleTable>(table);
    const auto set = std::make_shared<const RuleSet>(ruleSet);
    return ArrangementJudge::byRectangle(
        [rules](std::string_view kind) { return rules->find(kind) != nullptr; },
        [rules, set, settings](std::string_view kind, double left, double top, double width,
                               double height) {
            ChartElement room;
            room.text = std::string(kind);
            room.left = float(left);
            room.top = float(top);
            room.width = float(width);
            room.height = float(height);
            room.visible = true;
            const auto judged = judgeRoom(room, 1, settings, *set, *rules);
            return judged ? judged->verdict : Verdict::NotJudged;
        });
}

bool ArrangementJudge::judges(std::string_view kind) const
{
    if (m_judges)
        return m_judges(kind);
    return m_zoneVerdicts.find(kind) != m_zoneVerdicts.end();
}

Verdict ArrangementJudge::verdict(std::string_view kind, double left, double top, double width,
                                  double height) const
{
    if (m_verdict)
        return m_verdict(kind, left, top, width, height);
    const auto verdicts = m_zoneVerdicts.find(kind);
    const auto zone = ClassifyZone(left, top, m_facing);
    if (verdicts == m_zoneVerdicts.end() || !zone)
        return Verdict::NotJudged;
    return verdicts->second[static_cast<int>(*zone)];
}

const std::array<Verdict, kZoneCount> *ArrangementJudge::zoneVerdicts(std::string_view kind) const
{
    const auto verdicts = m_zoneVerdicts.find(kind);
    return verdicts == m_zoneVerdicts.end() ? nullptr : &verdicts->second;
}

// --- arrange ---

namespace {

void count(VerdictCounts &counts, Verdict verdict)
{
    switch (verdict) {
    case Verdict::Best:
        ++counts.best;
        break;
    case Verdict::Acceptable:
        ++counts.acceptable;
        break;
    case Verdict::MoveAdvised:
        ++counts.moveAdvised;
        break;
    case Verdict::NotJudged:
        break;
    }
}

// The verdicts of every judged room with the rooms that may move at `layout`.
VerdictCounts countAt(const ArrangementRequest &request, const Setup &setup, const Layout *layout)
{
    VerdictCounts counts;
    for (const int index : setup.judged) {
        const ChartElement &element = request.table.at(index);
        double left = element.left, top = element.top;
        const auto room = setup.roomOf.find(index);
        if (layout && room != setup.roomOf.end()) {
            left = layout->left[room->second];
            top = layout->top[room->second];
        }
        count(counts,
              request.judge.verdict(element.text, left, top, element.width, element.height));
    }
    return counts;
}

// Whether the rooms that may move all stand inside the plot, clear of every room.
bool freeWhereTheyStand(const Problem &problem)
{
    for (std::size_t i = 0; i < problem.rooms.size(); ++i) {
        const arranging::Room &room = problem.rooms[i];
        if (!room.freeWhereItStands)
            return false;
        const RoomBounds here = problem.boundsAt(int(i), room.left0, room.top0);
        for (std::size_t j = 0; j < i; ++j)
            if (roomsOverlap(
                    here, problem.boundsAt(int(j), problem.rooms[j].left0, problem.rooms[j].top0)))
                return false;
    }
    return true;
}

Layout standing(const Problem &problem)
{
    Layout layout;
    for (const arranging::Room &room : problem.rooms) {
        layout.left.push_back(room.left0);
        layout.top.push_back(room.top0);
    }
    return layout;
}

struct Searched
{
    Layout layout;
    bool feasible = false;
    bool optimal = false;
};

Searched search(const ArrangementRequest &request, const Setup &setup,
                arranging::SearchClock &clock)
{
    const Problem &problem = setup.problem;
    Searched result;
    const bool standsFree = freeWhereTheyStand(problem);
    if (problem.rooms.empty()) {
        result.feasible = true;
        result.optimal = true;
        return result;
    }
    const auto limit = request.timeLimit;
    const auto at = [&clock, limit](double share) {
        return clock.start() +
               std::chrono::duration_cast<std::chrono::steady_clock::duration>(limit * share);
    };
    arranging::LocalSearch local(problem, clock);
    const bool byCorner = request.judge.isByCorner();

    std::optional<Layout> found = local.initial();
    if (found) {
        local.improve(*found);
        clock.setBest(*found);
    }
    const int bound = byCorner ? local.bound() : problem.bestScore * int(problem.rooms.size());
    const int score = found ? scoreLayout(problem, *found).score : 0;
    // The solver proves the best for a judge by corner, and finds a place for every room
    // where the greedy start found none.
    if (byCorner && (!found || score < bound)) {
        Layout solved = found ? *found : standing(problem);
        const arranging::SolverOutcome outcome = arranging::solveExactly(
            problem, solved, clock, at(problem.rooms.size() <= kProvedRooms ? 0.85 : 0.6));
        if (outcome.found && local.isValid(solved)) {
            const arranging::LayoutScore solvedScore = scoreLayout(problem, solved);
            // Of two arrangements as good, the one that moves less.
            if (!found || solvedScore.betterThan(scoreLayout(problem, *found))) {
                found = std::move(solved);
                clock.setBest(*found);
            }
            result.optimal =
                outcome.proved && scoreLayout(problem, *found).score >= solvedScore.score;
        }
    }
    if (!found) {
        result.layout = standing(problem);
        return result;
    }
    Layout layout = std::move(*found);
    result.feasible = true;
    if (!result.optimal && scoreLayout(problem, layout).score < bound)
        local.explore(layout, at(0.9), bound);
    // What moves, moves as little as it can.
    local.improve(layout);
    result.optimal = result.optimal || scoreLayout(problem, layout).score >= bound;
    // Nothing better than where the rooms stand: they stay.
    if (standsFree &&
        scoreLayout(problem, layout).score <= scoreLayout(problem, standing(problem)).score)
        layout = standing(problem);
    result.layout = std::move(layout);
    return result;
}

bool liesOnEdge(const RoomBounds &line, const RoomBounds &room)
{
    const bool horizontal = line.top == line.bottom && line.left >= room.left &&
                            line.right <= room.right &&
                            (line.top == room.top || line.top == room.bottom);
    const bool vertical = line.left == line.right && line.top >= room.top &&
                          line.bottom <= room.bottom &&
                          (line.left == room.left || line.left == room.right);
    return horizontal || vertical;
}

std::string shortfallReason(const ArrangementRequest &request, const Setup &setup,
                            arranging::LocalSearch &local, int index, bool optimal)
{
    switch (setup.stays.at(index)) {
    case Stay::Kept:
        return "kept in place";
    case Stay::TooLarge:
        return "too large to lie inside the plot, so it stays where it is";
    case Stay::Other:
        return "it stays where it is";
    case Stay::Moves:
        break;
    }
    const int room = setup.roomOf.at(index);
    const arranging::Room &r = setup.problem.rooms[room];
    const ArrangementJudge &judge = request.judge;
    if (judge.isByCorner()) {
        if (r.bestZone < 0)
            return "its rules name no best zone";
        const std::string zone(zoneName(Zone(r.bestZone)));
        const bool fits = std::any_of(r.windows.begin(), r.windows.end(), [&](const auto &w) {
            return w.score == setup.problem.bestScore;
        });
        if (!fits)
            return "too large for the " + zone + ": there it would reach beyond the plot";
        if (!local.hasFreeBestPlace(room))
            return "no free place in the " + zone + " large enough for it";
        return "no free place in the " + zone + " large enough for it beside the other rooms" +
               (optimal ? "" : " was found");
    }
    if (!local.hasFreeBestPlace(room))
        return "no free place in its best zone large enough for it was found";
    return "no free place in its best zone large enough for it beside the other rooms was found";
}

std::string summaryOf(const Arrangement &arrangement, bool timedOut)
{
    const VerdictCounts &after = arrangement.after;
    const VerdictCounts &before = arrangement.before;
    const int judged = arrangement.judgedRooms;
    std::string text = std::to_string(after.best) + " of " + std::to_string(judged) +
                       (judged == 1 ? " room in its best zone, " : " rooms in their best zone, ") +
                       std::to_string(after.acceptable) + " acceptable, " +
                       std::to_string(after.moveAdvised) + " move advised (now " +
                       std::to_string(before.best) + ", " + std::to_string(before.acceptable) +
                       ", " + std::to_string(before.moveAdvised) + ")";
    std::vector<std::string_view> sentences;
    if (!arrangement.feasible) {
        sentences.push_back("The rooms that may move do not all fit inside the plot clear of the "
                            "other rooms: nothing is proposed.");
    } else if (arrangement.moves.empty()) {
        if (judged == 0)
            sentences.push_back(
                "No room on the chart is of a kind the rules judge: nothing moves.");
        else if (after.best == judged)
            sentences.push_back("Every room is in its best zone already: nothing moves.");
        else if (arrangement.optimal)
            sentences.push_back("Nothing fits better on this plot: no room moves.");
        else
            sentences.push_back("No better arrangement was found: no room moves.");
    }
    if (arrangement.feasible && !arrangement.optimal) {
        if (arrangement.cancelled)
            sentences.push_back("The search was cancelled: this may not be the best arrangement.");
        else if (timedOut)
            sentences.push_back(
                "The search stopped at its time limit: this may not be the best arrangement.");
        else
            sentences.push_back("This is the best arrangement found; it may not be the best.");
    }
    for (std::size_t i = 0; i < sentences.size(); ++i)
        text.append(i == 0 ? ". " : " ").append(sentences[i]);
    return text;
}

// The moves of the rooms to `layout`, then of the openings on their edges.
std::vector<ArrangedMove> movesTo(const ChartTable &table, const Problem &problem,
                                  const Layout &layout)
{
    std::vector<ArrangedMove> moves;
    std::vector<RoomBounds> from;
    std::set<int> moved;
    for (std::size_t i = 0; i < problem.rooms.size(); ++i) {
        const arranging::Room &room = problem.rooms[i];
        const float left = float(layout.left[i]), top = float(layout.top[i]);
        if (left != room.left0 || top != room.top0)
            moved.insert(room.element);
    }
    for (const int index : moved) {
        const arranging::Room &room =
            *std::find_if(problem.rooms.begin(), problem.rooms.end(),
                          [index](const arranging::Room &r) { return r.element == index; });
        const std::size_t i = std::size_t(&room - problem.rooms.data());
        moves.push_back({index, room.left0, room.top0, float(layout.left[i]), float(layout.top[i]),
                         room.width, room.height, 0});
        from.push_back(roomBounds(table.at(index)));
    }
    if (moves.empty())
        return moves;
    std::vector<RoomBounds> staying;
    for (int index = 1; index <= table.elementCount(); ++index)
        if (blocksRooms(table.at(index)) && !moved.count(index))
            staying.push_back(roomBounds(table.at(index)));
    const std::size_t rooms = moves.size();
    for (int index = 1; index <= table.elementCount(); ++index) {
        const ChartElement &element = table.at(index);
        if (isDeleted(element) || kindOf(element.text) == ElementKind::Room)
            continue;
        const RoomBounds line = roomBounds(element);
        // An opening on a wall of a room that stays stays with it.
        if (std::any_of(staying.begin(), staying.end(),
                        [&](const RoomBounds &room) { return liesOnEdge(line, room); }))
            continue;
        for (std::size_t k = 0; k < rooms; ++k) {
            if (!liesOnEdge(line, from[k]))
                continue;
            const ArrangedMove &room = moves[k];
            moves.push_back({index, element.left, element.top,
                             element.left + (room.toLeft - room.fromLeft),
                             element.top + (room.toTop - room.fromTop), element.width,
                             element.height, room.index});
            break;
        }
    }
    return moves;
}

// What the drop check and the plot's edges say of the rooms that may move, placed as the
// arrangement places them; and whether what moved lies on whole feet while snapping.
bool holdsUp(const ArrangementRequest &request, const Problem &problem,
             const std::vector<ArrangedMove> &moves)
{
    Arrangement proposal;
    proposal.moves = moves;
    const ChartTable arranged = arrangedTable(request.table, proposal);
    for (const arranging::Room &room : problem.rooms) {
        const ChartElement &element = arranged.at(room.element);
        const RoomBounds bounds = roomBounds(element);
        if (checkRoomPlace(arranged, room.element, element) || bounds.left < 0 || bounds.top < 0 ||
            bounds.right > kChartExtent || bounds.bottom > kChartExtent)
            return false;
    }
    if (request.snapToFeet && request.scales.isSet())
        for (const ArrangedMove &move : moves)
            if (move.carriedBy == 0 && snapToFeet(move.toLeft, move.toTop, request.scales) !=
                                           ChartPoint{move.toLeft, move.toTop})
                return false;
    return true;
}

} // namespace

Arrangement arrange(const ArrangementRequest &request, const ArrangementProgressCallback &progress,
                    const std::atomic<bool> *cancel)
{
    const Setup setup = arranging::setUp(request);
    const Problem &problem = setup.problem;
    Arrangement arrangement;
    arrangement.judgedRooms = int(setup.judged.size());
    arrangement.before = countAt(request, setup, nullptr);

    arranging::SearchClock clock(request.timeLimit, cancel,
                                 [&](double fraction, const Layout &best) {
                                     if (progress)
                                         progress({fraction, countAt(request, setup, &best)});
                                 });
    Searched searched = search(request, setup, clock);
    arrangement.feasible = searched.feasible;
    arrangement.optimal = searched.optimal && searched.feasible;
    arrangement.cancelled = clock.cancelled();
    if (searched.feasible) {
        arrangement.moves = movesTo(request.table, problem, searched.layout);
        // Never propose what the drop check would refuse.
        if (!holdsUp(request, problem, arrangement.moves)) {
            arrangement.moves.clear();
            arrangement.feasible = arrangement.optimal = false;
        }
    }
    Layout layout = standing(problem);
    for (const ArrangedMove &move : arrangement.moves) {
        if (move.carriedBy != 0)
            continue;
        const int room = setup.roomOf.at(move.index);
        layout.left[room] = move.toLeft;
        layout.top[room] = move.toTop;
        arrangement.movement += problem.distance(room, move.toLeft, move.toTop);
    }
    arrangement.after = countAt(request, setup, &layout);
    clock.setBest(layout);

    const ChartTable &table = request.table;
    arranging::LocalSearch local(problem, clock);
    for (const int index : setup.judged) {
        const ChartElement &element = table.at(index);
        double left = element.left, top = element.top;
        if (const auto room = setup.roomOf.find(index); room != setup.roomOf.end()) {
            left = layout.left[room->second];
            top = layout.top[room->second];
        }
        if (request.judge.verdict(element.text, left, top, element.width, element.height) ==
            Verdict::Best)
            continue;
        arrangement.shortfalls.push_back(
            {index, element.text + ": " +
                        shortfallReason(request, setup, local, index, arrangement.optimal)});
    }
    arrangement.summary = summaryOf(arrangement, clock.timedOut());
    clock.finish();
    return arrangement;
}

void applyArrangement(ChartTable &table, const Arrangement &arrangement)
{
    for (const ArrangedMove &move : arrangement.moves) {
        if (move.index < 1 || move.index > table.elementCount())
            continue;
        ChartElement &element = table.at(move.index);
        element.left = move.toLeft;
        element.top = move.toTop;
    }
}

ChartTable arrangedTable(const ChartTable &table, const Arrangement &arrangement)
{
    ChartTable arranged = table;
    applyArrangement(arranged, arrangement);
    return arranged;
}

} // namespace tessel
