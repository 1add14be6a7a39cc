#include "storage/image_naming.h"

#include "fake_dialogs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

namespace tessel {
namespace {

using testing::FakeDialogs;

struct TargetCase
{
    const char *chosen;
    ImageTarget target;
};

class ImageTargets : public ::testing::TestWithParam<TargetCase>
{
};

TEST_P(ImageTargets, CutTheFileBeforeItsFirstDot)
{
    EXPECT_EQ(imageTarget(GetParam().chosen), GetParam().target) << GetParam().chosen;
}

INSTANTIATE_TEST_SUITE_P(
    Names, ImageTargets,
    ::testing::Values(TargetCase{"/home/ann/plan", {"/home/ann/", "plan.jpg"}},
                      TargetCase{"/home/ann/plan.png", {"/home/ann/", "plan.jpg"}},
                      TargetCase{"/home/ann/my.plan.jpg", {"/home/ann/", "my.jpg"}},
                      TargetCase{"/home/ann/plan.JPG", {"/home/ann/", "plan.jpg"}},
                      TargetCase{"/home/site.plans/chart", {"/home/site.plans/", "chart.jpg"}},
                      TargetCase{"/home/site.plans/chart.jpg", {"/home/site.plans/", "chart.jpg"}},
                      TargetCase{"chart", {"", "chart.jpg"}}));

class UniqueImagePath : public ::testing::Test
{
protected:
    std::string make(const std::string &folder, const std::string &file = "chart.jpg")
    {
        return MakeUniqueImagePath(
            folder, file, [this](const std::string &path) { return taken.count(path) != 0; },
            dialogs);
    }
    void takeCopies(int last)
    {
        taken.insert("/img/chart.jpg");
        for (int copy = 1; copy <= last; ++copy) {
            char name[32];
            std::snprintf(name, sizeof name, "/img/chart_%03d.jpg", copy);
            taken.insert(name);
        }
    }

    std::set<std::string> taken;
    FakeDialogs dialogs;
};

TEST_F(UniqueImagePath, NumbersCopiesInsteadOfOverwriting)
{
    EXPECT_EQ(make("/img/"), "/img/chart.jpg");
    taken.insert("/img/chart.jpg");
    EXPECT_EQ(make("/img/"), "/img/chart_001.jpg");
    taken.insert("/img/chart_001.jpg");
    EXPECT_EQ(make("/img/"), "/img/chart_002.jpg");
    takeCopies(998);
    EXPECT_EQ(make("/img/"), "/img/chart_999.jpg");
    EXPECT_TRUE(dialogs.titledMessages.empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(UniqueImagePath, JoinsFolderAndFileWithOneSeparator)
{
    EXPECT_EQ(make("/img"), "/img/chart.jpg");
    EXPECT_EQ(make("/img//"), "/img/chart.jpg");
    EXPECT_EQ(make("/home//ann///img"), "/home/ann/img/chart.jpg");
    EXPECT_EQ(make("//server/share/"), "//server/share/chart.jpg");
    EXPECT_EQ(make("/site.plans/"), "/site.plans/chart.jpg");
}

TEST_F(UniqueImagePath, GivesUpAfterTheLastCopy)
{
    takeCopies(999);
    EXPECT_EQ(make("/img/"), "");
    ASSERT_EQ(dialogs.titledMessages.size(), 1u);
    EXPECT_EQ(
        dialogs.titledMessages[0],
        (FakeDialogs::Titled{" UNABLE  TO  CREATE  NEW  FILEchart.jpg",
                             "There are too many Copies of this file  chart.jpg", Icon::Critical}));
}

} // namespace
} // namespace tessel
