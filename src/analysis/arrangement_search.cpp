// The local search is our own: the solver packages of Debian prove optima but give nothing
// until they are done, cannot call a judge by rectangle, and find no arrangement of 40 rooms
// within a minute, while moving one room, or a few, at a time gives a good arrangement of any
// size within milliseconds and keeps improving it until the time is up.

#include "analysis/arrangement_search.h"

#include "model/number.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <set>

namespace tessel::arranging {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr auto kProgressInterval = std::chrono::milliseconds(100);
// Places of a judge by rectangle are also tried on a grid of this many steps across the plot,
// so that zones no room's edge leads to are reached.
constexpr int kGridSteps = 24;
} // namespace

double Axis::up(double at) const
{
    if (!m_snapped)
        return std::ceil(at);
    const auto it = std::lower_bound(m_points.begin(), m_points.end(), at);
    return it == m_points.end() ? kInfinity : *it;
}

double Axis::down(double at) const
{
    if (!m_snapped)
        return std::floor(at);
    const auto it = std::upper_bound(m_points.begin(), m_points.end(), at);
    return it == m_points.begin() ? -kInfinity : *std::prev(it);
}

bool Axis::holds(double at) const
{
    if (!m_snapped)
        return at == std::floor(at);
    return std::binary_search(m_points.begin(), m_points.end(), at);
}

RoomBounds Problem::boundsAt(int room, double left, double top) const
{
    const Room &r = rooms[room];
    return roomBounds(float(left), float(top), r.width, r.height);
}

int Problem::scoreOf(Verdict verdict) const
{
    switch (verdict) {
    case Verdict::Best:
        return bestScore;
    case Verdict::MoveAdvised:
        return -1;
    case Verdict::Acceptable:
    case Verdict::NotJudged:
        break;
    }
    return 0;
}

int Problem::scoreAt(int room, double left, double top) const
{
    const Room &r = rooms[room];
    for (const Window &window : r.windows)
        if (left >= window.left && left <= window.right && top >= window.top &&
            top <= window.bottom)
            return window.score;
    return scoreOf(judge->verdict(r.kind, left, top, r.width, r.height));
}

double Problem::distance(int room, double left, double top) const
{
    const Room &r = rooms[room];
    return std::hypot((left - r.left0) * unitsPerTwipX, (top - r.top0) * unitsPerTwipY);
}

bool Problem::insidePlot(int room, double left, double top) const
{
    const RoomBounds bounds = boundsAt(room, left, top);
    return bounds.left >= 0 && bounds.top >= 0 && bounds.right <= kChartExtent &&
           bounds.bottom <= kChartExtent;
}

LayoutScore scoreLayout(const Problem &problem, const Layout &layout)
{
    LayoutScore total;
    for (std::size_t i = 0; i < problem.rooms.size(); ++i) {
        total.score += problem.scoreAt(int(i), layout.left[i], layout.top[i]);
        total.movement += problem.distance(int(i), layout.left[i], layout.top[i]);
    }
    return total;
}

// --- Setup ---

namespace {

Axis axisOf(bool snap, const Scales &scales, bool alongX)
{
    if (!snap || !scales.isSet())
        return {};
    std::vector<double> points;
    for (int feet = 0;; ++feet) {
        const double at =
            roundHalfEven(alongX ? widthToChart(feet, scales) : lengthToChart(feet, scales));
        if (at > kChartExtent)
            break;
        // Only places that snapping leaves where they are.
        const ChartPoint snapped = snapToFeet(alongX ? at : 0, alongX ? 0 : at, scales);
        if ((alongX ? snapped.x : snapped.y) == at && (points.empty() || points.back() < at))
            points.push_back(at);
    }
    return Axis(std::move(points));
}

} // namespace

