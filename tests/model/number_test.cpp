#include "model/number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace tessel {
namespace {

struct LeadingCase
{
    const char *text;
    double value;
};

class LeadingNumber : public ::testing::TestWithParam<LeadingCase>
{
};

TEST_P(LeadingNumber, ReadsTheNumberTheTextStartsWith)
{
    EXPECT_DOUBLE_EQ(leadingNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumber,
                         ::testing::Values(LeadingCase{"", 0}, LeadingCase{".", 0},
                                           LeadingCase{"12.5.3", 12.5}, LeadingCase{"  7", 7},
                                           LeadingCase{"60", 60}, LeadingCase{".5", 0.5},
                                           LeadingCase{"5.", 5}, LeadingCase{"12ft", 12},
                                           LeadingCase{"ft12", 0}, LeadingCase{"-3.5", -3.5},
                                           LeadingCase{"007", 7}, LeadingCase{"1,5", 1}));

TEST(LeadingNumber, HugeDigitRunsDoNotBreakTheComparison)
{
    EXPECT_TRUE(std::isinf(leadingNumber(std::string(400, '9'))));
    EXPECT_EQ(leadingNumber("0." + std::string(400, '0') + "1"), 0.0);
}

class StrictNumberRefuses : public ::testing::TestWithParam<const char *>
{
};

TEST_P(StrictNumberRefuses, AnythingButOneNumber)
{
    EXPECT_FALSE(strictNumber(GetParam()).has_value()) << '"' << GetParam() << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, StrictNumberRefuses,
                         ::testing::Values("", " ", ".", "1.2.3", "12.5.3", "1,5", "12ft", "ft",
                                           "1 2", "+", "-", "..5", "1e3", "0x10"));

TEST(StrictNumber, AcceptsOneNumberWithBlanksAround)
{
    EXPECT_EQ(strictNumber("12.5"), 12.5);
    EXPECT_EQ(strictNumber("  7  "), 7.0);
    EXPECT_EQ(strictNumber(".5"), 0.5);
    EXPECT_EQ(strictNumber("5."), 5.0);
    EXPECT_EQ(strictNumber("0"), 0.0);
    EXPECT_EQ(strictNumber("-2"), -2.0);
}

TEST(StrictNumber, RefusesWhatCannotBeHeld)
{
    EXPECT_FALSE(strictNumber(std::string(400, '9')).has_value());
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(0.6), 1);
    EXPECT_EQ(roundHalfEven(1.4), 1);
    EXPECT_EQ(roundHalfEven(1599.5), 1600);
    EXPECT_EQ(roundHalfEven(1600.5), 1600);
}

TEST(FormatNumber, ShortestFormWithFifteenSignificantDigits)
{
    EXPECT_EQ(formatNumber(10), "10");
    EXPECT_EQ(formatNumber(5), "5");
    EXPECT_EQ(formatNumber(50.0 / 6), "8.33333333333333");
    EXPECT_EQ(formatNumber(100.0 / 6), "16.6666666666667");
    EXPECT_EQ(formatNumber(2.5), "2.5");
    EXPECT_EQ(formatNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatNumber(50.0 / 6, ","), "8,33333333333333");
    EXPECT_EQ(formatNumber(2.5, "\u066B"), "2\u066B5");
    EXPECT_EQ(formatNumber(1e20 / 6), "1.66666666666667E+19");
}

TEST(TrimSpaces, RemovesSpacesAtBothEndsOnly)
{
    EXPECT_EQ(trimSpaces("  Kitchen  "), "Kitchen");
    EXPECT_EQ(trimSpaces("Bath Room"), "Bath Room");
    EXPECT_EQ(trimSpaces("   "), "");
    EXPECT_EQ(trimSpaces(""), "");
}

} // namespace
} // namespace tessel
