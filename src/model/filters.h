#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tessel {

// What a size field that takes only digits and the decimal point says while the user types:
// the message for any other character and the one for "/".
struct NumericMessages
{
    const char *otherMessage;
    const char *slashMessage;
};

// The message for a character (its code) typed into a size field that refuses it, or
// std::nullopt when the field takes it. Backspace is always taken; Enter is refused. Neither
// the number of points nor the length is limited here: the commands check the value.
std::optional<std::string_view> refusedNumericKey(char32_t code, const NumericMessages &field);

// A character typed into the room name: small letters a to z become capitals, everything else
// stays as typed.
char32_t roomNameKey(char32_t code);

} // namespace tessel