Setup setUp(const ArrangementRequest &request)
{
    Setup setup;
    Problem &problem = setup.problem;
    const ChartTable &table = request.table;
    const ArrangementJudge &judge = request.judge;
    problem.judge = &judge;
    problem.xAxis = axisOf(request.snapToFeet, request.scales, true);
    problem.yAxis = axisOf(request.snapToFeet, request.scales, false);
    if (request.scales.isSet()) {
        problem.unitsPerTwipX = request.scales.width / kRulerDivision;
        problem.unitsPerTwipY = request.scales.length / kRulerDivision;
    } else {
        problem.unitsPerTwipX = problem.unitsPerTwipY = 1 / kRulerDivision;
    }
    const std::set<int> kept(request.keptInPlace.begin(), request.keptInPlace.end());

    for (int index = 1; index <= table.elementCount(); ++index) {
        const ChartElement &element = table.at(index);
        if (isDeleted(element) || kindOf(element.text) != ElementKind::Room)
            continue;
        const bool judged = judge.judges(element.text);
        if (judged)
            setup.judged.push_back(index);
        if (!blocksRooms(element))
            continue;
        const bool stays = element.keptInPlace || kept.count(index);
        if (!judged || stays) {
            problem.obstacles.push_back(roomBounds(element));
            if (judged)
                setup.stays[index] = stays ? Stay::Kept : Stay::Other;
            continue;
        }
        Room room;
        room.element = index;
        room.kind = element.text;
        room.width = element.width;
        room.height = element.height;
        room.left0 = element.left;
        room.top0 = element.top;
        // The last places that keep it inside the plot, rounded as the drop check rounds.
        room.rightmost = problem.xAxis.down(kChartExtent - element.width);
        while (room.rightmost >= 0 &&
               roomBounds(float(room.rightmost), 0, element.width, 0).right > kChartExtent)
            room.rightmost = problem.xAxis.down(room.rightmost - 1);
        room.lowest = problem.yAxis.down(kChartExtent - element.height);
        while (room.lowest >= 0 &&
               roomBounds(0, float(room.lowest), 0, element.height).bottom > kChartExtent)
            room.lowest = problem.yAxis.down(room.lowest - 1);
        if (!(room.rightmost >= 0) || !(room.lowest >= 0)) {
            problem.obstacles.push_back(roomBounds(element));
            setup.stays[index] = Stay::TooLarge;
            continue;
        }
        setup.stays[index] = Stay::Moves;
        setup.roomOf[index] = int(problem.rooms.size());
        problem.rooms.push_back(std::move(room));
    }

    problem.bestScore = int(problem.rooms.size()) + 1;
    for (std::size_t i = 0; i < problem.rooms.size(); ++i) {
        Room &room = problem.rooms[i];
        const auto *verdicts = judge.zoneVerdicts(room.kind);
        if (verdicts) {
            for (int zone = 0; zone < kZoneCount; ++zone)
                if ((*verdicts)[zone] == Verdict::Best) {
                    room.bestZone = zone;
                    break;
                }
            for (const ArrangementJudge::CornerCell &cell : judge.cornerCells()) {
                Window window{problem.xAxis.up(std::max(cell.left, 0)),
                              problem.xAxis.down(std::min<double>(cell.right, room.rightmost)),
                              problem.yAxis.up(std::max(cell.top, 0)),
                              problem.yAxis.down(std::min<double>(cell.bottom, room.lowest)),
                              problem.scoreOf((*verdicts)[static_cast<int>(cell.zone)])};
                if (window.left <= window.right && window.top <= window.bottom)
                    room.windows.push_back(window);
            }
            std::stable_sort(room.windows.begin(), room.windows.end(),
                             [](const Window &a, const Window &b) { return a.score > b.score; });
        }
        room.freeWhereItStands = problem.insidePlot(int(i), room.left0, room.top0);
        const RoomBounds here = problem.boundsAt(int(i), room.left0, room.top0);
        for (const RoomBounds &obstacle : problem.obstacles)
            if (roomsOverlap(here, obstacle))
                room.freeWhereItStands = false;
    }
    return setup;
}

// --- SearchClock ---

