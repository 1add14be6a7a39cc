#include "analysis/arrangement.h"
#include "analysis/rule_table.h"
#include "chart_elements.h"
#include "model/placement.h"
#include "model/rooms.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>
#include <thread>

namespace tessel {
namespace {

using testing::placeElement;
using namespace std::chrono_literals;

const RuleTable &rules()
{
    static const RuleTable table;
    return table;
}

// Rooms in feet on a plot of the given feet, as the window would place them.
struct House
{
    Scales scales;
    ChartTable table;

    House(double lengthFeet, double widthFeet)
        : scales{lengthFeet / 6, widthFeet / 6}
    {}
    int room(const std::string &name, double right, double down, double width, double length)
    {
        return placeElement(table, name, float(widthToChart(right, scales)),
                            float(lengthToChart(down, scales)), float(widthToChart(width, scales)),
                            float(lengthToChart(length, scales)));
    }
    // A door along the top wall of a room, from a quarter of its width.
    int doorOnTop(int room)
    {
        const ChartElement &r = table.at(room);
        return placeElement(table, "", r.left + r.width / 4, r.top, r.width / 4, 0);
    }
    int entranceOnLeft(int room)
    {
        const ChartElement &r = table.at(room);
        return placeElement(table, "Main Entrance", r.left, r.top + r.height / 4, 0, r.height / 2);
    }
    ArrangementRequest request(int facing = 0) const
    {
        ArrangementRequest request{table, scales, ArrangementJudge::byCorner(rules(), facing), {}};
        request.timeLimit = 20s;
        return request;
    }
};

// The catalogue in rows from the top-left corner of a 60 x 40 ft plot, each with a door.
House catalogueHouse()
{
    House house(40, 60);
    const std::vector<std::array<double, 2>> sizes = {
        {12, 14}, {10, 10}, {12, 10}, {6, 8},   {12, 12}, {12, 10}, {8, 6},
        {6, 6},   {16, 14}, {10, 12}, {16, 12}, {14, 12}, {14, 12}};
    double x = 0, y = 0, depth = 0;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (x + sizes[i][0] > 60) {
            x = 0;
            y += depth;
            depth = 0;
        }
        house.doorOnTop(house.room(kRoomCatalogue[i], x, y, sizes[i][0], sizes[i][1]));
        x += sizes[i][0];
        depth = std::max(depth, sizes[i][1]);
    }
    return house;
}

bool liesOnEdgeOf(const ChartElement &opening, const ChartElement &room)
{
    const RoomBounds line = roomBounds(opening), box = roomBounds(room);
    if (line.top == line.bottom && (line.top == box.top || line.top == box.bottom))
        return line.left >= box.left && line.right <= box.right;
    if (line.left == line.right && (line.left == box.left || line.left == box.right))
        return line.top >= box.top && line.bottom <= box.bottom;
    return false;
}

bool isOpening(const ChartElement &element)
{
    const ElementKind kind = kindOf(element.text);
    return !isDeleted(element) && (kind == ElementKind::Door || kind == ElementKind::MainEntrance ||
                                   kind == ElementKind::BackEntrance);
}

// What every arrangement must be, whatever it achieves.
void expectSound(const ArrangementRequest &request, const Arrangement &arrangement)
{
    const ChartTable &before = request.table;
    const ChartTable after = arrangedTable(before, arrangement);
    const std::set<int> kept(request.keptInPlace.begin(), request.keptInPlace.end());
    std::map<int, ArrangedMove> moves;
    for (const ArrangedMove &move : arrangement.moves) {
        EXPECT_TRUE(moves.emplace(move.index, move).second) << "moved twice: " << move.index;
        EXPECT_TRUE(move.fromLeft != move.toLeft || move.fromTop != move.toTop) << move.index;
    }
    ASSERT_EQ(after.elementCount(), before.elementCount());
    for (int i = 1; i <= before.elementCount(); ++i) {
        const ChartElement &was = before.at(i), &is = after.at(i);
        ChartElement placedBack = is;
        placedBack.left = was.left;
        placedBack.top = was.top;
        EXPECT_EQ(placedBack, was) << "only places change: " << i;
        const auto move = moves.find(i);
        if (move == moves.end()) {
            EXPECT_TRUE(was.left == is.left && was.top == is.top) << i;
            continue;
        }
        EXPECT_EQ(move->second.fromLeft, was.left);
        EXPECT_EQ(move->second.fromTop, was.top);
        EXPECT_FALSE(isDeleted(was)) << i;
        EXPECT_FALSE(kept.count(i)) << "kept, yet moved: " << i;
        if (kindOf(was.text) == ElementKind::Room) {
            EXPECT_TRUE(request.judge.judges(was.text)) << was.text;
            EXPECT_EQ(move->second.carriedBy, 0);
            const RoomBounds box = roomBounds(is);
            EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= 4800 && box.bottom <= 4800)
                << "outside the plot: " << i;
            if (request.snapToFeet) {
                EXPECT_EQ(snapToFeet(is.left, is.top, request.scales),
                          (ChartPoint{is.left, is.top}))
                    << i;
            }
            continue;
        }
        // An opening moves with the room it lay on, by the room's offset.
        const int carrier = move->second.carriedBy;
        ASSERT_TRUE(moves.count(carrier)) << i;
        for (int r = 1; r <= before.elementCount(); ++r)
            EXPECT_FALSE(!moves.count(r) && blocksRooms(before.at(r)) &&
                         liesOnEdgeOf(was, before.at(r)))
                << "taken off the wall of a room that stays: " << i;
        EXPECT_TRUE(liesOnEdgeOf(was, before.at(carrier))) << i;
        EXPECT_TRUE(liesOnEdgeOf(is, after.at(carrier))) << i;
        EXPECT_FLOAT_EQ(is.left - was.left, after.at(carrier).left - before.at(carrier).left);
        EXPECT_FLOAT_EQ(is.top - was.top, after.at(carrier).top - before.at(carrier).top);
    }
    for (int i = 1; i <= before.elementCount(); ++i) {
        const ChartElement &element = after.at(i);
        // No room that may move overlaps another room, as the drop check tells.
        if (kindOf(element.text) == ElementKind::Room && blocksRooms(element) &&
            request.judge.judges(element.text) && !kept.count(i)) {
            EXPECT_EQ(checkRoomPlace(after, i, element), std::nullopt) << "overlaps: " << i;
        }
        // An opening left behind on a moved room's wall still has a room that stayed.
        if (isOpening(before.at(i)) && !moves.count(i))
            for (const auto &[index, move] : moves)
                if (move.carriedBy == 0 && liesOnEdgeOf(before.at(i), before.at(index))) {
                    bool onStayingRoom = false;
                    for (int r = 1; r <= before.elementCount(); ++r)
                        onStayingRoom |= !moves.count(r) && blocksRooms(before.at(r)) &&
                                         liesOnEdgeOf(before.at(i), before.at(r));
                    EXPECT_TRUE(onStayingRoom) << "left behind: " << i;
                }
    }
    const std::string counts =
        std::to_string(arrangement.after.best) + " of " + std::to_string(arrangement.judgedRooms) +
        " rooms in their best zone, " + std::to_string(arrangement.after.acceptable) +
        " acceptable, " + std::to_string(arrangement.after.moveAdvised) + " move advised (now " +
        std::to_string(arrangement.before.best) + ", " +
        std::to_string(arrangement.before.acceptable) + ", " +
        std::to_string(arrangement.before.moveAdvised) + ")";
    EXPECT_EQ(arrangement.summary.substr(0, counts.size()), counts);
}

