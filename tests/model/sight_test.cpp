#include "chart_elements.h"
#include "model/sight.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace tessel {
namespace {

constexpr ChartArea kWholeChart{0, 0, 4800, 4800};
// Twips a pixel.
constexpr double kCell = 4;

int put(ChartTable &table, float left, float top, float width, float height)
{
    return testing::placeElement(table, width == 0 || height == 0 ? "" : "Room", left, top, width,
                                 height);
}

using Indices = std::vector<int>;

TEST(ElementsInSight, RoomsCoveredByRoomsInFrontAreLeftOut)
{
    ChartTable table;
    const int back = put(table, 1000, 1000, 400, 400);
    const int left = put(table, 900, 900, 300, 600);   // covers the back room's left part
    const int right = put(table, 1200, 900, 300, 600); // and its right part
    EXPECT_EQ(elementsInSight(table, kWholeChart, kCell, 0), (Indices{left, right}));
    // Brought to the front, it hides nothing and shows.
    table.bringToFront(back);
    EXPECT_EQ(elementsInSight(table, kWholeChart, kCell, 0), (Indices{left, right, back}));
}

TEST(ElementsInSight, WhatShowsAnywhereIsKept)
{
    ChartTable table;
    const int peeking = put(table, 1000, 1000, 400, 400);
    const int front = put(table, 1000, 1000, 400, 390);
    EXPECT_EQ(elementsInSight(table, kWholeChart, kCell, 0), (Indices{peeking, front}));
    // Its border reaches beyond the box in front of the same size.
    ChartTable same;
    const int under = put(same, 2000, 2000, 400, 400);
    const int over = put(same, 2000, 2000, 400, 400);
    EXPECT_EQ(elementsInSight(same, kWholeChart, kCell, 0), (Indices{over}));
    EXPECT_EQ(elementsInSight(same, kWholeChart, kCell, 15), (Indices{under, over}));
}

TEST(ElementsInSight, OpeningsCoverNothingAndRoomsCoverThem)
{
    ChartTable table;
    const int roomUnderDoor = put(table, 0, 0, 800, 800);
    const int door = put(table, 0, 400, 800, 0);
    const int hiddenDoor = put(table, 2100, 2100, 400, 0);
    const int room = put(table, 2000, 2000, 800, 800);
    EXPECT_EQ(elementsInSight(table, kWholeChart, kCell, 5), (Indices{roomUnderDoor, door, room}));
    (void)hiddenDoor;
}

TEST(ElementsInSight, OnlyTheAreaCounts)
{
    ChartTable table;
    const int wide = put(table, 0, 0, 2000, 400);
    const int front = put(table, 0, 0, 1000, 400);
    const int hidden = put(table, 3000, 3000, 400, 400);
    table.at(hidden).visible = false;
    const int parked = put(table, 4800, 4800, 0, 0);
    // Within the front room's part the wide room is covered; across the chart it shows.
    EXPECT_EQ(elementsInSight(table, {100, 100, 900, 300}, kCell, 0), (Indices{front}));
    EXPECT_EQ(elementsInSight(table, kWholeChart, kCell, 0), (Indices{wide, front}));
    EXPECT_EQ(elementsInSight(table, {3000, 3000, 3400, 3400}, kCell, 0), Indices{});
    (void)parked;
}

// Against a cell-by-cell look at random stacks of rooms, doors among them: whatever is the
// front element at some cell is kept.
TEST(ElementsInSight, KeepsEveryElementThatIsInFrontSomewhere)
{
    std::mt19937 random(11);
    const auto between = [&random](int low, int high) {
        return float(std::uniform_int_distribution<int>(low, high)(random));
    };
    constexpr int kSide = 120;
    for (int round = 0; round < 8; ++round) {
        ChartTable table;
        for (int i = 0; i < 60; ++i) {
            const bool door = i % 7 == 0;
            put(table, between(-10, kSide), between(-10, kSide), between(door ? 0 : 3, 60),
                door ? 0 : between(3, 60));
        }
        const Indices inSight = elementsInSight(table, {0, 0, kSide, kSide}, 1, 0);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const auto &order = table.stackingOrder();
                for (auto it = order.rbegin(); it != order.rend(); ++it) {
                    const ChartElement &e = table.at(*it);
                    if (e.width == 0 || e.height == 0)
                        continue;
                    if (x + 0.5 > e.left && x + 0.5 < e.left + e.width && y + 0.5 > e.top &&
                        y + 0.5 < e.top + e.height) {
                        ASSERT_NE(std::find(inSight.begin(), inSight.end(), *it), inSight.end())
                            << "round " << round << ", element " << *it << " at " << x << ", " << y;
                        break;
                    }
                }
            }
        }
    }
}

// A chart as full as the table allows, rooms stacked many deep: only the front layer shows.
TEST(ElementsInSight, AFullChartShowsItsFrontLayer)
{
    ChartTable table;
    for (int i = 0; !table.isFull(); ++i)
        put(table, float(i % 48 * 100), float(i / 48 % 48 * 100), 100, 100);
    const Indices inSight = elementsInSight(table, kWholeChart, 15, 11);
    EXPECT_EQ(inSight.size(), 48u * 48u);
    EXPECT_EQ(inSight.back(), table.stackingOrder().back());
}

} // namespace
} // namespace tessel