SearchClock::SearchClock(std::chrono::milliseconds limit, const std::atomic<bool> *cancel,
                         Report report)
    : m_start(std::chrono::steady_clock::now())
    , m_deadline(m_start + limit)
    , m_lastTold(m_start)
    , m_cancel(cancel)
    , m_report(std::move(report))
{}

bool SearchClock::stopped()
{
    if (m_timedOut || cancelled())
        return true;
    if ((++m_calls & 15) != 0)
        return false;
    const auto now = std::chrono::steady_clock::now();
    if (now >= m_deadline) {
        m_timedOut = true;
        return true;
    }
    if (now - m_lastTold >= kProgressInterval)
        tell(now);
    return false;
}

bool SearchClock::pastTime(std::chrono::steady_clock::time_point at) const
{
    return std::chrono::steady_clock::now() >= at;
}

void SearchClock::setBest(const Layout &layout)
{
    m_best = layout;
    m_hasBest = true;
}

void SearchClock::tell(std::chrono::steady_clock::time_point now)
{
    m_lastTold = now;
    if (!m_report || !m_hasBest)
        return;
    const double total = std::chrono::duration<double>(m_deadline - m_start).count();
    const double used = std::chrono::duration<double>(now - m_start).count();
    m_report(total > 0 ? std::clamp(used / total, 0.0, 1.0) : 1.0, m_best);
}

void SearchClock::finish()
{
    if (m_report && m_hasBest)
        m_report(1.0, m_best);
}

// --- LocalSearch ---

LocalSearch::LocalSearch(const Problem &problem, SearchClock &clock)
    : m_problem(problem)
    , m_clock(clock)
{}

std::vector<double> LocalSearch::coordinates(int room, const Layout &layout,
                                             const std::vector<char> &present, bool alongX) const
{
    const Room &r = m_problem.rooms[room];
    const Axis &axis = alongX ? m_problem.xAxis : m_problem.yAxis;
    const double last = alongX ? r.rightmost : r.lowest;
    std::vector<double> at;
    const auto add = [&](double value) {
        if (value >= 0 && value <= last)
            at.push_back(value);
    };
    const double home = alongX ? r.left0 : r.top0;
    at.push_back(home);
    at.push_back(alongX ? layout.left[room] : layout.top[room]);
    add(axis.up(home));
    add(axis.down(home));
    add(axis.up(0));
    add(last);
    for (const Window &window : r.windows) {
        add(alongX ? window.left : window.top);
        add(alongX ? window.right : window.bottom);
    }
    // Against another room: just after it, or ending where it begins.
    const auto addEdges = [&](const RoomBounds &other) {
        add(axis.up(alongX ? other.right : other.bottom));
        const double begins = alongX ? other.left : other.top;
        double before = axis.down(begins - (alongX ? r.width : r.height));
        const RoomBounds ends =
            alongX ? m_problem.boundsAt(room, before, 0) : m_problem.boundsAt(room, 0, before);
        if ((alongX ? ends.right : ends.bottom) > begins)
            before = axis.down(before - 1);
        add(before);
    };
    for (const RoomBounds &obstacle : m_problem.obstacles)
        addEdges(obstacle);
    for (std::size_t j = 0; j < m_problem.rooms.size(); ++j)
        if (present[j] && int(j) != room)
            addEdges(m_problem.boundsAt(int(j), layout.left[j], layout.top[j]));
    if (r.windows.empty())
        for (int step = 0; step <= kGridSteps; ++step)
            add(axis.down(last * step / kGridSteps));
    std::sort(at.begin(), at.end());
    at.erase(std::unique(at.begin(), at.end()), at.end());
    return at;
}

bool LocalSearch::isFree(int room, double left, double top, const Layout &layout,
                         const std::vector<char> &present) const
{
    const RoomBounds bounds = m_problem.boundsAt(room, left, top);
    for (const RoomBounds &obstacle : m_problem.obstacles)
        if (roomsOverlap(bounds, obstacle))
            return false;
    for (std::size_t j = 0; j < m_problem.rooms.size(); ++j)
        if (present[j] && int(j) != room &&
            roomsOverlap(bounds, m_problem.boundsAt(int(j), layout.left[j], layout.top[j])))
            return false;
    return true;
}

