#include "storage/layout_document.h"

#include "storage/layout_file.h"

#include "sample_plan.h"

#include <gtest/gtest.h>

#include <limits>
#include <regex>
#include <string>

namespace tessel {
namespace {

using testing::samplePlanDocument;

class DocumentRoundTrip : public ::testing::TestWithParam<Facing>
{
};

TEST_P(DocumentRoundTrip, KeepsTableAndPlot)
{
    LayoutDocument saved = samplePlanDocument(GetParam());
    // Every character base64 is written in.
    std::string image;
    for (char c = 'A'; c <= 'Z'; ++c)
        image += {c, char(c + 'a' - 'A')};
    image += "0123456789+/==";
    saved.plan = {std::make_shared<const std::string>(image), 25, false};
    const std::string bytes = writeLayoutDocument(saved);
    const DocumentReadResult read = readLayoutDocument(bytes);
    ASSERT_TRUE(read.document) << read.error;
    EXPECT_EQ(read.document->plotLength, saved.plotLength);
    EXPECT_EQ(read.document->plotWidth, saved.plotWidth);
    EXPECT_EQ(read.document->facing, saved.facing);
    const ChartTable &table = read.document->table;
    ASSERT_EQ(table.elementCount(), saved.table.elementCount());
    for (int index = 0; index <= table.elementCount(); ++index)
        EXPECT_EQ(table.at(index), saved.table.at(index)) << "element " << index;
    const PlanImage &plan = read.document->plan;
    ASSERT_TRUE(plan.isSet());
    EXPECT_EQ(*plan.base64, *saved.plan.base64);
    EXPECT_EQ(plan.opacity, 25);
    EXPECT_FALSE(plan.shown);
    // A layout without a plan says nothing of one.
    EXPECT_EQ(writeLayoutDocument({"60", "30", GetParam(), saved.table}).find("plan"),
              std::string::npos);
    // The bearing, the zone method and a room kept in place come back; a layout that uses
    // none of them writes none.
    EXPECT_EQ(bytes.find("bearing"), std::string::npos);
    EXPECT_EQ(bytes.find("kept"), std::string::npos);
    saved.bearing = Bearing::fromTenths(175);
    saved.zoneMethod = ZoneMethod::Wheel16;
    saved.table.at(1).keptInPlace = true;
    const DocumentReadResult turned = readLayoutDocument(writeLayoutDocument(saved));
    ASSERT_TRUE(turned.document) << turned.error;
    EXPECT_EQ(turned.document->bearing, saved.bearing);
    EXPECT_EQ(turned.document->zoneMethod, ZoneMethod::Wheel16);
    EXPECT_TRUE(turned.document->table.at(1).keptInPlace);
    EXPECT_FALSE(turned.document->table.at(2).keptInPlace);
    // Singles are written as their shortest decimal, not as the double they widen to.
    EXPECT_TRUE(std::regex_search(bytes, std::regex(R"("width":533\.3333[,}])"))) << bytes;
}

INSTANTIATE_TEST_SUITE_P(Facings, DocumentRoundTrip,
                         ::testing::Values(Facing::North, Facing::South, Facing::East,
                                           Facing::West));

struct TextCase
{
    const char *what;
    std::string text;
    // The text as it reads back.
    std::string read;
};

class DocumentTexts : public ::testing::TestWithParam<TextCase>
{
};

// A text from a layout file of the first format may be in a Western code page, or hold
// anything: the document is UTF-8 whatever it is given, and reads back.
TEST_P(DocumentTexts, AreWrittenAsUtf8)
{
    LayoutDocument document{"60", GetParam().text, Facing::North, {}};
    appendElement(document.table, {GetParam().text, 0, 0, 1, 1, 0});
    const DocumentReadResult read = readLayoutDocument(writeLayoutDocument(document));
    ASSERT_TRUE(read.document) << read.error;
    EXPECT_EQ(read.document->table.at(1).text, GetParam().read);
    EXPECT_EQ(read.document->plotWidth, GetParam().read);
}

const std::string replacement = "\xEF\xBF\xBD";

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentTexts,
    ::testing::Values(TextCase{"plain", "Hall", "Hall"},
                      TextCase{"quotes and controls", "a\"b\\c\x01\td\x7F", "a\"b\\c\x01\td\x7F"},
                      TextCase{"every length of UTF-8", "\xC3\xA9\xE2\x80\x93\xF0\x9F\x8F\xA0",
                               "\xC3\xA9\xE2\x80\x93\xF0\x9F\x8F\xA0"},
                      TextCase{"Latin-1",
                               "Caf\xE9 K\xFC"
                               "che",
                               "Caf" + replacement + " K" + replacement + "che"},
                      TextCase{"an overlong slash", "\xC0\xAF", replacement + replacement},
                      TextCase{"a surrogate", "\xED\xA0\x80",
                               replacement + replacement + replacement},
                      TextCase{"beyond U+10FFFF", "\xF4\x90\x80\x80x",
                               replacement + replacement + replacement + replacement + "x"},
                      TextCase{"cut short", "ab\xE2\x80", "ab" + replacement + replacement}));

TEST(LayoutDocument, IsToldFromStructureTextByItsContent)
{
    const LayoutDocument document = samplePlanDocument(Facing::North);
    EXPECT_EQ(layoutFileFormat(writeLayoutDocument(document)), LayoutFileFormat::Document);
    EXPECT_EQ(layoutFileFormat("\xEF\xBB\xBF \r\n\t{}"), LayoutFileFormat::Document);
    EXPECT_EQ(layoutFileFormat(writeLayout(document.table)), LayoutFileFormat::StructureText);
    EXPECT_EQ(layoutFileFormat(""), LayoutFileFormat::StructureText);
    EXPECT_EQ(layoutFileFormat("  [{}]"), LayoutFileFormat::StructureText);
}

// A version 1 document around the given elements.
std::string withElements(const std::string &elements)
{
    return R"({"format": "tessel-layout", "version": 1, "plotLength": "60", "plotWidth": "30",)"
           R"( "facing": "North", "elements": [)" +
           elements + "]}";
}

std::string repeated(const std::string &item, int count)
{
    std::string list = item;
    for (int i = 1; i < count; ++i)
        list += ',' + item;
    return list;
}

const std::string hall =
    R"({"text": "Hall", "left": 1, "top": 2, "width": 3, "height": 4, "borderStyle": 1})";

struct HostileCase
{
    const char *what;
    std::string bytes;
    std::string error;
};

class HostileDocuments : public ::testing::TestWithParam<HostileCase>
{
};

TEST_P(HostileDocuments, AreRefusedWithOneMessage)
{
    const DocumentReadResult read = readLayoutDocument(GetParam().bytes);
    EXPECT_FALSE(read.document) << GetParam().what;
    EXPECT_EQ(read.error, GetParam().error) << GetParam().what;
}

// The text with the first `what` in it replaced.
std::string replaced(std::string text, const std::string &what, const std::string &by)
{
    return text.replace(text.find(what), what.size(), by);
}

std::string elementWith(const std::string &what, const std::string &by)
{
    return replaced(hall, what, by);
}

TEST(LayoutDocument, IgnoresKeysItDoesNotKnow)
{
    const DocumentReadResult read = readLayoutDocument(
        replaced(withElements(elementWith("}", R"(, "tint": [1, 2]})")), "\"version\": 1",
                 R"("version": 1, "planImage": "iVBORw0KGgo=")"));
    ASSERT_TRUE(read.document) << read.error;
    ASSERT_EQ(read.document->table.elementCount(), 1);
    EXPECT_EQ(read.document->table.at(1).height, 4);
}

// Keys and texts are unescaped as JSON has them; the plan image stays the text it is, for
// the UI to decode or refuse.
TEST(LayoutDocument, ReadsEscapesAndKeepsThePlanImageAsText)
{
    const DocumentReadResult read = readLayoutDocument(replaced(
        withElements(replaced(hall, R"("text": "Hall")", R"("te\u0078t": "H\u00e9ll \"A\"")")), "{",
        R"({"planImage": "iVBO*w0K", )"));
    ASSERT_TRUE(read.document) << read.error;
    EXPECT_EQ(read.document->table.at(1).text, "H\xC3\xA9ll \"A\"");
    ASSERT_TRUE(read.document->plan.isSet());
    EXPECT_EQ(*read.document->plan.base64, "iVBO*w0K");
    const DocumentReadResult escaped =
        readLayoutDocument(replaced(withElements(""), "{", R"({"planImage": "iVBO\/w0K", )"));
    ASSERT_TRUE(escaped.document) << escaped.error;
    EXPECT_EQ(*escaped.document->plan.base64, "iVBO/w0K");
}

// The shortest decimal of the largest single lies beyond it, and reads back as it.
TEST(LayoutDocument, ReadsTheLargestSingleAsItIsWritten)
{
    LayoutDocument document{"60", "30", Facing::North, {}};
    constexpr float largest = std::numeric_limits<float>::max();
    appendElement(document.table, {"Hall", -largest, 0, largest, 0, 0});
    const DocumentReadResult read = readLayoutDocument(writeLayoutDocument(document));
    ASSERT_TRUE(read.document) << read.error;
    EXPECT_EQ(read.document->table.at(1).left, -largest);
    EXPECT_EQ(read.document->table.at(1).width, largest);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileDocuments,
    ::testing::Values(
        HostileCase{"empty", "", "not a Tessel layout document"},
        HostileCase{"foreign JSON", R"({"name": "tessel-layout"})", "not a Tessel layout document"},
        HostileCase{"truncated", withElements(hall).substr(0, 40),
                    "line 1, column 41: unexpected end of the document"},
        HostileCase{"broken JSON", "{\n  \"format\": \"tessel-layout\",\n  version: 1}",
                    "line 3, column 3: unexpected character"},
        HostileCase{"more after the document", withElements(hall) + " x",
                    "line 1, column 197: garbage at the end of the document"},
        // The JSON is judged whole before any value.
        HostileCase{"an element fault before a JSON fault",
                    withElements(elementWith("1,", "\"1\",")) + "}",
                    "line 1, column 198: garbage at the end of the document"},
        HostileCase{"a text not in UTF-8", withElements(elementWith("Hall", "H\xE9ll")),
                    "line 1, column 125: invalid UTF-8 text"},
        HostileCase{"a tab in a text", withElements(elementWith("Hall", "Ha\tll")),
                    "line 1, column 126: unescaped control character in a text"},
        HostileCase{"cut inside a text", withElements(hall).substr(0, 125),
                    "line 1, column 126: unterminated text"},
        HostileCase{"nested without end",
                    replaced(withElements(""), "{",
                             "{\"x\": " + std::string(600, '[') + std::string(600, ']') + ", "),
                    "line 1, column 518: too deeply nested"},
        HostileCase{"newer", R"({"format": "tessel-layout", "version": 3, "elements": 7})",
                    "made by a newer version of Tessel (version 3); this version reads version 1"},
        HostileCase{"version as text", R"({"format": "tessel-layout", "version": "1"})",
                    "\"version\" is not a version number"},
        HostileCase{"no plot width", replaced(withElements(""), ", \"plotWidth\": \"30\"", ""),
                    "\"plotWidth\" is missing"},
        HostileCase{"an unknown facing", replaced(withElements(""), "North", "Up"),
                    "\"facing\" is not North, South, East or West"},
        HostileCase{"an element not an object", withElements(hall + ",7"),
                    "element 2 is not an object"},
        HostileCase{"a number as text", withElements(hall + "," + elementWith("1,", "\"1\",")),
                    "element 2: \"left\" is not a number"},
        HostileCase{"a missing height", withElements(elementWith(", \"height\": 4", "")),
                    "element 1: \"height\" is missing"},
        HostileCase{"a negative width", withElements(elementWith("3,", "-3,")),
                    "element 1: \"width\" is below 0"},
        HostileCase{"beyond single precision", withElements(elementWith("2,", "-1e39,")),
                    "element 1: \"top\" is too large"},
        HostileCase{"half a step beyond single precision",
                    withElements(elementWith("2,", "3.4028236e38,")),
                    "element 1: \"top\" is too large"},
        HostileCase{"beyond double precision", withElements(elementWith("2,", "1e400,")),
                    "line 1, column 149: illegal number"},
        HostileCase{"a fractional border", withElements(elementWith("1}", "0.5}")),
                    "element 1: \"borderStyle\" is not a whole number from -32768 to 32767"},
        HostileCase{"enabled as text", withElements(elementWith("}", ", \"enabled\": 1}")),
                    "element 1: \"enabled\" is not true or false"},
        HostileCase{"a plan image not a text",
                    replaced(withElements(""), "{", "{\"planImage\": [\"iVBORw0K\"], "),
                    "\"planImage\" is not an image written in base64"},
        HostileCase{"a plan opacity of 0",
                    replaced(withElements(""), "{",
                             "{\"planImage\": \"iVBORw0KGgo=\", \"planOpacity\": 0, "),
                    "\"planOpacity\" is not a whole percent from 1 to 100"},
        HostileCase{"a plan shown as text",
                    replaced(withElements(""), "{",
                             "{\"planImage\": \"iVBORw0KGgo=\", \"planShown\": \"yes\", "),
                    "\"planShown\" is not true or false"},
        HostileCase{"a bearing of a full turn",
                    replaced(withElements(""), "{", "{\"bearing\": 360, "),
                    "\"bearing\" is not a number of degrees from 0 to 359.9"},
        HostileCase{"an unknown zone method",
                    replaced(withElements(""), "{", "{\"zoneMethod\": \"32\", "),
                    "\"zoneMethod\" is not \"corner\", \"8\" or \"16\""},
        HostileCase{"kept as text", withElements(elementWith("}", ", \"kept\": \"yes\"}")),
                    "element 1: \"kept\" is not true or false"},
        HostileCase{"a fill by name", withElements(elementWith("}", ", \"fill\": \"#c18ae\"}")),
                    "element 1: \"fill\" is not a colour written as #rrggbb"},
        HostileCase{"a far too long name",
                    withElements(elementWith("Hall", std::string(kMaxLayoutFieldBytes + 1, 'x'))),
                    "element 1: \"text\" is longer than 131072 bytes"},
        HostileCase{"more elements than a chart holds",
                    withElements(repeated("{}", ChartTable::kMaxIndex + 1)),
                    "the document holds more than 32767 elements, more than a chart can hold"},
        // At the limit the list is read, and refused for what its elements lack.
        HostileCase{"as many elements as a chart holds",
                    withElements(repeated("{}", ChartTable::kMaxIndex)),
                    "element 1: \"text\" is missing"}));

} // namespace
} // namespace tessel
