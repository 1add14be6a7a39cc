#pragma once

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace tessel {

// The length of the well-formed UTF-8 sequence that starts at `at`, or 0 where none does: a
// stray continuation byte, an overlong form, a surrogate, a code point beyond U+10FFFF, or a
// sequence cut short.
std::size_t utf8SequenceLength(std::string_view text, std::size_t at);

// Compact JSON text, written in order.
class JsonText
{
public:
    void reserve(std::size_t bytes) { m_text.reserve(bytes); }
    void raw(std::string_view text) { m_text += text; }

    // A JSON string. Runs that need no escape are copied whole, so that a plan image's base64
    // goes out as it came in. A layout file of the first format may hold texts in a Western
    // code page: each byte that begins no well-formed UTF-8 sequence becomes U+FFFD.
    void string(std::string_view text);

    // The shortest decimal that reads back as the same float, so that the file says 533.3333
    // rather than the double 533.33331298828125.
    void number(float value)
    {
        // The table holds finite values only; a 0 keeps the document readable.
        append(std::isfinite(value) ? value + 0.0f : 0.0f);
    }

    void integer(int value) { append(value); }

    std::string take() { return std::move(m_text); }

private:
    template<typename T>
    void append(T value)
    {
        std::array<char, 32> buffer{};
        const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
        m_text.append(buffer.data(), written.ptr);
    }

    std::string m_text;
};

} // namespace tessel
