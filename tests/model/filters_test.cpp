#include "model/filters.h"

#include <gtest/gtest.h>

#include <string>

namespace tessel {
namespace {

TEST(NumericKeyFilter, TakesDigitsThePointAndBackspaceAndRefusesTheRest)
{
    const NumericMessages field{"other", "slash"};
    for (char32_t code : {U'0', U'5', U'9', U'.', U'\b'})
        EXPECT_EQ(refusedNumericKey(code, field), std::nullopt) << int(code);
    // Enter, the comma, the minus sign, letters, blanks and characters beyond ASCII.
    for (char32_t code : {U'\r', U',', U'-', U'a', U'E', U' ', U':', U'\x7f', U'\u00e9'})
        EXPECT_EQ(refusedNumericKey(code, field), "other") << int(code);
    EXPECT_EQ(refusedNumericKey(U'/', field), "slash");
}

TEST(RoomNameKeyFilter, TypesSmallLettersAsCapitals)
{
    std::u32string typed;
    for (char32_t code : std::u32string(U"master bedroom 2-b \u00e9Z"))
        typed += roomNameKey(code);
    EXPECT_EQ(typed, U"MASTER BEDROOM 2-B \u00e9Z");
}

} // namespace
} // namespace tessel