std::optional<LocalSearch::Spot> LocalSearch::bestSpot(int room, const Layout &layout,
                                                       const std::vector<char> &present) const
{
    const Room &r = m_problem.rooms[room];
    const std::vector<double> xs = coordinates(room, layout, present, true);
    const std::vector<double> ys = coordinates(room, layout, present, false);
    std::optional<Spot> best;
    for (const double x : xs) {
        for (const double y : ys) {
            // A room stays where it stands or where the search put it; any other place is a
            // whole place of both axes.
            const bool kept =
                (x == r.left0 && y == r.top0) || (x == layout.left[room] && y == layout.top[room]);
            if (!kept && !(m_problem.xAxis.holds(x) && m_problem.yAxis.holds(y)))
                continue;
            const int score = m_problem.scoreAt(room, x, y);
            if (best && score < best->score)
                continue;
            const double distance = m_problem.distance(room, x, y);
            if (best && score == best->score && distance >= best->distance)
                continue;
            if (!m_problem.insidePlot(room, x, y) || !isFree(room, x, y, layout, present))
                continue;
            best = Spot{x, y, score, distance};
        }
    }
    return best;
}

std::vector<LocalSearch::Spot> LocalSearch::bestZoneSpots(int room, std::size_t most) const
{
    const std::size_t count = m_problem.rooms.size();
    Layout none{std::vector<double>(count, 0), std::vector<double>(count, 0)};
    const std::vector<char> absent(count, 0);
    none.left[room] = m_problem.rooms[room].left0;
    none.top[room] = m_problem.rooms[room].top0;
    std::vector<Spot> spots;
    for (const double x : coordinates(room, none, absent, true)) {
        for (const double y : coordinates(room, none, absent, false)) {
            if (!m_problem.xAxis.holds(x) || !m_problem.yAxis.holds(y) ||
                m_problem.scoreAt(room, x, y) != m_problem.bestScore ||
                !m_problem.insidePlot(room, x, y) || !isFree(room, x, y, none, absent))
                continue;
            spots.push_back({x, y, m_problem.bestScore, m_problem.distance(room, x, y)});
        }
    }
    std::sort(spots.begin(), spots.end(),
              [](const Spot &a, const Spot &b) { return a.distance < b.distance; });
    if (spots.size() > most)
        spots.resize(most);
    return spots;
}

std::optional<Layout> LocalSearch::initial()
{
    const std::size_t count = m_problem.rooms.size();
    Layout layout{std::vector<double>(count), std::vector<double>(count)};
    std::vector<char> present(count, 0);
    std::vector<int> homeless;
    for (std::size_t i = 0; i < count; ++i) {
        const Room &room = m_problem.rooms[i];
        layout.left[i] = room.left0;
        layout.top[i] = room.top0;
        // Rooms that overlap one another where they stand: the first keeps its place.
        if (room.freeWhereItStands && isFree(int(i), room.left0, room.top0, layout, present))
            present[i] = 1;
        else
            homeless.push_back(int(i));
    }
    // The largest rooms find their place first, while there is most room.
    std::sort(homeless.begin(), homeless.end(), [this](int a, int b) {
        const Room &ra = m_problem.rooms[a], &rb = m_problem.rooms[b];
        return double(ra.width) * ra.height > double(rb.width) * rb.height;
    });
    for (const int room : homeless) {
        const auto spot = bestSpot(room, layout, present);
        if (!spot)
            return std::nullopt;
        layout.left[room] = spot->left;
        layout.top[room] = spot->top;
        present[room] = 1;
    }
    return layout;
}

bool LocalSearch::isValid(const Layout &layout) const
{
    const std::size_t count = m_problem.rooms.size();
    std::vector<char> present(count, 1);
    for (std::size_t i = 0; i < count; ++i) {
        const Room &room = m_problem.rooms[i];
        const double left = layout.left[i], top = layout.top[i];
        const bool standing = left == room.left0 && top == room.top0;
        if (!standing && !(m_problem.xAxis.holds(left) && m_problem.yAxis.holds(top)))
            return false;
        if (!m_problem.insidePlot(int(i), left, top) || !isFree(int(i), left, top, layout, present))
            return false;
    }
    return true;
}

