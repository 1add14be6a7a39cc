#include "model/number.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace tessel {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Length of the longest prefix of the form [+-]digits[.digits] that holds at least one
// digit; 0 when there is none.
std::size_t numberPrefixLength(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    return digits == 0 ? 0 : i;
}

// Parses exactly the characters of a prefix found by numberPrefixLength.
double parsePrefix(std::string_view number)
{
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Too many digits before the point overflow; digits far behind it underflow.
        const auto point = number.find('.');
        const auto whole = number.substr(0, point);
        value = whole.find_first_not_of('0') == std::string_view::npos ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}

} // namespace

double leadingNumber(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    text.remove_prefix(start);
    const std::size_t length = numberPrefixLength(text);
    return length == 0 ? 0.0 : parsePrefix(text.substr(0, length));
}

std::optional<double> strictNumber(std::string_view text)
{
    const std::string trimmed = trimSpaces(text);
    const std::size_t length = numberPrefixLength(trimmed);
    if (length == 0 || length != trimmed.size())
        return std::nullopt;
    const double value = parsePrefix(trimmed);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isPositiveNumber(std::string_view text)
{
    const auto value = strictNumber(text);
    return value && *value > 0;
}

double roundHalfEven(double value)
{
    // The default floating-point environment rounds to nearest, ties to even.
    return std::nearbyint(value);
}

std::string formatNumber(double value, std::string_view decimalPoint)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    std::string text;
    for (const char *c = buffer.data(); c != result.ptr; ++c) {
        if (*c == '.')
            text += decimalPoint;
        else
            text += *c == 'e' ? 'E' : *c;
    }
    return text;
}

std::string trimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

} // namespace tessel
