#include "analysis/rule_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

namespace tessel {
namespace {

using enum Zone;

struct KindCase
{
    const char *kind;
    const char *firstHeading;
    const char *laterHeading;
    const char *recommendationLine; // null: none
    std::vector<Zone> recommendedIn;
};

// clang-format off
const KindCase kKindCases[] = {
    {"Master BedRoom", "Analysis for Master Bed Room :-", "Analysis for Master BedRoom :-",
     "South West is the best direction for the master bedroom in the house.",
     {North, NorthEast, East, SouthEast}},
    {"Study Room", "Analysis for Study Room :-", "Analysis for Study Room :-",
     "North East is one of the best directions for the study room.",
     {SouthWest, South, SouthEast}},
    {"Kitchen", "Analysis for Kitchen :-", "Analysis for Kitchen :-",
     "South East direction is the best direction for the kitchen",
     {North, West, SouthWest, South}},
    {"Bath Room", "Analysis for Bath Room :-", "Analysis for Bath Room :-",
     "East is the best corner for the bathroom",
     {NorthWest, North, SouthWest, South, SouthEast}},
    {"Children BedRoom", "Analysis for Children BedRoom :-", "Analysis for Children BedRoom :-",
     "North West is the best direction for the children bedroom",
     {NorthEast, East, SouthEast}},
    {"Dining Room", "Analysis for Dining Room :-", "Analysis for Dining Room :-",
     "South is supposed to be the best direction for the dining room.",
     {NorthWest, NorthEast, SouthWest}},
    {"Store Room", "Analysis for Store Room :-", "Analysis for Store Room :-",
     "South West is a good direction for having the store room",
     {NorthEast, East, SouthEast}},
    {"Puja Room", "Analysis for Puja Room :-", "Analysis for Puja Room :-",
     "North East is the best direction for the puja",
     {NorthWest, SouthWest, South, SouthEast}},
    {"Living Room", "Analysis for Living Room :-", "Analysis for Living Room :-",
     "North is good for the living room.",
     {SouthWest, South, SouthEast}},
    {"Drawing Room", "Analysis for Drawing Room :-", "Analysis for Drawing Room :-",
     "North is good for the drawing room.",
     {SouthWest, South, SouthEast}},
    {"Family Room", "Analysis for Family Room :-", "Analysis for Family Room :-",
     "North is good for the family room.",
     {SouthWest, South, SouthEast}},
    {"Hall", "Analysis for Hall :-", "Analysis for Hall :-",
     "North is good for the hall.",
     {SouthWest, South, SouthEast}},
    {"Guest Room", "Analysis for Guest Room :-", "Analysis for Guest Room :-",
     nullptr,
     {}},
};
// clang-format on

const KindCase &kindCase(std::string_view kind)
{
    return *std::find_if(std::begin(kKindCases), std::end(kKindCases),
                         [&](const KindCase &c) { return c.kind == kind; });
}

TEST(RuleTable, HoldsTheThirteenKindsWithTheirHeadingsAndRecommendations)
{
    const RuleTable table;
    ASSERT_EQ(table.kinds().size(), std::size(kKindCases));
    for (const KindCase &c : kKindCases) {
        const RoomRules *rules = table.find(c.kind);
        ASSERT_NE(rules, nullptr) << c.kind;
        EXPECT_EQ(rules->heading(true), c.firstHeading);
        EXPECT_EQ(rules->heading(false), c.laterHeading);
        EXPECT_EQ(rules->recommendationLine, c.recommendationLine ? c.recommendationLine : "");
    }
}

// The best zone is the one the recommendation line names, and its own advice is the long
// form, never followed by that line.
TEST(RuleTable, BestZoneIsTheOneTheRecommendationNames)
{
    const RuleTable table;
    for (const RoomRules &rules : table.kinds()) {
        if (rules.recommendationLine.empty()) {
            EXPECT_FALSE(rules.bestZone) << rules.kind;
            continue;
        }
        ASSERT_TRUE(rules.bestZone) << rules.kind;
        const std::string named = std::string(zoneName(*rules.bestZone)) + " ";
        EXPECT_EQ(rules.recommendationLine.substr(0, named.size()), named) << rules.kind;
        EXPECT_EQ(rules.adviceFor(*rules.bestZone).find("\r\n"), std::string::npos) << rules.kind;
    }
    EXPECT_EQ(table.find("Kitchen")->bestZone, Zone::SouthEast);
    EXPECT_EQ(table.find("Family Room")->bestZone, Zone::North);
}

TEST(RuleTable, MatchesNamesExactly)
{
    const RuleTable table;
    for (const char *text : {"kitchen", "Kitchen ", " Kitchen", "Bathroom", "", "Main Entrance",
                             "Back Entrance", "Deleted Door", "a", "Halls", "Master Bedroom"})
        EXPECT_EQ(table.find(text), nullptr) << '"' << text << '"';
}

enum Given { Opening, Whole };

struct CellCase
{
    const char *kind;
    Zone zone;
    Given given;
    const char *text; // the paragraph's opening, or the whole paragraph
};

std::ostream &operator<<(std::ostream &out, const CellCase &c)
{
    return out << c.kind << " in zone " << static_cast<int>(c.zone);
}

class AdviceCells : public ::testing::TestWithParam<CellCase>
{
};

int sentenceCount(std::string_view text)
{
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '.' && (i + 1 == text.size() || text[i + 1] == ' '))
            ++count;
    }
    return count;
}