struct SoundCase
{
    const char *what;
    std::function<ArrangementRequest()> make;
};

class Arranging : public ::testing::TestWithParam<SoundCase>
{
};

TEST_P(Arranging, KeepsEveryRuleOfTheChart)
{
    const ArrangementRequest request = GetParam().make();
    const Arrangement arrangement = arrange(request);
    expectSound(request, arrangement);
    EXPECT_TRUE(arrangement.feasible);
    EXPECT_FALSE(arrangement.moves.empty());
    EXPECT_GT(arrangement.after.best, arrangement.before.best);
    if (request.judge.isByCorner()) {
        // The counts are the verdicts the analysis gives the arranged chart.
        const ChartTable after = arrangedTable(request.table, arrangement);
        EXPECT_EQ(countVerdicts(judgeRooms(after, 0, rules())), arrangement.after);
        EXPECT_EQ(countVerdicts(judgeRooms(request.table, 0, rules())), arrangement.before);
    }
}

ArrangementRequest catalogueWithKeptRoomsAndStrangers()
{
    House house = catalogueHouse();
    // Elements the adviser leaves alone: a room of another name, one kept in place, a deleted
    // room and a deleted door; and an entrance on the Kitchen's wall.
    const int garage = house.room("Garage", 50, 30, 10, 10);
    house.doorOnTop(garage);
    const int parked = house.room("Kitchen", 0, 0, 1, 1);
    ChartElement &deleted = house.table.at(parked);
    deleted.left = deleted.top = 4800;
    deleted.width = deleted.height = 0;
    deleted.enabled = false;
    placeElement(house.table, "Deleted Door", 4800, 4800, 0, 0);
    house.entranceOnLeft(5);
    ArrangementRequest request = house.request();
    request.keptInPlace = {1, 7}; // the Master BedRoom and the Bath Room
    request.table = house.table;
    return request;
}

