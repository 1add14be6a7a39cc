#pragma once

// The search behind the arrangement adviser: the rooms that may move as a packing problem
// with a score, and a local search that finds good arrangements of any size and with any
// judge. The solver that proves an arrangement best is in arrangement_solver.h.

#include "analysis/arrangement.h"
#include "model/placement.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessel::arranging {

// The places a corner can take along one axis: every whole twip, or the whole feet of the
// plot while snapping.
class Axis
{
public:
    Axis() = default;
    // Sorted and without repeats.
    explicit Axis(std::vector<double> points)
        : m_points(std::move(points))
        , m_snapped(true)
    {}

    // The first place at or above `at`, and the last at or below it; +-infinity when there is
    // none.
    double up(double at) const;
    double down(double at) const;
    bool holds(double at) const;
    bool isSnapped() const { return m_snapped; }

private:
    std::vector<double> m_points;
    bool m_snapped = false;
};

// A part of the corner's places with one verdict: whole places, inclusive.
struct Window
{
    double left, right, top, bottom;
    int score;
};

struct Room
{
    int element = 0;
    std::string kind;
    float width = 0, height = 0;
    // Where its top-left corner stands now.
    float left0 = 0, top0 = 0;
    // Whether it stands inside the plot clear of every room that stays.
    bool freeWhereItStands = false;
    // The last corner places that keep the room inside the plot.
    double rightmost = 0, lowest = 0;
    // The judge by corner's cells clipped to the plot and the axes; empty for a judge by
    // rectangle.
    std::vector<Window> windows;
    // The zone its kind is best in, as a number, or -1.
    int bestZone = -1;
};

// Scores: a room in its best zone counts bestScore, "move advised" -1, anything else 0, so that
// their sum orders arrangements by the first two aims at once.
struct Problem
{
    std::vector<RoomBounds> obstacles; // the rooms that stay
    std::vector<Room> rooms;
    Axis xAxis, yAxis;
    // Feet (or ruler divisions) per twip along each axis.
    double unitsPerTwipX = 1, unitsPerTwipY = 1;
    const ArrangementJudge *judge = nullptr;
    int bestScore = 1;

    RoomBounds boundsAt(int room, double left, double top) const;
    int scoreAt(int room, double left, double top) const;
    int scoreOf(Verdict verdict) const;
    double distance(int room, double left, double top) const;
    bool insidePlot(int room, double left, double top) const;
};

// One place for every room, by its number in Problem::rooms.
struct Layout
{
    std::vector<double> left, top;
};

struct LayoutScore
{
    int score = 0;
    double movement = 0;

    // Better: a higher score, or the same score with clearly less movement.
    bool betterThan(const LayoutScore &other) const
    {
        return score != other.score ? score > other.score : movement < other.movement - 1e-9;
    }
};

LayoutScore scoreLayout(const Problem &problem, const Layout &layout);

// Why a room of a judged kind stays where it is, or that it may move.
enum class Stay { Moves, Kept, TooLarge, Other };

// The request's rooms as a problem, with what the adviser tells of each judged room.
struct Setup
{
    // Refers to the request's judge.
    Problem problem;
    // Every room of a judged kind on the chart (deleted rooms aside), in index order.
    std::vector<int> judged;
    std::map<int, Stay> stays;
    // Element index to the number in problem.rooms, of the rooms that may move.
    std::map<int, int> roomOf;
};
Setup setUp(const ArrangementRequest &request);

// Time, cancelling and progress, shared by the phases of one search.
class SearchClock
{
public:
    using Report = std::function<void(double fraction, const Layout &best)>;

    SearchClock(std::chrono::milliseconds limit, const std::atomic<bool> *cancel, Report report);

    // Whether to stop: the time limit passed or the user cancelled. Cheap enough to ask
    // often; it tells the progress now and then.
    bool stopped();
    bool cancelled() const { return m_cancel && m_cancel->load(std::memory_order_relaxed); }
    bool timedOut() const { return m_timedOut; }
    std::chrono::steady_clock::time_point start() const { return m_start; }
    std::chrono::steady_clock::time_point deadline() const { return m_deadline; }
    bool pastTime(std::chrono::steady_clock::time_point at) const;
    void setBest(const Layout &layout);
    void finish();

private:
    void tell(std::chrono::steady_clock::time_point now);

    std::chrono::steady_clock::time_point m_start, m_deadline, m_lastTold;
    const std::atomic<bool> *m_cancel;
    Report m_report;
    Layout m_best;
    bool m_hasBest = false;
    bool m_timedOut = false;
    std::uint32_t m_calls = 0;
};

// Finds a place for every room and then better places one room or a few at a time: the
// best found, of any size and with any judge.
class LocalSearch
{
public:
    LocalSearch(const Problem &problem, SearchClock &clock);

    // Every room where it stands where that is free, the others placed where they fit best;
    // std::nullopt when some room finds no place.
    std::optional<Layout> initial();
    // Moves rooms one at a time, then pushes rooms aside for a room that could be in its best
    // zone, until neither helps.
    void improve(Layout &layout);
    // Shakes a few rooms loose and lets them settle again, keeping what is better, until the
    // time given, `target` is reached or no shake has helped for long.
    void explore(Layout &layout, std::chrono::steady_clock::time_point until, int target);

    // Whether every room lies inside the plot clear of every other room, at whole places.
    bool isValid(const Layout &layout) const;
    // Whether the room has a free place of the best score while only the rooms that stay are
    // on the plot.
    bool hasFreeBestPlace(int room) const { return !bestZoneSpots(room, 1).empty(); }
    // The most the rooms can score, each as well as it could alone among the rooms that stay.
    int bound() const;

private:
    struct Spot
    {
        double left, top;
        int score;
        double distance;
    };
    // The best free place for `room` among the others present, by score and then distance.
    std::optional<Spot> bestSpot(int room, const Layout &layout,
                                 const std::vector<char> &present) const;
    // Places of the best score for `room` clear of the rooms that stay, nearest first.
    std::vector<Spot> bestZoneSpots(int room, std::size_t most) const;
    std::vector<double> coordinates(int room, const Layout &layout,
                                    const std::vector<char> &present, bool alongX) const;
    bool isFree(int room, double left, double top, const Layout &layout,
                const std::vector<char> &present) const;
    bool relocateAll(Layout &layout);
    bool pushAside(Layout &layout);
    bool swapTwins(Layout &layout);

    const Problem &m_problem;
    SearchClock &m_clock;
    std::uint64_t m_random = 0x9E3779B97F4A7C15ull;
};

} // namespace tessel::arranging
