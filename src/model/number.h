#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessel {

// The number a text starts with, after leading blanks: "12.5.3" gives 12.5, "7 ft" gives 7.
// A text that does not start with a number gives 0. Used where typed values are compared.
double leadingNumber(std::string_view text);

// The value of a text that is one whole decimal number and nothing else (blanks around it
// allowed): "12.5" and ".5" are numbers, "", ".", "1.2.3", "1,5" and "12ft" are not.
// Values too large to hold are not numbers either. Used where typed values are converted.
std::optional<double> strictNumber(std::string_view text);

// Whether the text is one number greater than 0: what a size typed in feet must be.
bool isPositiveNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// The shortest decimal form with at most 15 significant digits and no trailing zeros:
// 10 -> "10", 50.0 / 6 -> "8.33333333333333". Very large or small values use an exponent.
std::string formatNumber(double value, std::string_view decimalPoint = ".");

// The text without leading and trailing spaces.
std::string trimSpaces(std::string_view text);

} // namespace tessel
