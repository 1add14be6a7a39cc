#include "storage/layout_document.h"

#include "model/openings.h"

#include "sample_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

// Feeds the document reader random and mutated documents; run under the sanitizers by the
// test command. TESSEL_FUZZ_ITERATIONS sets how many documents each test reads (5000 by
// default: the JSON parser is slower than the Structure.txt reader).

namespace tessel {
namespace {

int iterations()
{
    if (const char *text = std::getenv("TESSEL_FUZZ_ITERATIONS"))
        return std::max(1, std::atoi(text));
    return 5000;
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
    // Mostly the characters JSON is made of, with the names the reader looks for.
    const std::vector<std::string> pieces = {"{",
                                             "}",
                                             "[",
                                             "]",
                                             ",",
                                             ":",
                                             "\"",
                                             "\\",
                                             " ",
                                             "\n",
                                             "0",
                                             "1",
                                             "-",
                                             ".",
                                             "e",
                                             "9",
                                             "true",
                                             "null",
                                             "\"format\":",
                                             "\"tessel-layout\"",
                                             "\"version\":1",
                                             "\"elements\":",
                                             "\"text\":",
                                             "\"left\":",
                                             "\"width\":",
                                             "\"borderStyle\":",
                                             "\"fill\":\"#00ff00\"",
                                             "\"facing\":\"West\"",
                                             "\"plotLength\":\"6\"",
                                             "\\u00e9"};
    for (int i = 0; i < iterations(); ++i) {
        std::string bytes;
        const int count = std::uniform_int_distribution<int>(0, 80)(random);
        for (int k = 0; k < count; ++k) {
            if (random() % 12 == 0)
                bytes += static_cast<char>(random());
            else
                bytes += pieces[random() % pieces.size()];
        }
        checkRead(bytes);
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
        const int mutations = 1 + random() % 3;
        for (int m = 0; m < mutations && !bytes.empty(); ++m) {
            const std::size_t at = random() % bytes.size();
            switch (random() % 7) {
            case 0: // flip a bit
                bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8)));
                break;
            case 1: // a structural character
                bytes.insert(at, 1, "{}[],:\"-"[random() % 8]);
                break;
            case 2:
                bytes.erase(at, 1 + random() % 12);
                break;
            case 3: // repeat a piece, often a whole element
                bytes.insert(at, bytes.substr(random() % bytes.size(), 1 + random() % 200));
                break;
            case 4:
                bytes.resize(at);
                break;
            case 5: // a digit run
                bytes.insert(at, std::string(1 + random() % 50, '9'));
                break;
            default: // another value in the same place, so that many documents stay readable
                if (const auto digit = bytes.find_first_of("0123456789", at);
                    digit != std::string::npos)
                    bytes[digit] = "0123456789-.e"[random() % 13];
                break;
            }
        }
        checkRead(bytes);
    }
}

} // namespace
} // namespace tessel