TEST_P(AdviceCells, OpenAsGivenAndEndWithTheRecommendationWhereMarked)
{
    const CellCase &c = GetParam();
    const KindCase &kind = kindCase(c.kind);
    const RuleTable table;
    const RoomRules *rules = table.find(c.kind);
    ASSERT_NE(rules, nullptr);
    const std::string advice = rules->adviceFor(c.zone);

    std::string paragraph = advice;
    const bool recommended =
        std::count(kind.recommendedIn.begin(), kind.recommendedIn.end(), c.zone) > 0;
    if (recommended) {
        const std::string tail = std::string("\r\n") + kind.recommendationLine;
        ASSERT_TRUE(advice.ends_with(tail)) << advice;
        paragraph.resize(advice.size() - tail.size());
    }
    EXPECT_EQ(paragraph.find_first_of("\r\n"), std::string::npos) << paragraph;
    EXPECT_TRUE(
        std::all_of(advice.begin(), advice.end(), [](char ch) { return ch > 0 && ch < 127; }));

    if (c.given == Whole) {
        EXPECT_EQ(paragraph, c.text);
    } else {
        ASSERT_TRUE(paragraph.starts_with(std::string(c.text) + " ")) << paragraph;
        const int further = sentenceCount(paragraph.substr(std::string_view(c.text).size()));
        EXPECT_GE(further, 1) << paragraph;
        EXPECT_LE(further, 3) << paragraph;
    }
    if (std::string_view(c.kind) == "Guest Room" &&
        (c.zone == SouthWest || c.zone == South || c.zone == SouthEast)) {
        EXPECT_TRUE(
            paragraph.ends_with(" North West is a preferred direction for the guest room."));
    }
}

