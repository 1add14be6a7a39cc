#include "analysis/zone.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace tessel {

void PrintTo(Zone zone, std::ostream *out)
{
    *out << zoneSentence(zone);
}

namespace {

// The cmbDirection entries.
constexpr int kN = 0, kS = 1, kW = 2, kE = 3;

struct ZoneCase
{
    double left;
    double top;
    int facing;
    std::optional<Zone> zone;
};

std::ostream &operator<<(std::ostream &out, const ZoneCase &c)
{
    return out << "(" << c.left << ", " << c.top << ") facing " << c.facing;
}

class ZoneBounds : public ::testing::TestWithParam<ZoneCase>
{
};

TEST_P(ZoneBounds, ClassifyTheTopLeftCorner)
{
    const ZoneCase &c = GetParam();
    EXPECT_EQ(ClassifyZone(c.left, c.top, c.facing), c.zone) << c;
}

using enum Zone;
constexpr std::nullopt_t none = std::nullopt;
using Z = ZoneCase;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Columns, ZoneBounds, ::testing::Values(
    Z{1597, 1582, kN, NorthWest}, Z{1598, 1582, kN, North},
    Z{1597, 1583, kN, West},      Z{3186, 100, kN, North},
    Z{3187, 100, kN, NorthEast},  Z{4799, 100, kN, NorthEast},
    Z{4800, 100, kN, none},       Z{4799.5, 100, kN, none},
    Z{1597.5, 100, kN, none},     Z{3186.5, 100, kN, none},
    Z{1597.5, 4000, kN, none},    Z{-500, -500, kN, NorthWest},
    Z{100, 9000, kN, SouthWest}));

INSTANTIATE_TEST_SUITE_P(Rows, ZoneBounds, ::testing::Values(
    Z{100, 3187, kN, West},       Z{100, 3188, kN, SouthWest},
    Z{100, 1582.5, kN, West},     Z{2000, 3187.5, kN, South},
    Z{4000, 1582, kN, NorthEast}, Z{4000, 2000, kN, East}));

INSTANTIATE_TEST_SUITE_P(CentreQuadrants, ZoneBounds, ::testing::Values(
    Z{2400, 2390, kN, NorthWest}, Z{2401, 2390, kN, NorthEast},
    Z{2400, 2391, kN, SouthWest}, Z{2401, 3187, kN, SouthEast},
    Z{3186, 3187, kN, SouthEast}, Z{1598, 1582.5, kN, NorthWest},
    Z{2400.5, 2000, kN, none},    Z{2400.5, 1000, kN, North},
    Z{2000, 2390.5, kN, SouthWest}));

// Every cell and centre quadrant under each facing, a row of the chart a line: top, middle
// (left and right cells), the centre's four quadrants, bottom.
INSTANTIATE_TEST_SUITE_P(Facings, ZoneBounds, ::testing::Values(
    Z{100, 100, kN, NorthWest},   Z{2000, 100, kN, North},      Z{4000, 100, kN, NorthEast},
    Z{100, 2000, kN, West},       Z{4000, 2000, kN, East},
    Z{2000, 2000, kN, NorthWest}, Z{3000, 2000, kN, NorthEast},
    Z{2000, 3000, kN, SouthWest}, Z{3000, 3000, kN, SouthEast},
    Z{100, 4000, kN, SouthWest},  Z{2000, 4000, kN, South},     Z{4000, 4000, kN, SouthEast},

    Z{100, 100, kS, SouthEast},   Z{2000, 100, kS, South},      Z{4000, 100, kS, SouthWest},
    Z{100, 2000, kS, East},       Z{4000, 2000, kS, West},
    Z{2000, 2000, kS, SouthEast}, Z{3000, 2000, kS, SouthWest},
    Z{2000, 3000, kS, NorthEast}, Z{3000, 3000, kS, NorthWest},
    Z{100, 4000, kS, NorthEast},  Z{2000, 4000, kS, North},     Z{4000, 4000, kS, NorthWest},

    Z{100, 100, kW, SouthWest},   Z{2000, 100, kW, West},       Z{4000, 100, kW, NorthWest},
    Z{100, 2000, kW, South},      Z{4000, 2000, kW, North},
    Z{2000, 2000, kW, SouthWest}, Z{3000, 2000, kW, NorthWest},
    Z{2000, 3000, kW, SouthEast}, Z{3000, 3000, kW, NorthEast},
    Z{100, 4000, kW, SouthEast},  Z{2000, 4000, kW, East},      Z{4000, 4000, kW, NorthEast},

    Z{100, 100, kE, NorthEast},   Z{2000, 100, kE, East},       Z{4000, 100, kE, SouthEast},
    Z{100, 2000, kE, North},      Z{4000, 2000, kE, South},
    Z{2000, 2000, kE, NorthEast}, Z{3000, 2000, kE, SouthEast},
    Z{2000, 3000, kE, NorthWest}, Z{3000, 3000, kE, SouthWest},
    Z{100, 4000, kE, NorthWest},  Z{2000, 4000, kE, West},      Z{4000, 4000, kE, SouthWest}));
// clang-format on

TEST(ZoneBounds, NoFacingGivesNoZone)
{
    for (int facing : {-1, 4})
        for (double left : {100.0, 2000.0, 4000.0})
            EXPECT_EQ(ClassifyZone(left, 100, facing), std::nullopt) << facing;
}

TEST(ZoneBounds, OnlyTheCornerCounts)
{
    // A box covering nearly the whole plot takes the zone of its top-left corner; the
    // function is given nothing else.
    EXPECT_EQ(ClassifyZone(100, 100, kN), NorthWest);
}

TEST(ZoneSentences, NameTheZone)
{
    EXPECT_EQ(zoneSentence(NorthWest), "Is in the NorthWest direction.");
    EXPECT_EQ(zoneSentence(North), "Is in the North direction.");
    EXPECT_EQ(zoneSentence(NorthEast), "Is in the NorthEast direction.");
    EXPECT_EQ(zoneSentence(West), "Is in the West direction.");
    EXPECT_EQ(zoneSentence(East), "Is in the East direction.");
    EXPECT_EQ(zoneSentence(SouthWest), "Is in the SouthWest direction.");
    EXPECT_EQ(zoneSentence(South), "Is in the South direction.");
    EXPECT_EQ(zoneSentence(SouthEast), "Is in the SouthEast direction.");
}

} // namespace
} // namespace tessel
