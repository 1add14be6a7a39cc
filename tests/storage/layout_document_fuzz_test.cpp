#include "storage/layout_document.h"

#include "model/openings.h"

#include "fuzzing.h"
#include "sample_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

// Feeds the document reader random and mutated documents; run under the sanitizers by the
// test command. TESSEL_FUZZ_ITERATIONS sets how many documents each test reads (5000 by
// default: the JSON parser is slower than the Structure.txt reader).

namespace tessel {
namespace {

int iterations()
{
    return testing::fuzzIterations(5000);
}

// Whatever the bytes: a document or one message, never both; elements a chart can draw;
// and a document read writes out and reads back as it is.
void checkRead(const std::string &bytes)
{
    const DocumentReadResult read = readLayoutDocument(bytes);
    ASSERT_NE(read.document.has_value(), !read.error.empty()) << bytes;
    if (!read.document)
        return;
    const ChartTable &table = read.document->table;
    ASSERT_LE(table.elementCount(), ChartTable::kMaxIndex);
    for (int index = 1; index <= table.elementCount(); ++index) {
        const ChartElement &element = table.at(index);
        ASSERT_TRUE(std::isfinite(element.left) && std::isfinite(element.top));
        ASSERT_TRUE(element.width >= 0 && element.height >= 0);
    }
    const DocumentReadResult again = readLayoutDocument(writeLayoutDocument(*read.document));
    ASSERT_TRUE(again.document) << again.error;
    ASSERT_EQ(again.document->facing, read.document->facing);
    ASSERT_EQ(again.document->plotLength, read.document->plotLength);
    ASSERT_EQ(again.document->table.elementCount(), table.elementCount());
    for (int index = 1; index <= table.elementCount(); ++index)
        ASSERT_EQ(again.document->table.at(index), table.at(index)) << bytes;
}

TEST(LayoutDocumentFuzz, RandomBytes)
{
    std::mt19937 random(20261209);
    // Mostly the characters JSON is made of.
    const std::string alphabet = "{}[],:\"\"\\ \n0123456789-.etrunl";
    for (int i = 0; i < iterations(); ++i) {
        std::string bytes(std::uniform_int_distribution<int>(0, 300)(random), '\0');
        for (char &c : bytes)
            c = random() % 10 == 0 ? static_cast<char>(random())
                                   : alphabet[random() % alphabet.size()];
        // A valid beginning, so that the reader gets past the format and version.
        checkRead(random() % 2 ? bytes : R"({"format":"tessel-layout","version":1,)" + bytes);
    }
}

TEST(LayoutDocumentFuzz, MutatedDocuments)
{
    Editor editor = testing::samplePlan();
    const int door = testing::addElement(editor, "", 100, 100, 0, 400);
    testing::park(editor, door, "Deleted Door");
    editor.txtRoom.at(door).fillOverride = kDeletedOpeningFill;
    testing::addElement(editor, "Caf\xC3\xA9", 1.5f, 2.25f, 1066.667f, 0.001f);
    const std::string seed = writeLayoutDocument({"60", "30", Facing::South, editor.txtRoom});

    std::mt19937 random(9);
    for (int i = 0; i < iterations(); ++i) {
        std::string bytes = seed;
        testing::mutate(bytes, random, "{}[],:\"-", 3);
        checkRead(bytes);
    }
}

} // namespace
} // namespace tessel
