#pragma once

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

namespace tessel::testing {

// How many inputs each fuzz test reads: TESSEL_FUZZ_ITERATIONS, or the test's own number.
inline int fuzzIterations(int fallback)
{
    if (const char *text = std::getenv("TESSEL_FUZZ_ITERATIONS"))
        return std::max(1, std::atoi(text));
    return fallback;
}

// One to `most` random edits of a well-formed input. `marks` are the characters its format
// is built of (separators, quotes, brackets).
inline void mutate(std::string &bytes, std::mt19937 &random, std::string_view marks, int most)
{
    const int mutations = 1 + random() % most;
    for (int m = 0; m < mutations && !bytes.empty(); ++m) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 7) {
        case 0: // flip a bit
            bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8)));
            break;
        case 1:
            bytes.insert(at, 1, marks[random() % marks.size()]);
            break;
        case 2:
            bytes.erase(at, 1 + random() % 12);
            break;
        case 3: // repeat a piece, at times a whole record
            bytes.insert(at, bytes.substr(random() % bytes.size(), 1 + random() % 128));
            break;
        case 4:
            bytes.resize(at);
            break;
        case 5: // a digit run
            bytes.insert(at, std::string(1 + random() % 50, '9'));
            break;
        default: // another value in the same place, so that many inputs stay readable
            if (const auto digit = bytes.find_first_of("0123456789", at);
                digit != std::string::npos)
                bytes[digit] = "0123456789-.e"[random() % 13];
            break;
        }
    }
}

} // namespace tessel::testing