ArrangementRequest snappedOnAnOddPlot()
{
    // 7.5 and 9 ft a division: whole feet fall between whole twips.
    House house(45, 54);
    house.room("Kitchen", 0, 0, 12, 10);
    house.room("Puja Room", 12, 0, 6, 6);
    house.room("Master BedRoom", 18, 0, 14, 12);
    house.room("Bath Room", 0, 10, 8, 6);
    house.doorOnTop(1);
    ArrangementRequest request = house.request();
    request.snapToFeet = true;
    return request;
}

ArrangementRequest overlappingAndOutside()
{
    House house(40, 40);
    house.room("Kitchen", 0, 0, 12, 12);
    house.room("Study Room", 6, 6, 10, 10);   // over the Kitchen
    house.room("Store Room", 35, 35, 10, 10); // beyond the plot's far corner
    return house.request();
}

ArrangementRequest byRectangleCentre()
{
    House house(40, 40);
    house.room("Kitchen", 0, 0, 12, 12);
    house.room("Puja Room", 12, 0, 8, 8);
    house.doorOnTop(1);
    ArrangementRequest request = house.request();
    // A judge of another method: the zone of the room's centre.
    request.judge = ArrangementJudge::byRectangle(
        [](std::string_view kind) { return rules().find(kind) != nullptr; },
        [](std::string_view kind, double left, double top, double width, double height) {
            const auto zone = ClassifyZone(left + width / 2, top + height / 2, 0);
            return zone ? judge(rules(), kind, *zone) : Verdict::NotJudged;
        });
    return request;
}

INSTANTIATE_TEST_SUITE_P(Charts, Arranging,
                         ::testing::Values(SoundCase{"catalogue",
                                                     [] {
                                                         return catalogueHouse().request();
                                                     }},
                                           SoundCase{"kept", catalogueWithKeptRoomsAndStrangers},
                                           SoundCase{"snapped", snappedOnAnOddPlot},
                                           SoundCase{"invalid", overlappingAndOutside},
                                           SoundCase{"byRectangle", byRectangleCentre}),
                         [](const auto &info) { return std::string(info.param.what); });

TEST(Arranging, ProvesTheCatalogueHouseBest)
{
    const Arrangement arrangement = arrange(catalogueHouse().request());
    EXPECT_TRUE(arrangement.optimal);
    // Guest Room has no best zone; all others reach theirs.
    EXPECT_EQ(arrangement.after, (VerdictCounts{12, 1, 0}));
    ASSERT_EQ(arrangement.shortfalls.size(), 1u);
    EXPECT_EQ(arrangement.shortfalls[0].message, "Guest Room: its rules name no best zone");
    EXPECT_EQ(arrangement.summary,
              "12 of 13 rooms in their best zone, 1 acceptable, 0 move advised (now 0, 6, 7)");
}

// The best by the first two aims over every whole-foot place of every room.
struct BruteForce
{
    const House &house;
    std::vector<int> rooms;
    int best = std::numeric_limits<int>::min();
    std::vector<RoomBounds> placed;

    int score(int room, double left, double top) const
    {
        const ChartElement &r = house.table.at(room);
        const auto zone = ClassifyZone(left, top, 0);
        switch (zone ? judge(rules(), r.text, *zone) : Verdict::NotJudged) {
        case Verdict::Best:
            return 100;
        case Verdict::MoveAdvised:
            return -1;
        default:
            return 0;
        }
    }
    void search(std::size_t next, int total)
    {
        if (next == rooms.size()) {
            best = std::max(best, total);
            return;
        }
        const ChartElement &r = house.table.at(rooms[next]);
        for (int right = 0; widthToChart(right, house.scales) <= 4800; ++right) {
            for (int down = 0; lengthToChart(down, house.scales) <= 4800; ++down) {
                const ChartPoint at = snapToFeet(widthToChart(right, house.scales),
                                                 lengthToChart(down, house.scales), house.scales);
                const RoomBounds box = roomBounds(float(at.x), float(at.y), r.width, r.height);
                if (box.right > 4800 || box.bottom > 4800 ||
                    std::any_of(placed.begin(), placed.end(),
                                [&](const RoomBounds &other) { return roomsOverlap(box, other); }))
                    continue;
                placed.push_back(box);
                search(next + 1, total + score(rooms[next], at.x, at.y));
                placed.pop_back();
            }
        }
    }
};