// Every cell of the table: its given opening, or its whole text where it is given whole.
// clang-format off
const CellCase kCells[] = {
    {"Master BedRoom", NorthWest, Opening,
        "North West is not at all a recommended direction for the master bedroom."},
    {"Master BedRoom", North, Whole,
        "North is a strictly prohibited direction for the master bedroom. Having master bedroom "
        "in this direction leads to hampering the wealthy and prosperous development of the "
        "family. And naturally it will lead to innumerable tensions."},
    {"Master BedRoom", NorthEast, Opening,
        "North East is not a very good direction for master bedroom as the inmate or the head "
        "of the family may suffer from physical as well as mental problems."},
    {"Master BedRoom", West, Opening,
        "West is an auspicious direction for the master bedroom after South and the Southwest."},
    {"Master BedRoom", East, Opening,
        "East is not a very good direction for the master bedroom."},
    {"Master BedRoom", SouthWest, Whole,
        "South West is the best direction for the master bedroom in the house. If the house is "
        "a two storey building, master bedroom should be located in the top floor."},
    {"Master BedRoom", South, Opening,
        "South is supposed to be the best side for the master bedroom."},
    {"Master BedRoom", SouthEast, Opening,
        "South East is the corner of the fire element. Master bedroom in the South East may "
        "hamper the mental peace of the family head."},

    {"Study Room", NorthWest, Opening,
        "North West is a well recommended direction for the study room."},
    {"Study Room", North, Opening,
        "North is an auspicious direction for the study after the Northwest and the Northeast "
        "directions."},
    {"Study Room", NorthEast, Opening,
        "North East is one of the best directions for the study room."},
    {"Study Room", West, Opening,
        "West is an auspicious direction for the study room."},
    {"Study Room", East, Opening,
        "East is a very good direction for the study."},
    {"Study Room", SouthWest, Opening,
        "South West is the not a very good direction for the study."},
    {"Study Room", South, Whole,
        "South is not a recommended direction for the study. As it imparts a soothing effect on "
        "an individual, it will not let him/her concentrate on his/her work. This direction "
        "will tempt him to relax more, than his work."},
    {"Study Room", SouthEast, Opening,
        "South East is the corner of the fire element. Study room in the Southwest affects the "
        "intelligence of an individual."},

    {"Kitchen", NorthWest, Whole,
        "North West is a good direction for the kitchen. Kitchen in the North West direction "
        "allows the family to lead a happy and peaceful life."},
    {"Kitchen", North, Opening,
        "North is strictly prohibited for having kitchens."},
    {"Kitchen", NorthEast, Opening,
        "North East corners for the kitchen are good."},
    {"Kitchen", West, Opening,
        "West is not a very good direction for the kitchen."},
    {"Kitchen", East, Opening,
        "East is also an auspicious position for the kitchen."},
    {"Kitchen", SouthWest, Opening,
        "South West direction for the kitchen should be avoided."},
    {"Kitchen", South, Opening,
        "South is not at all a recommended direction for the kitchen."},
    {"Kitchen", SouthEast, Whole,
        "South East corner is the corner associated with the element fire. So it is the best "
        "direction for the kitchen as fire has an important role to play over here. Kitchen "
        "built in this corner of the house, keeps its inmates safe from all dangers related to "
        "fire."},

    {"Bath Room", NorthWest, Opening,
        "North West corner for the bathroom is very much inauspicious."},
    {"Bath Room", North, Opening,
        "North is the corner of wealth."},
    {"Bath Room", NorthEast, Opening,
        "North East is a good direction for the bathroom to be located."},
    {"Bath Room", West, Opening,
        "West is an auspicious direction for the bathroom after East and the Northeast."},
    {"Bath Room", East, Opening,
        "East is the best corner for the bathroom."},
    {"Bath Room", SouthWest, Opening,
        "South West direction for bathrooms needs to be avoided."},
    {"Bath Room", South, Opening,
        "South is a strictly prohibited corner for the bathroom."},
    {"Bath Room", SouthEast, Opening,
        "South East corner for the bathroom is not highly recommended."},

    {"Children BedRoom", NorthWest, Opening,
        "North West is the best direction for the children bedroom."},
    {"Children BedRoom", North, Opening,
        "North is a strictly prohibited direction for the children bedroom."},
    {"Children BedRoom", NorthEast, Whole,
        "North East is not a very good direction for children bedroom as the inmate may suffer "
        "from physical as well as mental problems."},
    {"Children BedRoom", West, Opening,
        "West is also an auspicious direction for the children bedroom after Northwest and the "
        "West."},
    {"Children BedRoom", East, Opening,
        "East is not a very good direction for the children bedroom."},
    {"Children BedRoom", SouthWest, Opening,
        "South West is a good direction for the children bedroom in the house."},
    {"Children BedRoom", South, Opening,
        "South is supposed to be a better direction for the children bedroom."},
    {"Children BedRoom", SouthEast, Opening,
        "South East is the corner of the fire element. Children bedroom in the South East "
        "happens may hamper the mental peace of the child."},

    {"Dining Room", NorthWest, Opening,
        "North West is not a recommended direction for the dining room."},
    {"Dining Room", North, Opening,
        "North is a strictly prohibited direction for the dining room."},
    {"Dining Room", NorthEast, Whole,
        "North East is neither good direction for dining room as family members can suffer from "
        "various health problems."},
    {"Dining Room", West, Opening,
        "West is also an auspicious direction for the dining room."},
    {"Dining Room", East, Opening,
        "East is very often chosen for having the dining room."},
    {"Dining Room", SouthWest, Opening,
        "South West is not good direction for the dining room in the house."},
    {"Dining Room", South, Opening,
        "South is supposed to be the best direction for the dining room."},
    {"Dining Room", SouthEast, Whole,
        "South East is the corner of the fire element. Dining room in this direction can also "
        "prove to be auspicious provided it is adjacent to the kitchen."},

    {"Store Room", NorthWest, Opening,
        "North West is highly a recommended direction for the store room."},
    {"Store Room", North, Opening,
        "North is also a good direction for the store room."},
    {"Store Room", NorthEast, Whole,
        "North East is not good direction for the store room as it attracts all sorts of "
        "negative energy."},
    {"Store Room", West, Opening,
        "West is also an auspicious direction for the store room."},
    {"Store Room", East, Opening,
        "East is not at all recommended for the store room."},
    {"Store Room", SouthWest, Opening,
        "South West is a good direction for having the store room."},
    {"Store Room", South, Opening,
        "South is supposed to be the best direction for the store room."},
    {"Store Room", SouthEast, Whole,
        "South East is the corner of the fire element. Having the store room in this corner may "
        "have an adverse effect on the financial position of the family."},

    {"Puja Room", NorthWest, Opening,
        "North West is not the part for the puja rooms."},
    {"Puja Room", North, Opening,
        "North is a good direction for the puja room."},
    {"Puja Room", NorthEast, Whole,
        "North East is the best direction for the puja room as it is good for the idols to face "
        "the North West."},
    {"Puja Room", West, Opening,
        "West is an auspicious direction for the puja room."},
    {"Puja Room", East, Opening,
        "East is highly recommended for the puja room."},
    {"Puja Room", SouthWest, Opening,
        "South West is not at all good for the puja room."},
    {"Puja Room", South, Opening,
        "South is not good for the puja room."},
    {"Puja Room", SouthEast, Opening,
        "South East is very much inauspicious for the puja room."},

    {"Living Room", NorthWest, Whole,
        "North West is recommended for the living room. But if the living room is placed in "
        "that corner, then its roof should be inclined towards the North East."},
    {"Living Room", North, Whole,
        "North is good for the living room. It favors the health and the finance of the family."},
    {"Living Room", NorthEast, Whole,
        "North East is preferable direction for the living room. It gives the house a blissful "
        "environment."},
    {"Living Room", West, Whole,
        "West is also an auspicious direction for the living room. It is better to have the "
        "room in the Northern side."},
    {"Living Room", East, Whole,
        "East is the best position for the living room. It helps the family stay in a peaceful "
        "environment."},
    {"Living Room", SouthWest, Whole,
        "South West is an unlucky direction for the living room in the house. If the house is a "
        "two storey building, living room should be in the ground floor."},
    {"Living Room", South, Whole,
        "South should never be chosen for the living room as it affects the family head's "
        "health."},
    {"Living Room", SouthEast, Whole,
        "South East is the corner of the fire element. Living rooms should never be located in "
        "this corner of the house."},

    {"Drawing Room", NorthWest, Whole,
        "North West is recommended for the drawing room. But if the drawing room is placed in "
        "that corner, then its roof should be inclined towards the North East."},
    {"Drawing Room", North, Whole,
        "North is good for the drawing room. It favors the health and the finance of the family."},
    {"Drawing Room", NorthEast, Whole,
        "North East is preferable direction for the drawing room. It gives the house a blissful "
        "environment."},
    {"Drawing Room", West, Whole,
        "West is also an auspicious direction for the drawing room. It is better to have the "
        "room in the Northern side."},
    {"Drawing Room", East, Whole,
        "East is the best position for the drawing room. It helps the family stay in a peaceful "
        "environment."},
    {"Drawing Room", SouthWest, Whole,
        "South West is an unlucky direction for the drawing room in the house. If the house is "
        "a two storey building, drawing room should be in the ground floor."},
    {"Drawing Room", South, Whole,
        "South should never be chosen for the drawing room as it affects the family head's "
        "health."},
    {"Drawing Room", SouthEast, Whole,
        "South East is the corner of the fire element. drawing rooms should never be located in "
        "this corner of the house."},

    {"Family Room", NorthWest, Whole,
        "North West is recommended for the family room. But if the family room is placed in "
        "that corner, then its roof should be inclined towards the North East."},
    {"Family Room", North, Whole,
        "North is good for the family room. It favors the health and the finance of the family."},
    {"Family Room", NorthEast, Whole,
        "North East is preferable direction for the family room. It gives the house a blissful "
        "environment."},
    {"Family Room", West, Whole,
        "West is also an auspicious direction for the family room. It is better to have the "
        "room in the Northern side."},
    {"Family Room", East, Whole,
        "East is the best position for the family room. It helps the family stay in a peaceful "
        "environment."},
    {"Family Room", SouthWest, Whole,
        "South West is an unlucky direction for the family room in the house. If the house is a "
        "two storey building, family room should be in the ground floor."},
    {"Family Room", South, Whole,
        "South should never be chosen for the family room as it affects the family head's "
        "health."},
    {"Family Room", SouthEast, Whole,
        "South East is the corner of the fire element. family rooms should never be located in "
        "this corner of the house."},

    {"Hall", NorthWest, Whole,
        "North West is recommended for the hall. But if the hall is placed in that corner, then "
        "its roof should be inclined towards the North East."},
    {"Hall", North, Whole,
        "North is good for the hall. It favors the health and the finance of the family."},
    {"Hall", NorthEast, Whole,
        "North East is preferable direction for the hall. It gives the house a blissful "
        "environment."},
    {"Hall", West, Whole,
        "West is also an auspicious direction for the hall. It is better to have the room in "
        "the Northern side."},
    {"Hall", East, Whole,
        "East is the best position for the hall. It helps the family stay in a peaceful "
        "environment."},
    {"Hall", SouthWest, Whole,
        "South West is an unlucky direction for the hall in the house. If the house is a two "
        "storey building, hall should be in the ground floor."},
    {"Hall", South, Whole,
        "South should never be chosen for the hall as it affects the family head's health."},
    {"Hall", SouthEast, Whole,
        "South East is the corner of the fire element. halls should never be located in this "
        "corner of the house."},

    {"Guest Room", NorthWest, Opening,
        "North West is one of the best corners for having the guest room."},
    {"Guest Room", North, Opening,
        "North is good for the guest room."},
    {"Guest Room", NorthEast, Opening,
        "North East is not an auspicious direction for the guest room."},
    {"Guest Room", West, Opening,
        "West is an auspicious direction for the guest room."},
    {"Guest Room", East, Opening,
        "East is the best position for the guest room."},
    {"Guest Room", SouthWest, Whole,
        "South West is an unlucky direction for the guest room. If placed in this corner, the "
        "guest can become permanent and can even replace the owner. North West is a preferred "
        "direction for the guest room."},
    {"Guest Room", South, Opening,
        "South should never be chosen for placing the guest room as it affects the guest's "
        "health condition badly."},
    {"Guest Room", SouthEast, Opening,
        "South East is the corner of the fire element. Guest rooms should never be located in "
        "this corner of the house as the guest may harm the family members."}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(AllCells, AdviceCells, ::testing::ValuesIn(kCells));

} // namespace
} // namespace tessel
