#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tessel {

// A size field that takes only digits and the decimal point while the user types, with the
// message for any other character and the one for "/".
struct NumericField
{
    const char *name;
    const char *otherMessage;
    const char *slashMessage;
};

// Every size field of the window.
inline constexpr std::array<NumericField, 12> kNumericFields = {{
    {"txtPlotLength", "Please enter only number", "Please enter only number"},
    {"txtPlotWidth", "Please enter only number", "Please enter only number"},
    {"txtLength", "Please enter only number", "Please enter only number"},
    {"txtwidth", "Please enter only number", "Please enter  only number"},
    {"txtDoorLength", "Please enter only number", "Please enter only number"},
    {"txtDoorWidth", "Please enter only number", "Please enter only Number"},
    {"txtMELength", "Please enter only number", "Please enter only number"},
    {"txtMEWidth", "Please enter only number", "Please enter only number"},
    {"txtBELength", "Please enter only number", "Please enter only number"},
    {"txtBEWidth", "Please enter only number", "Please enter only number"},
    // The position of a room in its properties.
    {"txtRoomLeft", "Please enter only number", "Please enter only number"},
    {"txtRoomTop", "Please enter only number", "Please enter only number"},
}};

// The field whose room name is typed in capitals.
inline constexpr const char *kRoomNameField = "txtAddRoomName";

// The message for a character (its code) typed into a size field that refuses it, or
// std::nullopt when the field takes it. Backspace is always taken; Enter is refused. Neither
// the number of points nor the length is limited here: the commands check the value.
std::optional<std::string_view> refusedNumericKey(char32_t code, const NumericField &field);

// A character typed into the room name: small letters a to z become capitals, everything else
// stays as typed.
char32_t roomNameKey(char32_t code);

} // namespace tessel