TEST(Arranging, IsAsGoodAsTryingEveryPlace)
{
    std::mt19937 random(7);
    for (int trial = 0; trial < 16; ++trial) {
        // 6 ft plots (800 twips a foot) and 9 ft ones (533.3), snapped to whole feet.
        const bool small = trial % 2 == 0;
        const double side = small ? 6 : 9;
        House house(side, side);
        const int count = small ? 4 : 3;
        std::vector<int> rooms;
        double x = 0;
        for (int i = 0; i < count; ++i) {
            const double width = 1 + double(random() % 2), length = 1 + double(random() % 3);
            const int room = house.room(kRoomCatalogue[random() % 13], x, 0, width, length);
            // On whole feet, as the places tried are.
            ChartElement &placed = house.table.at(room);
            placed.left = float(snapToFeet(placed.left, 0, house.scales).x);
            rooms.push_back(room);
            x += width;
        }
        ArrangementRequest request = house.request();
        request.snapToFeet = true;
        const Arrangement arrangement = arrange(request);
        expectSound(request, arrangement);
        BruteForce brute{house, rooms, std::numeric_limits<int>::min(), {}};
        brute.search(0, 0);
        EXPECT_TRUE(arrangement.optimal) << trial;
        EXPECT_EQ(arrangement.after.best * 100 - arrangement.after.moveAdvised, brute.best)
            << "trial " << trial << ": " << arrangement.summary;
    }
}

TEST(Arranging, MovesNothingWhenEveryRoomIsInItsBestZone)
{
    House house(40, 40);
    const int kitchen = house.room("Kitchen", 30, 30, 8, 8); // South East
    house.doorOnTop(kitchen);
    house.room("Puja Room", 32, 0, 6, 6); // North East
    const Arrangement arrangement = arrange(house.request());
    EXPECT_TRUE(arrangement.moves.empty());
    EXPECT_TRUE(arrangement.optimal);
    EXPECT_TRUE(arrangement.shortfalls.empty());
    EXPECT_EQ(arrangement.summary, "2 of 2 rooms in their best zone, 0 acceptable, 0 move "
                                   "advised (now 2, 0, 0). Every room is in its best zone "
                                   "already: nothing moves.");
}

TEST(Arranging, SaysSoWhenNothingFitsBetterOnAFullPlot)
{
    // Two rooms the plot's width fill it; swapping them would send both away.
    House house(40, 40);
    house.room("Kitchen", 0, 0, 40, 20);    // North West: acceptable
    house.room("Bath Room", 0, 20, 40, 20); // West: acceptable
    const Arrangement arrangement = arrange(house.request());
    EXPECT_TRUE(arrangement.moves.empty());
    EXPECT_TRUE(arrangement.optimal);
    EXPECT_EQ(arrangement.summary, "0 of 2 rooms in their best zone, 2 acceptable, 0 move "
                                   "advised (now 0, 2, 0). Nothing fits better on this plot: no "
                                   "room moves.");
    ASSERT_EQ(arrangement.shortfalls.size(), 2u);
    EXPECT_EQ(arrangement.shortfalls[0].message,
              "Kitchen: too large for the South East: there it would reach beyond the plot");
}

TEST(Arranging, NamesWhyARoomMissesItsBestZone)
{
    House house(40, 40);
    // The South East is taken by a room the adviser does not move.
    house.room("Garage", 27, 27, 13, 13);
    house.room("Kitchen", 0, 0, 8, 8);
    house.room("Puja Room", 10, 0, 6, 6);
    ArrangementRequest request = house.request();
    request.keptInPlace = {3};
    const Arrangement arrangement = arrange(request);
    ASSERT_EQ(arrangement.shortfalls.size(), 2u);
    EXPECT_EQ(arrangement.shortfalls[0].index, 2);
    EXPECT_EQ(arrangement.shortfalls[0].message,
              "Kitchen: no free place in the South East large enough for it");
    EXPECT_EQ(arrangement.shortfalls[1].message, "Puja Room: kept in place");
}

