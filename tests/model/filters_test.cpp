#include "model/filters.h"
#include "model/hint_texts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tessel {
namespace {

TEST(NumericKeyFilter, TakesDigitsThePointAndBackspace)
{
    for (const NumericField &field : kNumericFields) {
        for (char32_t code : {U'0', U'5', U'9', U'.', U'\b'})
            EXPECT_EQ(refusedNumericKey(code, field), std::nullopt)
                << field.name << " " << int(code);
    }
}

TEST(NumericKeyFilter, RefusesEverythingElseWithTheFieldsMessages)
{
    for (const NumericField &field : kNumericFields) {
        // Enter, the comma, the minus sign, letters, blanks and characters beyond ASCII.
        for (char32_t code : {U'\r', U',', U'-', U'a', U'E', U' ', U':', U'\x7f', U'\u00e9'})
            EXPECT_EQ(refusedNumericKey(code, field), field.otherMessage)
                << field.name << " " << int(code);
        EXPECT_EQ(refusedNumericKey(U'/', field), field.slashMessage) << field.name;
    }
}

TEST(RoomNameKeyFilter, TypesSmallLettersAsCapitals)
{
    std::u32string typed;
    for (char32_t code : std::u32string(U"master bedroom 2-b \u00e9Z"))
        typed += roomNameKey(code);
    EXPECT_EQ(typed, U"MASTER BEDROOM 2-B \u00e9Z");
}

TEST(Hints, EachControlHasOneHint)
{
    std::set<std::string> controls;
    for (const Hint &hint : kHints)
        EXPECT_TRUE(controls.insert(hint.control).second) << hint.control;
    EXPECT_EQ(kCaptionHints[0].textFor("Main Entrance"),
              "Create a Room and Click on this button to create the Main Entrance in the Plot "
              "Chart");
    EXPECT_EQ(kCaptionHints[0].textFor("Delete Main Entrance"),
              "Click on this button to delete Main Entrance from Plot Chart");
}

} // namespace
} // namespace tessel
