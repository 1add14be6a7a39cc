#include "storage/plan_checks.h"

#include "sample_plan.h"

#include <gtest/gtest.h>

#include <random>

namespace tessel {
namespace {

using testing::addElement;
using testing::park;

struct OverlapCase
{
    const char *what;
    float left, top, width, height; // a second room beside Kitchen at (0, 0, 1600, 800)
    bool overlaps;
};

class RoomOverlap : public ::testing::TestWithParam<OverlapCase>
{
};

TEST_P(RoomOverlap, IsFoundOnTheChart)
{
    const OverlapCase &c = GetParam();
    Editor editor;
    addElement(editor, "Kitchen", 0, 0, 1600, 800);
    addElement(editor, "Hall", c.left, c.top, c.width, c.height);
    EXPECT_EQ(findOverlappingRooms(editor.txtRoom).has_value(), c.overlaps) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoomOverlap,
    ::testing::Values(OverlapCase{"dropped across", 800, 400, 1600, 800, true},
                      OverlapCase{"created at the corner over it", 0, 0, 800, 800, true},
                      OverlapCase{"inside it", 100, 100, 10, 10, true},
                      OverlapCase{"around it", -10, -10, 2000, 2000, true},
                      OverlapCase{"a sliver of a twip", 1599.5f, 799.5f, 100, 100, true},
                      OverlapCase{"touching the right edge", 1600, 0, 1600, 800, false},
                      OverlapCase{"touching the bottom edge", 0, 800, 1600, 800, false},
                      OverlapCase{"touching a corner", 1600, 800, 100, 100, false},
                      OverlapCase{"apart", 2000, 2000, 100, 100, false}));

TEST(RoomOverlap, OnlyLiveRoomsCount)
{
    Editor editor;
    addElement(editor, "Kitchen", 0, 0, 1600, 800);
    addElement(editor, "", 0, 400, 1600, 0);           // a door across it
    addElement(editor, "Main Entrance", 0, 0, 0, 800); // an entrance on its edge
    park(editor, addElement(editor, "Hall", 0, 0, 800, 800), "Hall");
    addElement(editor, "Store Room", 4800, 4800, 0, 0); // a deleted room loaded from a file
    addElement(editor, "Bath Room", 100, 100, 0, 0);    // no area
    EXPECT_FALSE(findOverlappingRooms(editor.txtRoom).has_value());
}

// The sweep against the plain pairwise test, over many crowded random charts.
TEST(RoomOverlap, AgreesWithTestingEveryPair)
{
    std::mt19937 random(5);
    std::uniform_int_distribution<int> position(0, 60);
    std::uniform_int_distribution<int> size(1, 12);
    for (int chart = 0; chart < 300; ++chart) {
        Editor editor;
        const int rooms = 2 + chart % 40;
        for (int i = 0; i < rooms; ++i)
            addElement(editor, "Room", position(random) * 80.f, position(random) * 80.f,
                       size(random) * 40.f, size(random) * 40.f);
        bool expected = false;
        const ChartTable &table = editor.txtRoom;
        for (int a = 1; a <= rooms; ++a) {
            for (int b = a + 1; b <= rooms; ++b) {
                const ChartElement &p = table.at(a);
                const ChartElement &q = table.at(b);
                expected = expected || (p.left < q.left + q.width && q.left < p.left + p.width &&
                                        p.top < q.top + q.height && q.top < p.top + p.height);
            }
        }
        const auto found = findOverlappingRooms(table);
        ASSERT_EQ(found.has_value(), expected) << chart;
        if (found) {
            const ChartElement &p = table.at(found->first);
            const ChartElement &q = table.at(found->second);
            EXPECT_TRUE(p.left < q.left + q.width && q.left < p.left + p.width &&
                        p.top < q.top + q.height && q.top < p.top + p.height);
        }
    }
}

struct PlacementCase
{
    const char *what;
    float left, top, width, height; // the main entrance; Kitchen at (0, 0, 1600, 800)
    bool inside;
};

class EntrancePlacement : public ::testing::TestWithParam<PlacementCase>
{
};

TEST_P(EntrancePlacement, IsTestedAgainstLiveRooms)
{
    const PlacementCase &c = GetParam();
    Editor editor;
    addElement(editor, "Kitchen", 0, 0, 1600, 800);
    addElement(editor, "", 2000, 2000, 400, 0);
    addElement(editor, "Back Entrance", 3000, 3000, 0, 400);
    park(editor, addElement(editor, "Hall", 0, 0, 800, 800), "Hall");
    addElement(editor, "Main Entrance", c.left, c.top, c.width, c.height);
    EXPECT_EQ(entrancesInsideRooms(editor.txtRoom, ElementKind::MainEntrance), c.inside) << c.what;
    EXPECT_TRUE(entrancesInsideRooms(editor.txtRoom, ElementKind::Room));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntrancePlacement,
    ::testing::Values(PlacementCase{"on the left wall", 0, 200, 0, 400, true},
                      PlacementCase{"on the bottom wall to the corner", 1200, 800, 400, 0, true},
                      PlacementCase{"one twip outside", -1, 200, 0, 400, false},
                      PlacementCase{"running past the corner", 1300, 800, 400, 0, false},
                      PlacementCase{"on a door only", 2000, 2000, 400, 0, false},
                      PlacementCase{"on the back entrance only", 3000, 3000, 0, 400, false},
                      PlacementCase{"where deleted elements are parked", 4800, 4800, 0, 0, false}));

TEST(EntrancePlacement, RoomEdgesAreRoundedHalvesToEven)
{
    Editor editor;
    addElement(editor, "Kitchen", 0.5f, 0, 1600, 800); // left 0.5 rounds to 0
    addElement(editor, "Main Entrance", 0, 200, 0, 400);
    EXPECT_TRUE(entrancesInsideRooms(editor.txtRoom, ElementKind::MainEntrance));
    editor.txtRoom.at(1).left = 1.5f; // rounds to 2
    editor.txtRoom.at(2).left = 1;
    EXPECT_FALSE(entrancesInsideRooms(editor.txtRoom, ElementKind::MainEntrance));
}

} // namespace
} // namespace tessel