int LocalSearch::bound() const
{
    const std::size_t count = m_problem.rooms.size();
    const Layout standing = [this, count] {
        Layout layout{std::vector<double>(count), std::vector<double>(count)};
        for (std::size_t i = 0; i < count; ++i) {
            layout.left[i] = m_problem.rooms[i].left0;
            layout.top[i] = m_problem.rooms[i].top0;
        }
        return layout;
    }();
    const std::vector<char> absent(count, 0);
    int total = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const auto spot = bestSpot(int(i), standing, absent);
        total += spot ? spot->score : m_problem.bestScore;
    }
    return total;
}

bool LocalSearch::relocateAll(Layout &layout)
{
    const std::size_t count = m_problem.rooms.size();
    std::vector<char> present(count, 1);
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::vector<int> scores(count);
    for (std::size_t i = 0; i < count; ++i)
        scores[i] = m_problem.scoreAt(int(i), layout.left[i], layout.top[i]);
    std::stable_sort(order.begin(), order.end(),
                     [&scores](int a, int b) { return scores[a] < scores[b]; });
    bool moved = false;
    for (const int room : order) {
        if (m_clock.stopped())
            break;
        present[room] = 0;
        const auto spot = bestSpot(room, layout, present);
        present[room] = 1;
        const double distance = m_problem.distance(room, layout.left[room], layout.top[room]);
        if (spot && (spot->score > scores[room] ||
                     (spot->score == scores[room] && spot->distance < distance - 1e-9))) {
            layout.left[room] = spot->left;
            layout.top[room] = spot->top;
            moved = true;
        }
    }
    return moved;
}

bool LocalSearch::pushAside(Layout &layout)
{
    const std::size_t count = m_problem.rooms.size();
    const LayoutScore before = scoreLayout(m_problem, layout);
    for (std::size_t i = 0; i < count; ++i) {
        if (m_clock.stopped())
            return false;
        const Room &room = m_problem.rooms[i];
        if (m_problem.scoreAt(int(i), layout.left[i], layout.top[i]) == m_problem.bestScore ||
            (room.bestZone < 0 && !room.windows.empty()))
            continue;
        for (const Spot &spot : bestZoneSpots(int(i), 8)) {
            const RoomBounds target = m_problem.boundsAt(int(i), spot.left, spot.top);
            std::vector<int> inTheWay;
            for (std::size_t j = 0; j < count; ++j)
                if (j != i &&
                    roomsOverlap(target, m_problem.boundsAt(int(j), layout.left[j], layout.top[j])))
                    inTheWay.push_back(int(j));
            if (inTheWay.size() > 3)
                continue;
            Layout trial = layout;
            std::vector<char> present(count, 1);
            trial.left[i] = spot.left;
            trial.top[i] = spot.top;
            for (const int j : inTheWay)
                present[j] = 0;
            bool placed = true;
            for (const int j : inTheWay) {
                const auto elsewhere = bestSpot(j, trial, present);
                if (!elsewhere) {
                    placed = false;
                    break;
                }
                trial.left[j] = elsewhere->left;
                trial.top[j] = elsewhere->top;
                present[j] = 1;
            }
            if (placed && scoreLayout(m_problem, trial).betterThan(before)) {
                layout = std::move(trial);
                return true;
            }
        }
    }
    return false;
}