TEST(Arranging, ProposesNothingWhereTheRoomsCannotAllFit)
{
    House house(40, 40);
    house.room("Garage", 0, 0, 40, 30);
    house.room("Kitchen", 0, 25, 20, 15); // over the garage, and no other place is free
    const Arrangement arrangement = arrange(house.request());
    EXPECT_FALSE(arrangement.feasible);
    EXPECT_TRUE(arrangement.moves.empty());
    EXPECT_NE(arrangement.summary.find("nothing is proposed"), std::string::npos);
}

ArrangementRequest manyRooms()
{
    House house(80, 60);
    double x = 0, y = 0;
    for (int i = 0; i < 40; ++i) {
        if (x + 8 > 60) {
            x = 0;
            y += 9;
        }
        house.room(kRoomCatalogue[i % 13], x, y, 8, 9);
        x += 8;
    }
    return house.request();
}

TEST(Arranging, StopsWhenCancelledAndKeepsWhatItFound)
{
    ArrangementRequest request = manyRooms();
    request.timeLimit = 600s;
    std::atomic<bool> cancel = false;
    std::vector<ArrangementProgress> told;
    std::thread canceller([&cancel] {
        std::this_thread::sleep_for(300ms);
        cancel = true;
    });
    const auto start = std::chrono::steady_clock::now();
    const Arrangement arrangement = arrange(
        request, [&told](const ArrangementProgress &p) { told.push_back(p); }, &cancel);
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 60s);
    EXPECT_TRUE(arrangement.cancelled);
    EXPECT_FALSE(arrangement.optimal);
    EXPECT_NE(arrangement.summary.find("The search was cancelled: this may not be the best "
                                       "arrangement."),
              std::string::npos);
    expectSound(request, arrangement);
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back().fraction, 1);
    EXPECT_EQ(told.back().best, arrangement.after);
    for (const ArrangementProgress &p : told)
        EXPECT_TRUE(p.fraction >= 0 && p.fraction <= 1);
}

TEST(Arranging, GivesTheBestFoundAtItsTimeLimit)
{
    ArrangementRequest request = manyRooms();
    request.timeLimit = 300ms;
    const Arrangement arrangement = arrange(request);
    expectSound(request, arrangement);
    EXPECT_GT(arrangement.after.best, arrangement.before.best);
    if (!arrangement.optimal) {
        EXPECT_NE(arrangement.summary.find("may not be the best"), std::string::npos);
    }
}

TEST(Arranging, AppliesThroughTheTablesJournal)
{
    House house = catalogueHouse();
    const Arrangement arrangement = arrange(house.request());
    ChartTable table = house.table;
    table.openJournal();
    applyArrangement(table, arrangement);
    const ChartJournal journal = table.closeJournal();
    EXPECT_EQ(journal.before.size(), arrangement.moves.size());
    EXPECT_EQ(table.at(1).left, arrangement.moves.front().toLeft);
    // Indexes the table does not have are passed over.
    Arrangement stray;
    stray.moves.push_back({999, 0, 0, 10, 10, 1, 1, 0});
    EXPECT_EQ(arrangedTable(house.table, stray).elementCount(), house.table.elementCount());
}

// The cells the adviser reasons by are exactly ClassifyZone's zones, for every facing.
TEST(ArrangementJudge, CellsTileThePlotByClassifyZone)
{
    for (int facing = 0; facing < 4; ++facing) {
        const ArrangementJudge judge = ArrangementJudge::byCorner(rules(), facing);
        const auto &cells = judge.cornerCells();
        ASSERT_EQ(cells.size(), 12u);
        for (int y = 0; y <= 4800; y += 1) {
            for (int x : {0, 1, 1597, 1598, 2400, 2401, 3186, 3187, 4799, y % 4800}) {
                int holding = 0;
                for (const auto &cell : cells)
                    if (x >= cell.left && x <= cell.right && y >= cell.top && y <= cell.bottom) {
                        ++holding;
                        EXPECT_EQ(ClassifyZone(x, y, facing), cell.zone) << x << ", " << y;
                    }
                EXPECT_EQ(holding, 1) << x << ", " << y;
            }
        }
    }
    // Without a facing nothing is judged, so nothing moves.
    House house(40, 40);
    house.room("Kitchen", 0, 0, 8, 8);
    ArrangementRequest request = house.request(4);
    EXPECT_FALSE(request.judge.judges("Kitchen"));
    EXPECT_EQ(arrange(request).summary, "0 of 0 rooms in their best zone, 0 acceptable, 0 move "
                                        "advised (now 0, 0, 0). No room on the chart is of a "
                                        "kind the rules judge: nothing moves.");
}

} // namespace
} // namespace tessel
