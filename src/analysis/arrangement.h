#pragma once

#include "analysis/verdict.h"
#include "model/chart.h"
#include "model/plot.h"

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

class RuleTable;
struct RuleSet;
struct ZoneSettings;

// The verdict a room of a kind would have with its box at a rectangle (twips): what the
// adviser arranges rooms by. Called from the thread the adviser runs on, so it must be safe
// to call there (a pure function of its arguments and of data nobody changes meanwhile).
using RectangleVerdict = std::function<Verdict(std::string_view kind, double left, double top,
                                               double width, double height)>;

// How rooms are judged while they are arranged, and which of them the adviser may move.
class ArrangementJudge
{
public:
    // The specified method: the zone of the box's top-left corner on a plot facing the
    // cmbDirection entry `facing`, judged by the rule table. The verdict then only depends on
    // which cell of the zone grid the corner lies in, which lets the adviser prove its result
    // best. The verdicts of the table's kinds are read once, here.
    static ArrangementJudge byCorner(const RuleTable &rules, int facing);
    // Any other method: `judges` tells the kinds it judges (rooms of other names stay where
    // they are), `verdict` judges a box; the adviser then gives the best it finds.
    static ArrangementJudge byRectangle(std::function<bool(std::string_view kind)> judges,
                                        RectangleVerdict verdict);

    bool judges(std::string_view kind) const;
    Verdict verdict(std::string_view kind, double left, double top, double width,
                    double height) const;

    // The specified method's own structure: the cells a corner can lie in, and a kind's
    // verdict by cell. Empty for a judge by rectangle.
    struct CornerCell
    {
        // Whole twips of the corner, inclusive; a bound the grid does not have is the
        // widest value a corner can take.
        int left, right, top, bottom;
        Zone zone;
    };
    const std::vector<CornerCell> &cornerCells() const { return m_cells; }
    bool isByCorner() const { return !m_cells.empty(); }
    // The verdict of a kind the judge judges in each zone; only for a judge by corner.
    const std::array<Verdict, kZoneCount> *zoneVerdicts(std::string_view kind) const;

private:
    ArrangementJudge() = default;

    int m_facing = -1;
    std::map<std::string, std::array<Verdict, kZoneCount>, std::less<>> m_zoneVerdicts;
    std::vector<CornerCell> m_cells;
    std::function<bool(std::string_view)> m_judges;
    RectangleVerdict m_verdict;
};

// The judge of a plot's zone settings, as the window and the command line arrange by: the
// specified method's (by corner, for the settings' facing) for the corner method and for a plot
// without a size; else a room's verdict on the settings' wheel by the rule set, judged on copies
// of the set and the table, so that the search may run on a thread of its own.
ArrangementJudge arrangementJudge(const ZoneSettings &settings, const RuleSet &ruleSet,
                                  const RuleTable &table);

// Long enough for the specified method to prove most layouts' best arrangement, short enough
// to wait for.
inline constexpr std::chrono::milliseconds kArrangementTimeLimit{5000};

struct ArrangementRequest
{
    // Copied, so that the adviser can run on a thread of its own while the chart is edited.
    ChartTable table;
    // Feet per ruler division: movement is measured in feet and snapping lands on whole feet.
    // Without scales movement is measured in ruler divisions and nothing snaps.
    Scales scales;
    ArrangementJudge judge;
    // Rooms kept where they are, by element index, beside those the table marks keptInPlace.
    std::vector<int> keptInPlace;
    // Whether proposed top-left corners lie on whole feet of the plot, as snapToFeet puts them.
    bool snapToFeet = false;
    // The search gives the best it has when this has passed.
    std::chrono::milliseconds timeLimit = kArrangementTimeLimit;
};

// How far the search has come, told now and then from the thread it runs on.
struct ArrangementProgress
{
    // The share of the time limit used, 0 to 1; 1 when the search has ended.
    double fraction = 0;
    // The verdicts of the best arrangement found so far, of every judged room on the chart.
    VerdictCounts best;
};
using ArrangementProgressCallback = std::function<void(const ArrangementProgress &)>;

// One element the arrangement moves: a room, or a door or an entrance whose line lies on a
// moved room's edge, moved by the same offset. Twips; the size never changes.
struct ArrangedMove
{
    int index = 0;
    float fromLeft = 0, fromTop = 0;
    float toLeft = 0, toTop = 0;
    float width = 0, height = 0;
    // For an opening, the room it moves with; 0 for a room.
    int carriedBy = 0;

    bool operator==(const ArrangedMove &) const = default;
};

// A room of a judged kind that the arrangement leaves outside its best zone, and why.
struct RoomShortfall
{
    int index = 0;
    // "Kitchen: no free place in the South East large enough for it".
    std::string message;
};

struct Arrangement
{
    // Rooms first, then the openings they carry, each in index order; only elements that
    // change place.
    std::vector<ArrangedMove> moves;
    // Of every room of a judged kind on the chart (deleted rooms aside), before and after.
    VerdictCounts before;
    VerdictCounts after;
    int judgedRooms = 0;
    std::vector<RoomShortfall> shortfalls;
    // Whether no arrangement puts more rooms in their best zone, nor as many with fewer "move
    // advised": the search ran to its end with the specified method's structure.
    bool optimal = false;
    bool cancelled = false;
    // Whether every room that may move found a place inside the plot, clear of every other
    // room; when not, nothing is proposed.
    bool feasible = true;
    // Sum over the moved rooms of the distance their top-left corner moves, in feet (in ruler
    // divisions without scales). The other three corners move just as far.
    double movement = 0;
    // "7 of 9 rooms in their best zone, 2 acceptable, 0 move advised (now 3, 4, 2)", and a
    // sentence when it may not be the best or when nothing could be improved.
    std::string summary;
};

// Proposes new places for the rooms of a judged kind that are not kept: every room keeps its
// size, lies inside the plot and overlaps no other room as the drop check tells overlap; in
// this order, as many rooms as possible lie in their best zone, then as few as possible are
// "move advised", then the rooms move as little as possible in total. Deleted elements are
// left alone, and so are rooms of other names. With the specified method and up to 15 rooms
// that may move the first two aims are met exactly unless the time limit or `cancel` stops
// the search first; otherwise it gives the best it finds.
Arrangement arrange(const ArrangementRequest &request,
                    const ArrangementProgressCallback &progress = {},
                    const std::atomic<bool> *cancel = nullptr);

// Writes the arrangement's places into the table: through at(), so that an open journal keeps
// what they were. Elements whose index the table does not have are passed over.
void applyArrangement(ChartTable &table, const Arrangement &arrangement);
// The same on a copy.
ChartTable arrangedTable(const ChartTable &table, const Arrangement &arrangement);

} // namespace tessel