bool LocalSearch::swapTwins(Layout &layout)
{
    bool swapped = false;
    const std::size_t count = m_problem.rooms.size();
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t j = i + 1; j < count; ++j) {
            const Room &a = m_problem.rooms[i], &b = m_problem.rooms[j];
            if (a.width != b.width || a.height != b.height)
                continue;
            const auto allowed = [this](const Room &room, double left, double top) {
                return (left == room.left0 && top == room.top0) ||
                       (m_problem.xAxis.holds(left) && m_problem.yAxis.holds(top));
            };
            if (!allowed(a, layout.left[j], layout.top[j]) ||
                !allowed(b, layout.left[i], layout.top[i]))
                continue;
            const LayoutScore now{m_problem.scoreAt(int(i), layout.left[i], layout.top[i]) +
                                      m_problem.scoreAt(int(j), layout.left[j], layout.top[j]),
                                  m_problem.distance(int(i), layout.left[i], layout.top[i]) +
                                      m_problem.distance(int(j), layout.left[j], layout.top[j])};
            const LayoutScore exchanged{
                m_problem.scoreAt(int(i), layout.left[j], layout.top[j]) +
                    m_problem.scoreAt(int(j), layout.left[i], layout.top[i]),
                m_problem.distance(int(i), layout.left[j], layout.top[j]) +
                    m_problem.distance(int(j), layout.left[i], layout.top[i])};
            if (exchanged.betterThan(now)) {
                std::swap(layout.left[i], layout.left[j]);
                std::swap(layout.top[i], layout.top[j]);
                swapped = true;
            }
        }
    }
    return swapped;
}

void LocalSearch::improve(Layout &layout)
{
    while (!m_clock.stopped()) {
        bool changed = relocateAll(layout);
        changed = swapTwins(layout) || changed;
        if (!changed && !pushAside(layout))
            break;
    }
}

void LocalSearch::explore(Layout &layout, std::chrono::steady_clock::time_point until, int target)
{
    const std::size_t count = m_problem.rooms.size();
    if (count < 2)
        return;
    LayoutScore best = scoreLayout(m_problem, layout);
    const auto random = [this](std::size_t below) {
        // xorshift: the same chart gives the same proposal every time.
        m_random ^= m_random << 13;
        m_random ^= m_random >> 7;
        m_random ^= m_random << 17;
        return std::size_t(m_random % below);
    };
    const int patience = 60 + 10 * int(count);
    for (int stale = 0; stale < patience && best.score < target; ++stale) {
        if (m_clock.stopped() || m_clock.pastTime(until))
            break;
        // A room, preferably one not yet in its best zone, and its nearest neighbours.
        std::size_t seed = random(count);
        for (int tries = 0; tries < 4; ++tries) {
            if (m_problem.scoreAt(int(seed), layout.left[seed], layout.top[seed]) !=
                m_problem.bestScore)
                break;
            seed = random(count);
        }
        std::vector<std::pair<double, int>> near;
        for (std::size_t j = 0; j < count; ++j)
            near.push_back(
                {std::hypot(layout.left[j] - layout.left[seed], layout.top[j] - layout.top[seed]),
                 int(j)});
        std::sort(near.begin(), near.end());
        const std::size_t shaken = std::min(count, 2 + random(3));
        std::vector<int> loose;
        for (std::size_t k = 0; k < shaken; ++k)
            loose.push_back(near[k].second);
        for (std::size_t k = loose.size(); k > 1; --k)
            std::swap(loose[k - 1], loose[random(k)]);

        Layout trial = layout;
        std::vector<char> present(count, 1);
        for (const int room : loose)
            present[room] = 0;
        bool placed = true;
        for (const int room : loose) {
            // The room leaves its place: the new one is sought away from it.
            trial.left[room] = m_problem.rooms[room].left0;
            trial.top[room] = m_problem.rooms[room].top0;
            const auto spot = bestSpot(room, trial, present);
            if (!spot) {
                placed = false;
                break;
            }
            trial.left[room] = spot->left;
            trial.top[room] = spot->top;
            present[room] = 1;
        }
        if (!placed)
            continue;
        improve(trial);
        const LayoutScore score = scoreLayout(m_problem, trial);
        if (score.betterThan(best)) {
            layout = std::move(trial);
            best = score;
            m_clock.setBest(layout);
            stale = 0;
        }
    }
}

} // namespace tessel::arranging
