#include "model/plot.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(ValidatePlotEntry, EmptyFieldsAreAskedForLengthFirst)
{
    EXPECT_EQ(ValidatePlotEntry("", ""),
              (Refusal{"Please enter your plot length", Icon::Information, Field::PlotLength}));
    EXPECT_EQ(ValidatePlotEntry("", "30"),
              (Refusal{"Please enter your plot length", Icon::Information, Field::PlotLength}));
    EXPECT_EQ(ValidatePlotEntry("60", ""),
              (Refusal{"Please enter your plot width", Icon::Information, Field::PlotWidth}));
    // An empty width is reported before a length that is no number.
    EXPECT_EQ(ValidatePlotEntry(".", "")->focus, Field::PlotWidth);
}

struct BadPlot
{
    const char *length;
    const char *width;
    Field focus;
};

class ValidatePlotEntryRefuses : public ::testing::TestWithParam<BadPlot>
{
};

TEST_P(ValidatePlotEntryRefuses, SizesThatAreNoNumberOrZero)
{
    const auto refusal = ValidatePlotEntry(GetParam().length, GetParam().width);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->focus, GetParam().focus);
    EXPECT_EQ(refusal->icon, Icon::Information);
    EXPECT_FALSE(refusal->clearField);
    EXPECT_NE(refusal->message.find(GetParam().focus == Field::PlotLength ? "length" : "width"),
              std::string::npos)
        << refusal->message;
}

INSTANTIATE_TEST_SUITE_P(Sizes, ValidatePlotEntryRefuses,
                         ::testing::Values(BadPlot{".", "30", Field::PlotLength},
                                           BadPlot{"1.2.3", "30", Field::PlotLength},
                                           BadPlot{"0", "30", Field::PlotLength},
                                           BadPlot{"0.0", "30", Field::PlotLength},
                                           BadPlot{" ", "30", Field::PlotLength},
                                           BadPlot{"60", ".", Field::PlotWidth},
                                           BadPlot{"60", "0", Field::PlotWidth},
                                           BadPlot{"60", "1.2.3", Field::PlotWidth}));

TEST(ValidatePlotEntry, AcceptsPositiveNumbers)
{
    EXPECT_FALSE(ValidatePlotEntry("60", "30").has_value());
    EXPECT_FALSE(ValidatePlotEntry(" 42.5 ", ".5").has_value());
}

TEST(Scales, AreFeetPerRulerDivision)
{
    EXPECT_EQ(measureScales("60", "30"), (Scales{10, 5}));
    EXPECT_EQ(measureScales(" 60 ", "30 "), (Scales{10, 5}));
    EXPECT_DOUBLE_EQ(measureScales("50", "30").length, 50.0 / 6);
}

TEST(Scales, CaptionsShowOneDivisionInFeet)
{
    const Scales sixtyByThirty = measureScales("60", "30");
    EXPECT_EQ(lengthScaleCaption(sixtyByThirty), "[Length Scale is 1 :10]");
    EXPECT_EQ(widthScaleCaption(sixtyByThirty), "[Width Scale is 1 :5]");
    const Scales fifty = measureScales("50", "50");
    EXPECT_EQ(lengthScaleCaption(fifty), "[Length Scale is 1 :8.33333333333333]");
    EXPECT_EQ(widthScaleCaption(fifty, ","), "[Width Scale is 1 :8,33333333333333]");
}

TEST(Scales, ConvertFeetToChartUnitsAndBack)
{
    const Scales scales = measureScales("60", "30");
    // The chart is square: a narrow plot is stretched.
    EXPECT_DOUBLE_EQ(lengthToChart(10, scales), 800);
    EXPECT_DOUBLE_EQ(widthToChart(10, scales), 1600);
    EXPECT_DOUBLE_EQ(lengthToChart(60, scales), kChartExtent);
    EXPECT_DOUBLE_EQ(widthToChart(30, scales), kChartExtent);
    EXPECT_DOUBLE_EQ(chartToLength(800, scales), 10);
    EXPECT_DOUBLE_EQ(chartToWidth(1600, scales), 10);
}

TEST(Compass, FacingStandsAtTheTopAndTheOthersFollowClockwise)
{
    EXPECT_EQ(compassCaptions(Facing::North), (CompassCaptions{"N", "S", "W", "E"}));
    EXPECT_EQ(compassCaptions(Facing::South), (CompassCaptions{"S", "N", "E", "W"}));
    EXPECT_EQ(compassCaptions(Facing::West), (CompassCaptions{"W", "E", "S", "N"}));
    EXPECT_EQ(compassCaptions(Facing::East), (CompassCaptions{"E", "W", "N", "S"}));
}

} // namespace
} // namespace tessel
