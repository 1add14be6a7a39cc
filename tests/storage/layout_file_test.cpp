#include "storage/layout_file.h"

#include "sample_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tessel {
namespace {

using testing::addElement;
using testing::park;

LayoutRecord readOne(const std::string &bytes)
{
    const LayoutReadResult result = readLayout(bytes);
    EXPECT_FALSE(result.fault.has_value()) << bytes;
    EXPECT_EQ(result.records.size(), 1u) << bytes;
    return result.records.empty() ? LayoutRecord() : result.records.front();
}

struct NumberCase
{
    float value;
    const char *written;
};

class LayoutNumbers : public ::testing::TestWithParam<NumberCase>
{
};

TEST_P(LayoutNumbers, AreWrittenPlainAndReadBack)
{
    const auto [value, written] = GetParam();
    EXPECT_EQ(formatLayoutNumber(value), written);
    const LayoutRecord record = readOne(std::string("1,\"\",") + written + ",0,0,0,1\r\n");
    EXPECT_EQ(record.left, value) << written;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutNumbers,
    ::testing::Values(NumberCase{4800, "4800"}, NumberCase{0, "0"}, NumberCase{-0.0f, "0"},
                      NumberCase{-480, "-480"}, NumberCase{533.3333f, "533.3333"},
                      NumberCase{1e-5f, "0.00001"}, NumberCase{-0.25f, "-0.25"},
                      NumberCase{123456.7f, "123456.7"}, NumberCase{0.1f, "0.1"},
                      NumberCase{1e-30f, "0.000000000000000000000000000001"},
                      // Whole values keep every digit, so that they come back exactly.
                      NumberCase{16777218, "16777218"},
                      NumberCase{1e20f, "100000002004087734272"}));

TEST(LayoutFile, WritesOneCrLfLinePerElementInOrder)
{
    Editor editor;
    addElement(editor, "Kitchen", 0, 0, 1600, 800, 0);
    addElement(editor, "", 800, 800, 400, 0);
    park(editor, addElement(editor, "", 100, 100, 0, 400), "Deleted Door");
    EXPECT_EQ(writeLayout(editor.txtRoom), "1,\"Kitchen\",0,0,1600,800,0\r\n"
                                           "2,\"\",800,800,400,0,1\r\n"
                                           "3,\"Deleted Door\",4800,4800,0,0,1\r\n");
    EXPECT_EQ(writeLayout(ChartTable()), "");
}

TEST(LayoutFile, WritesDeletedElementsParkedWhereverTheyLie)
{
    Editor editor;
    park(editor, addElement(editor, "Hall", 0, 0, 1600, 800, 0), "Hall");
    park(editor, addElement(editor, "", 100, 100, 0, 400), "Deleted Door");
    for (int moved = 1; moved <= 2; ++moved)
        editor.txtRoom.at(moved).left = editor.txtRoom.at(moved).top = 3500;
    EXPECT_EQ(writeLayout(editor.txtRoom), "1,\"Hall\",4800,4800,0,0,0\r\n"
                                           "2,\"Deleted Door\",4800,4800,0,0,1\r\n");
}

TEST(LayoutFile, RoundTripsEveryKindOfElementFieldForField)
{
    Editor editor = testing::samplePlan();
    park(editor, addElement(editor, "Store Room", 10, 10, 800, 800, 0), "Store Room");
    park(editor, addElement(editor, "", 1600, 400, 0, 266.6667f), "Deleted Door");
    park(editor, addElement(editor, "Back Entrance", 3200, 0, 0, 400), "a");
    addElement(editor, "Pūjā Room, \"big\"", 12.5f, -0.5f, 1066.667f, 0.001f, 0);
    const ChartTable &table = editor.txtRoom;

    const LayoutReadResult result = readLayout(writeLayout(table));
    ASSERT_FALSE(result.fault.has_value());
    ASSERT_EQ(result.records.size(), std::size_t(table.elementCount()));
    for (int index = 1; index <= table.elementCount(); ++index) {
        const ChartElement &element = table.at(index);
        const LayoutRecord &record = result.records[index - 1];
        std::string text = element.text;
        std::replace(text.begin(), text.end(), '"', '\'');
        EXPECT_EQ(record, (LayoutRecord{text, element.left, element.top, element.width,
                                        element.height, element.borderStyle}))
            << index;
    }
}

struct ReadingCase
{
    const char *what;
    std::string bytes;
    std::vector<LayoutRecord> records;
};

class LayoutReading : public ::testing::TestWithParam<ReadingCase>
{
};

TEST_P(LayoutReading, FollowsTheRules)
{
    const LayoutReadResult result = readLayout(GetParam().bytes);
    EXPECT_FALSE(result.fault.has_value()) << GetParam().what;
    EXPECT_EQ(result.records, GetParam().records) << GetParam().what;
}

const LayoutRecord hall{"Hall", 1, 2, 3, 4, 1};
const LayoutRecord door{"", 5, 6, 7, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Rules, LayoutReading,
    ::testing::Values(
        ReadingCase{"empty file", "", {}}, ReadingCase{"blank lines only", " \r\n\r\n\n", {}},
        ReadingCase{
            "LF line ends, no final one", "1,\"Hall\",1,2,3,4,1\n2,\"\",5,6,7,0,0", {hall, door}},
        ReadingCase{"CR line ends", "1,\"Hall\",1,2,3,4,1\r2,\"\",5,6,7,0,0\r", {hall, door}},
        ReadingCase{"blank lines between and after records",
                    "1,\"Hall\",1,2,3,4,1\r\n\r\n2,\"\",5,6,7,0,0\r\n\r\n  \r\n",
                    {hall, door}},
        ReadingCase{
            "line ends separate fields like commas", "1\r\n\"Hall\",1\n2,3\r\n4,1\r\n", {hall}},
        ReadingCase{"a quoted field runs to the next quote",
                    "1,\"a, b\r\nc\",1,2,3,4,1",
                    {{"a, b\r\nc", 1, 2, 3, 4, 1}}},
        ReadingCase{"text after the closing quote is skipped", "1,\"Hall\"xyz ,1,2,3,4,1", {hall}},
        ReadingCase{"unquoted fields are trimmed", " 1 , Hall ,  1 ,2\t, 3,4 , 1 ", {hall}},
        ReadingCase{"numbers with or without a leading zero, signs and exponents",
                    "7,x,.5,-.5,+2.,1E+3,1",
                    {{"x", 0.5f, -0.5f, 2, 1000, 1}}},
        ReadingCase{"the index field plays no part", "99,\"Hall\",1,2,3,4,1", {hall}},
        ReadingCase{
            "border style rounded, halves to even", "1,x,0,0,0,0,2.5", {{"x", 0, 0, 0, 0, 2}}},
        ReadingCase{
            "UTF-8 text stays", "1,\"Caf\xC3\xA9\",0,0,0,0,1", {{"Caf\xC3\xA9", 0, 0, 0, 0, 1}}},
        ReadingCase{"a Western code page is read as Latin-1",
                    "1,\"Caf\xE9 \xBD\",0,0,0,0,1",
                    {{"Caf\xC3\xA9 \xC2\xBD", 0, 0, 0, 0, 1}}}));

struct FaultCase
{
    const char *what;
    std::string bytes;
    std::size_t loaded;
    LayoutFault fault;
};

class LayoutFaults : public ::testing::TestWithParam<FaultCase>
{
};

TEST_P(LayoutFaults, LoadTheRecordsBeforeTheFirst)
{
    const LayoutReadResult result = readLayout(GetParam().bytes, 3);
    EXPECT_EQ(result.records.size(), GetParam().loaded) << GetParam().what;
    EXPECT_EQ(result.fault, GetParam().fault) << GetParam().what;
}

const std::string good = "1,\"Hall\",1,2,3,4,1\r\n";
const std::string huge(kMaxLayoutFieldBytes + 1, 'x');

INSTANTIATE_TEST_SUITE_P(
    Faults, LayoutFaults,
    ::testing::Values(
        FaultCase{"ends in a record",
                  good + "2,\"Hall\",1,2",
                  1,
                  {LayoutFaultKind::IncompleteRecord, 2, 4}},
        FaultCase{"ends in a quoted text",
                  good + good + "3,\"Hall,1,2,3,4,1\r\n",
                  2,
                  {LayoutFaultKind::IncompleteRecord, 3, 2}},
        FaultCase{"a word for a number",
                  good + "2,\"Hall\",1\r\nten,3,4,1",
                  1,
                  {LayoutFaultKind::NotANumber, 3, 4}},
        FaultCase{"an empty number", "1,\"Hall\",,2,3,4,1", 0, {LayoutFaultKind::NotANumber, 1, 3}},
        FaultCase{"a number beyond single precision",
                  "1,x,1e39,2,3,4,1",
                  0,
                  {LayoutFaultKind::NotANumber, 1, 3}},
        FaultCase{"no hexadecimal or infinity",
                  "1,x,0x10,inf,3,4,1",
                  0,
                  {LayoutFaultKind::NotANumber, 1, 3}},
        FaultCase{"border style beyond 16 bits",
                  "1,x,1,2,3,4,40000",
                  0,
                  {LayoutFaultKind::NotANumber, 1, 7}},
        FaultCase{
            "negative height", good + "2,x,1,2,3,-4,1", 1, {LayoutFaultKind::NegativeSize, 2, 6}},
        FaultCase{"a far too long quoted text",
                  good + "2,\"" + huge + "\",1,2,3,4,1",
                  1,
                  {LayoutFaultKind::FieldTooLong, 2, 2}},
        FaultCase{"a far too long line", good + huge, 1, {LayoutFaultKind::FieldTooLong, 2, 1}},
        FaultCase{"more records than the chart takes",
                  good + good + "\r\n" + good + good,
                  3,
                  {LayoutFaultKind::TooManyElements, 5}},
        FaultCase{"binary garbage",
                  std::string("\0\xff\x01,\"\x80", 6),
                  0,
                  {LayoutFaultKind::IncompleteRecord, 1, 2}}));

TEST(LayoutFaults, AHugeFileIsReadUpToItsLimitOnly)
{
    // Records in lines 1, 1002 and 1003.
    const std::string bytes = good + std::string(1000, '\n') + good + good;
    struct Cut
    {
        std::size_t limit, loaded;
        int line;
    };
    for (const Cut cut : {Cut{bytes.size() - 1, 3, 1004}, Cut{bytes.size() - 10, 2, 1003},
                          Cut{good.size() - 3, 0, 1}}) {
        const LayoutReadResult result = readLayout(bytes, 10, cut.limit);
        EXPECT_EQ(result.records.size(), cut.loaded) << cut.limit;
        EXPECT_EQ(result.fault, (LayoutFault{LayoutFaultKind::FileTooLarge, cut.line}))
            << cut.limit;
    }
    EXPECT_EQ(readLayout(bytes, 10, bytes.size()).records.size(), 3u);
    EXPECT_EQ(describeLayoutFault({LayoutFaultKind::FileTooLarge, 9}),
              "the file is larger than 64 MB; it was read up to line 9");
}

TEST(LayoutFaults, AreDescribedWithTheirLine)
{
    EXPECT_EQ(describeLayoutFault({LayoutFaultKind::NotANumber, 12, 3}),
              "field 3 in line 12 is not a number");
    EXPECT_EQ(describeLayoutFault({LayoutFaultKind::IncompleteRecord, 4, 2}),
              "the record that starts in line 4 ends before its seventh field");
    EXPECT_EQ(describeLayoutFault({LayoutFaultKind::TooManyElements, 32768}),
              "the chart cannot hold more than 32767 elements; the records from line 32768 "
              "on were not loaded");
}

} // namespace
} // namespace tessel
