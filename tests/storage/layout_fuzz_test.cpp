#include "storage/layout_file.h"

#include "fuzzing.h"
#include "sample_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

// Feeds the reader random and mutated files; run under the sanitizers by the test command.
// TESSEL_FUZZ_ITERATIONS sets how many files each test reads (20000 by default).

namespace tessel {
namespace {

int iterations()
{
    return testing::fuzzIterations(20000);
}

// What every read must keep to, whatever the bytes: no more records than allowed, sizes
// that can be drawn, and records that write out and read back again as they are.
void checkRead(const std::string &bytes, std::size_t capacity)
{
    const LayoutReadResult result = readLayout(bytes, capacity);
    ASSERT_LE(result.records.size(), capacity);
    if (result.fault) {
        ASSERT_GE(result.fault->line, 1);
    }
    Editor editor;
    for (const LayoutRecord &record : result.records) {
        ASSERT_TRUE(std::isfinite(record.left) && std::isfinite(record.top));
        ASSERT_TRUE(record.width >= 0 && record.height >= 0);
        testing::addElement(editor, record.text, record.left, record.top, record.width,
                            record.height, record.borderStyle);
    }
    const LayoutReadResult again = readLayout(writeLayout(editor.txtRoom));
    ASSERT_FALSE(again.fault.has_value()) << bytes;
    ASSERT_EQ(again.records.size(), result.records.size());
}

TEST(LayoutFuzz, RandomBytes)
{
    std::mt19937 random(20261208);
    // Mostly the characters the format is made of, so that records get far.
    const std::string alphabet = ",,,\"\"\r\n\n 0123456789.-+eEaZ\t";
    for (int i = 0; i < iterations(); ++i) {
        std::string bytes(std::uniform_int_distribution<int>(0, 400)(random), '\0');
        for (char &c : bytes) {
            const int pick = std::uniform_int_distribution<int>(0, 9)(random);
            c = pick == 0 ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
        }
        checkRead(bytes, 1 + random() % 40);
    }
}

TEST(LayoutFuzz, MutatedFiles)
{
    Editor editor = testing::samplePlan();
    testing::park(editor, testing::addElement(editor, "Store Room", 0, 0, 800, 800), "Store Room");
    testing::addElement(editor, "Caf\xE9", 1.5f, 2.25f, 1066.667f, 0.001f);
    const std::string seed = writeLayout(editor.txtRoom);

    std::mt19937 random(8);
    for (int i = 0; i < iterations(); ++i) {
        std::string bytes = seed;
        testing::mutate(bytes, random, ",\"\r\n", 8);
        checkRead(bytes, 1 + random() % 12);
    }
}

} // namespace
} // namespace tessel
