#include "storage/rtf.h"

#include <cmath>
#include <cstdint>

namespace tessel {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point starting at text[at], advancing `at` past it; a malformed sequence gives
// the replacement character and advances by one byte.
char32_t nextCodePoint(std::string_view text, std::size_t &at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    int length = 0;
    char32_t point = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        point = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        point = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        point = lead & 0x07;
    } else {
        ++at;
        return kReplacementCharacter;
    }
    if (at + length > text.size()) {
        ++at;
        return kReplacementCharacter;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return kReplacementCharacter;
        }
        point = (point << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < kSmallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        ++at;
        return kReplacementCharacter;
    }
    at += length;
    return point;
}

// \uN takes a signed 16-bit number; the '?' after it is what readers without Unicode show.
void appendUnicodeEscape(std::string &rtf, char16_t unit)
{
    rtf += "\\u";
    rtf += std::to_string(static_cast<std::int16_t>(unit));
    rtf += '?';
}

void appendEscaped(std::string &rtf, char32_t point)
{
    if (point == '\\' || point == '{' || point == '}') {
        rtf += '\\';
        rtf += static_cast<char>(point);
    } else if (point == '\t') {
        rtf += "\\tab ";
    } else if (point < 0x20 || point == 0x7F) {
        // Other control characters have no place in a paragraph's text.
    } else if (point < 0x80) {
        rtf += static_cast<char>(point);
    } else if (point <= 0xFFFF) {
        appendUnicodeEscape(rtf, static_cast<char16_t>(point));
    } else {
        const char32_t offset = point - 0x10000;
        appendUnicodeEscape(rtf, static_cast<char16_t>(0xD800 + (offset >> 10)));
        appendUnicodeEscape(rtf, static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
    }
}

void appendEscaped(std::string &rtf, std::string_view text)
{
    for (std::size_t at = 0; at < text.size();)
        appendEscaped(rtf, nextCodePoint(text, at));
}

} // namespace

std::string plainTextToRtf(std::string_view text, const RtfFont &font)
{
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil ";
    appendEscaped(rtf, font.name);
    // Some readers take a document without a generator for one of a particular word
    // processor and then turn runs of blanks into spaces of other widths; naming the
    // generator keeps the blanks as they are.
    rtf += ";}}{\\*\\generator Tessel;}\r\n\\pard\\plain\\f0\\fs";
    rtf += std::to_string(std::lround(font.pointSize * 2));
    rtf += font.bold ? "\\b " : " ";
    rtf.reserve(rtf.size() + text.size() + text.size() / 8);

    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == '\r' || text[at] == '\n') {
            at += text.compare(at, 2, "\r\n") == 0 ? 2 : 1;
            rtf += "\\par\r\n";
        } else {
            appendEscaped(rtf, nextCodePoint(text, at));
        }
    }
    rtf += "}\r\n";
    return rtf;
}

} // namespace tessel
