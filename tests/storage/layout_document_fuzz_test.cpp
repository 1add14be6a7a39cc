#include "storage/layout_document.h"

#include "fuzzing.h"
#include "sample_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

// Feeds the document reader mutated documents; run under the sanitizers by the test command.
// TESSEL_FUZZ_ITERATIONS sets how many documents it reads (10000 by default).

namespace tessel {
namespace {

int iterations()
{
    return testing::fuzzIterations(10000);
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
    // The writer is exact: the same table writes the same bytes.
    const std::string written = writeLayoutDocument(*read.document);
    const DocumentReadResult again = readLayoutDocument(written);
    ASSERT_TRUE(again.document) << again.error;
    ASSERT_EQ(writeLayoutDocument(*again.document), written);
}

TEST(LayoutDocumentFuzz, MutatedDocuments)
{
    const std::string seed = writeLayoutDocument(testing::samplePlanDocument(Facing::South));

    std::mt19937 random(9);
    for (int i = 0; i < iterations(); ++i) {
        std::string bytes = seed;
        testing::mutate(bytes, random, "{}[],:\"-", 3);
        checkRead(bytes);
    }
}

// The fuzz target's seeds, and each input it ever stopped at, with the same checks.
TEST(LayoutDocumentFuzz, Corpus)
{
    int files = 0;
    for (const auto &entry : std::filesystem::directory_iterator(TESSEL_DOCUMENT_CORPUS)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        SCOPED_TRACE(entry.path().filename().string());
        checkRead(bytes);
        ++files;
    }
    EXPECT_GE(files, 6);
}

} // namespace
} // namespace tessel
