#include "analysis/rule_table.h"

#include <cstdint>
#include <optional>

namespace tessel {

namespace {

using enum Zone;

// The zones whose advice ends with the kind's recommendation line, as a set of bits.
template<typename... Zones>
constexpr std::uint8_t in(Zones... zones)
{
    return static_cast<std::uint8_t>(((1u << static_cast<int>(zones)) | ... | 0u));
}

struct Cell
{
    Zone zone;
    const char *paragraph;
};

// The advice paragraphs, one per zone, in the order of the Zone values.
using Cells = std::array<Cell, kZoneCount>;

struct KindSource
{
    const char *kind;
    const char *firstHeading;
    const char *laterHeading;
    const char *recommendationLine; // null: none
    std::optional<Zone> bestZone;
    std::uint8_t recommendedIn;
    Cells cells;
};

// clang-format off
// The kinds with sentences of their own. Where a paragraph goes on after its opening sentence
// (the opening two where the first is the one about the fire element), the rest starts on a
// line of its own.
constexpr KindSource kKinds[] = {
    {"Master BedRoom", "Analysis for Master Bed Room :-", "Analysis for Master BedRoom :-",
     "South West is the best direction for the master bedroom in the house.",
     SouthWest, in(North, NorthEast, East, SouthEast), {{
        {NorthWest, "North West is not at all a recommended direction for the master bedroom."
                    " The North West is ruled by the air element, so the head of the family "
                    "sleeping in this corner may grow restless and find it hard to take firm "
                    "decisions."},
        {North, "North is a strictly prohibited direction for the master bedroom."
                " Having master bedroom in this direction leads to hampering the wealthy and "
                "prosperous development of the family. And naturally it will lead to innumerable "
                "tensions."},
        {NorthEast, "North East is not a very good direction for master bedroom as the inmate or "
                    "the head of the family may suffer from physical as well as mental problems."
                    " The North East is the corner of the divine and of water, and it should be "
                    "kept light and open rather than used for sleep."},
        {West, "West is an auspicious direction for the master bedroom after South and the "
               "Southwest."
               " A master bedroom in the West brings stability to the family head and supports "
               "steady gains in the work of the household."},
        {East, "East is not a very good direction for the master bedroom."
               " The East receives the first rays of the sun and is best left for open spaces, "
               "and a master bedroom there may unsettle the harmony between husband and wife."},
        {SouthWest, "South West is the best direction for the master bedroom in the house."
                    " If the house is a two storey building, master bedroom should be located in "
                    "the top floor."},
        {South, "South is supposed to be the best side for the master bedroom."
                " The heavy earth energy of the South gives the family head sound sleep, good "
                "health and a firm hold over the affairs of the house."},
        {SouthEast, "South East is the corner of the fire element. Master bedroom in the South "
                    "East may hamper the mental peace of the family head."
                    " A master bedroom in the South East, the corner of fire, may lead to "
                    "quarrels between husband and wife and to sleepless nights."},
    }}},
    {"Study Room", "Analysis for Study Room :-", "Analysis for Study Room :-",
     "North East is one of the best directions for the study room.",
     NorthEast, in(SouthWest, South, SouthEast), {{
        {NorthWest, "North West is a well recommended direction for the study room."
                    " The air element of the North West keeps the mind active, and a study room "
                    "in this corner helps the student grasp new ideas quickly."},
        {North, "North is an auspicious direction for the study after the Northwest and the "
                "Northeast directions."
                " The North is the direction of Kubera and of new opportunities, so a study room "
                "here supports steady progress in learning."},
        {NorthEast, "North East is one of the best directions for the study room."
                    " The North East is the corner of the divine, and a study room in this "
                    "direction brings wisdom, concentration and success in examinations."},
        {West, "West is an auspicious direction for the study room."
               " A study room in the West gives the student patience and perseverance, and the "
               "work done here bears fruit in good time."},
        {East, "East is a very good direction for the study."
               " The rising sun of the East fills the study room with fresh energy and keeps the "
               "mind alert through the day."},
        {SouthWest, "South West is the not a very good direction for the study."
                    " The heavy earth energy of the South West makes the mind dull, and a student "
                    "in a study room in this corner may find it hard to retain what he learns."},
        {South, "South is not a recommended direction for the study."
                " As it imparts a soothing effect on an individual, it will not let him/her "
                "concentrate on his/her work. This direction will tempt him to relax more, than "
                "his work."},
        {SouthEast, "South East is the corner of the fire element. Study room in the Southwest "
                    "affects the intelligence of an individual."
                    " The heat of the South East makes the student restless and short tempered, "
                    "and a study room in this corner seldom gives peace for reading."},
    }}},
    {"Kitchen", "Analysis for Kitchen :-", "Analysis for Kitchen :-",
     "South East direction is the best direction for the kitchen",
     SouthEast, in(North, West, SouthWest, South), {{
        {NorthWest, "North West is a good direction for the kitchen."
                    " Kitchen in the North West direction allows the family to lead a happy and "
                    "peaceful life."},
        {North, "North is strictly prohibited for having kitchens."
                " The North is the direction of wealth and of water, and the fire of a kitchen on "
                "this side is believed to burn away the savings of the family."},
        {NorthEast, "North East corners for the kitchen are good."
                    " Even so, the North East is the sacred corner of water, and a kitchen in "
                    "this corner must be kept clean and bright so that its fire does not disturb "
                    "the calm of the house."},
        {West, "West is not a very good direction for the kitchen."
               " A kitchen in the West may bring frequent quarrels in the family and a rise in "
               "the expenses of the household."},
        {East, "East is also an auspicious position for the kitchen."
               " The morning sun in the East keeps a kitchen in this direction fresh and healthy, "
               "and the food cooked here nourishes the family well."},
        {SouthWest, "South West direction for the kitchen should be avoided."
                    " The South West is the corner of earth and stability, and a kitchen with its "
                    "fire in this corner may cause discord and health problems in the family."},
        {South, "South is not at all a recommended direction for the kitchen."
                " A kitchen in the South is believed to harm the financial position of the family "
                "and the health of the lady of the house."},
        {SouthEast, "South East corner is the corner associated with the element fire."
                    " So it is the best direction for the kitchen as fire has an important role "
                    "to play over here. Kitchen built in this corner of the house, keeps its "
                    "inmates safe from all dangers related to fire."},
    }}},
    {"Bath Room", "Analysis for Bath Room :-", "Analysis for Bath Room :-",
     "East is the best corner for the bathroom",
     East, in(NorthWest, North, SouthWest, South, SouthEast), {{
        {NorthWest, "North West corner for the bathroom is very much inauspicious."
                    " The air element of the North West carries the impurities of a bathroom in "
                    "this corner into the rest of the house."},
        {North, "North is the corner of wealth."
                " A bathroom in the North drains away the prosperity of the family and should be "
                "avoided."},
        {NorthEast, "North East is a good direction for the bathroom to be located."
                    " Water flowing from a bathroom in the North East keeps the sacred corner "
                    "clean, provided the bathroom is kept neat and well lit."},
        {West, "West is an auspicious direction for the bathroom after East and the Northeast."
               " A bathroom in the West should have its drain flowing towards the North or the "
               "East, so that the waste water carries no harm to the family."},
        {East, "East is the best corner for the bathroom."
               " The rays of the morning sun keep a bathroom in the East bright and free of "
               "germs, and bathing here fills the body with fresh energy."},
        {SouthWest, "South West direction for bathrooms needs to be avoided."
                    " The South West should stay heavy and closed, and the water of a bathroom in "
                    "this corner weakens the stability of the family."},
        {South, "South is a strictly prohibited corner for the bathroom."
                " A bathroom in the South is believed to bring illness to the inmates and to "
                "hamper the reputation of the family."},
        {SouthEast, "South East corner for the bathroom is not highly recommended."
                    " The South East is the corner of fire, and the water of a bathroom placed "
                    "here clashes with that element and disturbs the health of the family."},
    }}},
    {"Children BedRoom", "Analysis for Children BedRoom :-", "Analysis for Children BedRoom :-",
     "North West is the best direction for the children bedroom",
     NorthWest, in(NorthEast, East, SouthEast), {{
        {NorthWest, "North West is the best direction for the children bedroom."
                    " The air element of the North West keeps the children active and cheerful, "
                    "and helps them grow up independent and confident."},
        {North, "North is a strictly prohibited direction for the children bedroom."
                " Children sleeping in a bedroom in the North may become restless and lose "
                "interest in their studies."},
        {NorthEast, "North East is not a very good direction for children bedroom as the inmate "
                    "may suffer from physical as well as mental problems."},
        {West, "West is also an auspicious direction for the children bedroom after Northwest and "
               "the West."
               " A children bedroom in the West gives the child a calm mind and the discipline to "
               "do well in studies."},
        {East, "East is not a very good direction for the children bedroom."
               " The East is best kept open for light and air, and children in a bedroom in this "
               "direction may grow stubborn and careless."},
        {SouthWest, "South West is a good direction for the children bedroom in the house."
                    " The earth element of the South West gives the children bedroom a stable and "
                    "secure feeling, though the children should not be allowed to dominate the "
                    "elders."},
        {South, "South is supposed to be a better direction for the children bedroom."
                " Children in a bedroom in the South sleep soundly, and the steady energy of this "
                "side keeps them healthy."},
        {SouthEast, "South East is the corner of the fire element. Children bedroom in the South "
                    "East happens may hamper the mental peace of the child."
                    " The fire of the South East makes children short tempered and restless, and "
                    "a children bedroom in this corner is better avoided."},
    }}},
    {"Dining Room", "Analysis for Dining Room :-", "Analysis for Dining Room :-",
     "South is supposed to be the best direction for the dining room.",
     South, in(NorthWest, NorthEast, SouthWest), {{
        {NorthWest, "North West is not a recommended direction for the dining room."
                    " The air element of the North West makes the family hurry over its meals, "
                    "and a dining room in this corner may lead to quarrels at the table."},
        {North, "North is a strictly prohibited direction for the dining room."
                " A dining room in the North is believed to cause loss of appetite and to disturb "
                "the income of the family."},
        {NorthEast, "North East is neither good direction for dining room as family members can "
                    "suffer from various health problems."},
        {West, "West is also an auspicious direction for the dining room."
               " A dining room in the West gives the family a peaceful time together, and the "
               "food taken here brings contentment."},
        {East, "East is very often chosen for having the dining room."
               " The morning light of the East makes a dining room in this direction cheerful, "
               "and the family enjoys good health."},
        {SouthWest, "South West is not good direction for the dining room in the house."
                    " The South West is meant for rest and stability, and a dining room in this "
                    "corner may bring digestive troubles and tension to the family."},
        {South, "South is supposed to be the best direction for the dining room."
                " A dining room in the South brings the family together in harmony, and the meals "
                "taken here give strength and long life."},
        {SouthEast, "South East is the corner of the fire element. Dining room in this direction "
                    "can also prove to be auspicious provided it is adjacent to the kitchen."},
    }}},
    {"Store Room", "Analysis for Store Room :-", "Analysis for Store Room :-",
     "South West is a good direction for having the store room",
     SouthWest, in(NorthEast, East, SouthEast), {{
        {NorthWest, "North West is highly a recommended direction for the store room."
                    " The air element of the North West keeps the goods of a store room in this "
                    "corner moving, so that grain and provisions never run short."},
        {North, "North is also a good direction for the store room."
                " A store room in the North, the direction of wealth, helps the family keep its "
                "stock and savings growing."},
        {NorthEast, "North East is not good direction for the store room as it attracts all sorts "
                    "of negative energy."},
        {West, "West is also an auspicious direction for the store room."
               " A store room in the West keeps the provisions safe and gives the family a steady "
               "supply of food and goods."},
        {East, "East is not at all recommended for the store room."
               " The East should stay light and open, and a heavy store room in this direction "
               "keeps the energy of the morning sun out of the house."},
        {SouthWest, "South West is a good direction for having the store room."
                    " The heavy earth element of the South West suits a store room, and goods "
                    "kept in this corner stay safe and last long."},
        {South, "South is supposed to be the best direction for the store room."
                " A store room in the South adds weight to this side of the house, which brings "
                "stability and prosperity to the family."},
        {SouthEast, "South East is the corner of the fire element. Having the store room in this "
                    "corner may have an adverse effect on the financial position of the family."},
    }}},
    {"Puja Room", "Analysis for Puja Room :-", "Analysis for Puja Room :-",
     "North East is the best direction for the puja",
     NorthEast, in(NorthWest, SouthWest, South, SouthEast), {{
        {NorthWest, "North West is not the part for the puja rooms."
                    " The restless air element of the North West does not let the mind settle in "
                    "prayer, and a puja room in this corner loses its sanctity."},
        {North, "North is a good direction for the puja room."
                " A puja room in the North brings peace of mind and the blessings of Kubera, the "
                "lord of wealth."},
        {NorthEast, "North East is the best direction for the puja room as it is good for the "
                    "idols to face the North West."},
        {West, "West is an auspicious direction for the puja room."
               " Praying in a puja room in the West, the family faces the East, the direction of "
               "the rising sun and of new beginnings."},
        {East, "East is highly recommended for the puja room."
               " The first rays of the sun fall on a puja room in the East and fill it with "
               "divine energy and peace."},
        {SouthWest, "South West is not at all good for the puja room."
                    " The South West is the corner of the earth element and of the ancestors, and "
                    "prayers offered in a puja room here do not bring peace."},
        {South, "South is not good for the puja room."
                " The South is the direction of Yama, the lord of death, and a puja room on this "
                "side does not bring the blessings the family seeks."},
        {SouthEast, "South East is very much inauspicious for the puja room."
                    " The South East is the corner of the fire element, and a puja room in this "
                    "corner may bring anger and unrest into the prayers of the family."},
    }}},
    {"Guest Room", "Analysis for Guest Room :-", "Analysis for Guest Room :-",
     nullptr,
     std::nullopt, in(), {{
        {NorthWest, "North West is one of the best corners for having the guest room."
                    " The air element of the North West keeps the stay of a guest pleasant and "
                    "short, and the guest leaves the house on good terms."},
        {North, "North is good for the guest room."
                " A guest room in the North makes the guest feel welcome and brings goodwill "
                "between the guest and the family."},
        {NorthEast, "North East is not an auspicious direction for the guest room."
                    " The North East is the sacred corner of the house, and a guest room in this "
                    "direction disturbs its calm and purity."},
        {West, "West is an auspicious direction for the guest room."
               " A guest room in the West gives the guest a comfortable stay and keeps the "
               "relations with the family warm."},
        {East, "East is the best position for the guest room."
               " The morning sun of the East makes a guest room in this direction bright and "
               "cheerful, and the guest stays in good health."},
        {SouthWest, "South West is an unlucky direction for the guest room."
                    " If placed in this corner, the guest can become permanent and can even "
                    "replace the owner. North West is a preferred direction for the guest room."},
        {South, "South should never be chosen for placing the guest room as it affects the "
                "guest's health condition badly."
                " A guest room in the South also disturbs the peace of the family. North West is "
                "a preferred direction for the guest room."},
        {SouthEast, "South East is the corner of the fire element. Guest rooms should never be "
                    "located in this corner of the house as the guest may harm the family members."
                    " The fire of the South East makes the guest restless and short tempered. "
                    "North West is a preferred direction for the guest room."},
    }}},
};

// Living Room, Drawing Room, Family Room and Hall share these sentences; here they read as
// for the Hall, and each kind puts its own room word in place of "hall" and "halls".
constexpr Cells kHallCells = {{
    {NorthWest, "North West is recommended for the hall. But if the hall is placed in that "
                "corner, then its roof should be inclined towards the North East."},
    {North, "North is good for the hall. It favors the health and the finance of the family."},
    {NorthEast, "North East is preferable direction for the hall. It gives the house a blissful "
                "environment."},
    {West, "West is also an auspicious direction for the hall. It is better to have the room in "
           "the Northern side."},
    {East, "East is the best position for the hall. It helps the family stay in a peaceful "
           "environment."},
    {SouthWest, "South West is an unlucky direction for the hall in the house. If the house is a "
                "two storey building, hall should be in the ground floor."},
    {South, "South should never be chosen for the hall as it affects the family head's health."},
    {SouthEast, "South East is the corner of the fire element. halls should never be located in "
                "this corner of the house."},
}};
constexpr Zone kHallBestZone = North;
constexpr std::uint8_t kHallRecommendedIn = in(SouthWest, South, SouthEast);

struct HallLikeKind
{
    const char *kind;
    const char *heading;
    const char *recommendationLine;
    const char *room;  // in place of "hall"
    const char *rooms; // in place of "halls"
};

constexpr HallLikeKind kHallLikeKinds[] = {
    {"Living Room",  "Analysis for Living Room :-",  "North is good for the living room.",
     "living room",  "Living rooms"},
    {"Drawing Room", "Analysis for Drawing Room :-", "North is good for the drawing room.",
     "drawing room", "drawing rooms"},
    {"Family Room",  "Analysis for Family Room :-",  "North is good for the family room.",
     "family room",  "family rooms"},
    {"Hall",         "Analysis for Hall :-",         "North is good for the hall.",
     "hall",         "halls"},
};
// clang-format on

constexpr bool cellsInZoneOrder(const Cells &cells)
{
    for (int i = 0; i < kZoneCount; ++i) {
        if (static_cast<int>(cells[i].zone) != i)
            return false;
    }
    return true;
}

constexpr bool allCellsInZoneOrder()
{
    for (const KindSource &source : kKinds) {
        if (!cellsInZoneOrder(source.cells))
            return false;
    }
    return cellsInZoneOrder(kHallCells);
}
static_assert(allCellsInZoneOrder(), "advice cells must follow the order of Zone");

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether the whole word `word` stands in `text` at `at`.
bool wordAt(std::string_view text, std::size_t at, std::string_view word)
{
    if (text.substr(at, word.size()) != word)
        return false;
    const std::size_t end = at + word.size();
    return (at == 0 || !isLetter(text[at - 1])) && (end == text.size() || !isLetter(text[end]));
}

// A Hall sentence as another kind of the Hall family reads it.
std::string withRoomWord(std::string_view text, const HallLikeKind &kind)
{
    std::string result;
    for (std::size_t i = 0; i < text.size();) {
        if (wordAt(text, i, "halls")) {
            result += kind.rooms;
            i += 5;
        } else if (wordAt(text, i, "hall")) {
            result += kind.room;
            i += 4;
        } else {
            result += text[i++];
        }
    }
    return result;
}

RoomRules makeRules(std::string kind, std::string firstHeading, std::string laterHeading,
                    std::string recommendationLine, std::optional<Zone> bestZone,
                    std::uint8_t recommendedIn,
                    const std::array<std::string, kZoneCount> &paragraphs)
{
    RoomRules rules;
    rules.kind = std::move(kind);
    rules.firstHeading = std::move(firstHeading);
    rules.laterHeading = std::move(laterHeading);
    rules.recommendationLine = std::move(recommendationLine);
    rules.bestZone = bestZone;
    for (int i = 0; i < kZoneCount; ++i) {
        rules.advice[i] = paragraphs[i];
        rules.recommends[i] = (recommendedIn & (1u << i)) != 0;
        if (rules.recommends[i])
            rules.advice[i] += "\r\n" + rules.recommendationLine;
    }
    return rules;
}

} // namespace

RuleTable::RuleTable()
{
    for (const KindSource &source : kKinds) {
        std::array<std::string, kZoneCount> paragraphs;
        for (int i = 0; i < kZoneCount; ++i)
            paragraphs[i] = source.cells[i].paragraph;
        m_kinds.push_back(makeRules(source.kind, source.firstHeading, source.laterHeading,
                                    source.recommendationLine ? source.recommendationLine : "",
                                    source.bestZone, source.recommendedIn, paragraphs));
    }
    for (const HallLikeKind &kind : kHallLikeKinds) {
        std::array<std::string, kZoneCount> paragraphs;
        for (int i = 0; i < kZoneCount; ++i)
            paragraphs[i] = withRoomWord(kHallCells[i].paragraph, kind);
        m_kinds.push_back(makeRules(kind.kind, kind.heading, kind.heading, kind.recommendationLine,
                                    kHallBestZone, kHallRecommendedIn, paragraphs));
    }
}

const RoomRules *RuleTable::find(std::string_view text) const
{
    for (const RoomRules &rules : m_kinds) {
        if (rules.kind == text)
            return &rules;
    }
    return nullptr;
}

} // namespace tessel
