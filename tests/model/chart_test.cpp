#include "model/chart.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessel {
namespace {

TEST(ElementKind, FollowsFromTheTextAlone)
{
    EXPECT_EQ(kindOf(""), ElementKind::Door);
    EXPECT_EQ(kindOf("Main Entrance"), ElementKind::MainEntrance);
    EXPECT_EQ(kindOf("Back Entrance"), ElementKind::BackEntrance);
    EXPECT_EQ(kindOf("Deleted Door"), ElementKind::DeletedDoor);
    EXPECT_EQ(kindOf("a"), ElementKind::DeletedEntrance);
    EXPECT_EQ(kindOf("Kitchen"), ElementKind::Room);
    EXPECT_EQ(kindOf("main entrance"), ElementKind::Room);
    EXPECT_EQ(kindOf("A"), ElementKind::Room);
}

TEST(ChartTable, StartsWithTheTemplateOnly)
{
    const ChartTable table;
    EXPECT_EQ(table.elementCount(), 0);
    const ChartElement &templateElement = table.at(0);
    EXPECT_EQ(templateElement.text,
              "Don't Delete Me and Keep My Top And Left position less then Zero");
    EXPECT_EQ(templateElement.left, -480);
    EXPECT_EQ(templateElement.top, -240);
    EXPECT_EQ(templateElement.width, 1005);
    EXPECT_EQ(templateElement.height, 795);
    EXPECT_FALSE(templateElement.visible);
    EXPECT_TRUE(table.stackingOrder().empty());
}

TEST(ChartTable, CreatesHiddenCopiesOfTheTemplateInFront)
{
    ChartTable table;
    EXPECT_EQ(table.createElement(), 1);
    EXPECT_EQ(table.createElement(), 2);
    EXPECT_EQ(table.elementCount(), 2);
    EXPECT_EQ(table.at(2).text, table.at(0).text);
    EXPECT_EQ(table.at(2).left, -480);
    EXPECT_FALSE(table.at(2).visible);
    EXPECT_TRUE(table.at(2).enabled);
    EXPECT_EQ(table.stackingOrder(), (std::vector<int>{1, 2}));
}

TEST(ChartTable, BringToFrontKeepsTheOthersInOrder)
{
    ChartTable table;
    for (int i = 0; i < 4; ++i)
        table.createElement();
    table.bringToFront(2);
    EXPECT_EQ(table.stackingOrder(), (std::vector<int>{1, 3, 4, 2}));
    table.bringToFront(2);
    EXPECT_EQ(table.stackingOrder(), (std::vector<int>{1, 3, 4, 2}));
    table.bringToFront(99);
    EXPECT_EQ(table.stackingOrder(), (std::vector<int>{1, 3, 4, 2}));
}

TEST(ChartTable, RefusesElement32768AndStaysUnchanged)
{
    ChartTable table;
    for (int i = 1; i <= ChartTable::kMaxIndex; ++i)
        ASSERT_EQ(table.createElement(), i);
    EXPECT_TRUE(table.isFull());
    EXPECT_EQ(table.createElement(), std::nullopt);
    EXPECT_EQ(table.elementCount(), ChartTable::kMaxIndex);
    EXPECT_EQ(table.stackingOrder().size(), std::size_t(ChartTable::kMaxIndex));
    EXPECT_EQ(table.stackingOrder().back(), ChartTable::kMaxIndex);
}

} // namespace
} // namespace tessel
