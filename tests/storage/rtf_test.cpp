#include "storage/rtf.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessel {
namespace {

const RtfFont kVerdanaBold{"Verdana", 8.25, true};
const std::string kHeader = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil Verdana;}}"
                            "{\\*\\generator Tessel;}\r\n\\pard\\plain\\f0\\fs17\\b ";

struct RtfCase
{
    const char *what;
    std::string text;
    std::string body; // what follows the header
};

class RtfBody : public ::testing::TestWithParam<RtfCase>
{
};

TEST_P(RtfBody, EscapesTheTextAndEndsEachLineAsAParagraph)
{
    EXPECT_EQ(plainTextToRtf(GetParam().text, kVerdanaBold), kHeader + GetParam().body)
        << GetParam().what;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, RtfBody, ::testing::Values(
    RtfCase{"empty", "", "}\r\n"},
    RtfCase{"plain", "Kitchen :-", "Kitchen :-}\r\n"},
    RtfCase{"lines", "a\r\n\r\nb", "a\\par\r\n\\par\r\nb}\r\n"},
    RtfCase{"ends with a break", "a\r\n", "a\\par\r\n}\r\n"},
    RtfCase{"lone CR and LF", "a\rb\nc", "a\\par\r\nb\\par\r\nc}\r\n"},
    RtfCase{"specials", "\\par {x}", "\\\\par \\{x\\}}\r\n"},
    RtfCase{"tab and controls", "a\tb\x01" "c", "a\\tab bc}\r\n"},
    RtfCase{"en dash", "Veda \xE2\x80\x93 one", "Veda \\u8211? one}\r\n"},
    RtfCase{"above 32767", "\xEF\xBF\xBD", "\\u-3?}\r\n"},
    RtfCase{"two bytes", "caf\xC3\xA9", "caf\\u233?}\r\n"},
    RtfCase{"beyond 16 bits", "\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?}\r\n"},
    RtfCase{"malformed bytes", "a\xE2\x80" "b\xFF", "a\\u-3?\\u-3?b\\u-3?}\r\n"},
    RtfCase{"cut short", "a\xE2\x80", "a\\u-3?\\u-3?}\r\n"}));
// clang-format on

TEST(Rtf, FontSizeIsInHalfPointsAndBoldIsOptional)
{
    EXPECT_EQ(plainTextToRtf("x", {"Arial", 12, false}),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil Arial;}}"
              "{\\*\\generator Tessel;}\r\n\\pard\\plain\\f0\\fs24 x}\r\n");
}

TEST(Rtf, DocumentIsPlainAscii)
{
    const std::string rtf =
        plainTextToRtf("\xE2\x80\x93 \xC3\xA9 \xF0\x9F\x98\x80 \xFF", kVerdanaBold);
    EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(),
                            [](char c) { return c > 0 && static_cast<unsigned char>(c) < 0x80; }));
}

} // namespace
} // namespace tessel
