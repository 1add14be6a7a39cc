#include "analysis/rule_set.h"
#include "analysis/rule_table.h"
#include "fuzzing.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace tessel {
namespace {

std::string exampleText()
{
    std::ifstream file(TESSEL_RULE_SET_EXAMPLE, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(BuiltInRuleSet, AgreesWithTheRuleTableWhereTheyOverlap)
{
    const RuleTable table;
    const RuleSet set = builtInRuleSet(table);
    EXPECT_EQ(set.name, "built-in");
    ASSERT_EQ(set.kinds.size(), table.kinds().size());
    for (std::size_t i = 0; i < set.kinds.size(); ++i) {
        const RoomRules &rules = table.kinds()[i];
        EXPECT_EQ(set.kinds[i].kind, rules.kind);
        for (int z = 0; z < kZoneCount; ++z)
            EXPECT_EQ(set.verdict(rules.kind, wheelZoneOf(Zone(z))), judge(rules, Zone(z)));
    }
    // The kitchen's best zone is SE, with E acceptable and S and SW sending it away: the
    // sub-zones between differing neighbours are acceptable, between agreeing ones agree.
    EXPECT_EQ(set.verdict("Kitchen", WheelZone::ESE), Verdict::Acceptable);
    EXPECT_EQ(set.verdict("Kitchen", WheelZone::SSE), Verdict::Acceptable);
    EXPECT_EQ(set.verdict("Kitchen", WheelZone::SSW), Verdict::MoveAdvised);
    EXPECT_EQ(set.verdict("Kitchen ", WheelZone::SE), Verdict::NotJudged);

    int favourable = 0;
    for (int pada = 0; pada < kPadaCount; ++pada)
        favourable += set.effectOf(pada) == PadaEffect::Favourable;
    EXPECT_EQ(favourable, 8);
    EXPECT_EQ(set.effectOf(*parsePadaCode("N3")), PadaEffect::Favourable);
    EXPECT_EQ(set.effectOf(*parsePadaCode("N5")), PadaEffect::NotFavoured);
    EXPECT_TRUE(set.keepsOutOfBrahmasthan("Store Room"));
    EXPECT_FALSE(set.keepsOutOfBrahmasthan("Hall"));
}

TEST(ReadRuleSet, TheShippedExampleIsADifferentSchool)
{
    const RuleTable table;
    const auto read = readRuleSet(exampleText(), table);
    ASSERT_TRUE(std::holds_alternative<RuleSet>(read)) << std::get<std::string>(read);
    const RuleSet &set = std::get<RuleSet>(read);
    EXPECT_EQ(set.name, "Sixteen-zone school (example)");
    EXPECT_EQ(set.kinds.size(), table.kinds().size());
    // Given outright, and derived where the file leaves a sub-zone out.
    EXPECT_EQ(set.verdict("Bath Room", WheelZone::WNW), Verdict::Best);
    EXPECT_EQ(set.verdict("Bath Room", WheelZone::WSW), Verdict::Acceptable);
    EXPECT_EQ(set.verdict("Hall", WheelZone::NNE), Verdict::Best);
    EXPECT_NE(set.verdict("Bath Room", WheelZone::E),
              builtInRuleSet(table).verdict("Bath Room", WheelZone::E));
    EXPECT_TRUE(set.keepsOutOfBrahmasthan("Master BedRoom"));
}

struct Hostile
{
    const char *what;
    std::string text;
    // The whole message, or the part of it that tells where and what.
    std::string message;
};

std::ostream &operator<<(std::ostream &out, const Hostile &c)
{
    return out << c.what;
}

std::string replaced(std::string text, const std::string &from, const std::string &to)
{
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The text without what lies between `from` (included) and `to` (not included).
std::string cut(const std::string &text, const std::string &from, const std::string &to)
{
    const auto start = text.find(from);
    const auto end = text.find(to, start);
    EXPECT_NE(end, std::string::npos) << from;
    return end == std::string::npos ? text : text.substr(0, start) + text.substr(end);
}

std::vector<Hostile> hostileFiles()
{
    const std::string good = exampleText();
    const std::string deep = std::string(40, '[') + std::string(40, ']');
    return {
        {"empty", "  \n", "The rule set: the file is empty"},
        {"truncated", good.substr(0, good.size() / 2), "the file ends inside an object or a list"},
        {"a comma missing", replaced(good, "\"version\": 1,", "\"version\": 1"),
         "Line 4, column 3: a comma, colon, brace or bracket is missing or out of place"},
        {"trailing bytes", good + "x", "a comma, colon, brace or bracket"},
        {"a bare word", replaced(good, "\"version\": 1", "\"version\": one"),
         "Line 3, column 14: a comma, colon, brace or bracket"},
        {"a misspelt word", replaced(good, "\"version\": 1", "\"version\": tru"),
         "Line 3, column 14: a word other than true, false or null"},
        {"not UTF-8", replaced(good, "(example)", "(\xff)"), "The rule set: the file is not UTF-8"},
        {"too large", good + std::string(kMaxRuleSetBytes, ' '), "larger than a rule set can be"},
        {"nested too deeply", replaced(good, "\"Sixteen-zone school (example)\"", deep),
         "nested deeper than a rule set goes"},
        {"a list at the top", "[]", "The rule set: expected an object in braces, found a list"},
        {"another format", replaced(good, "tessel-rule-set", "tessel-layout"),
         "\"format\": this is not a Tessel rule set (expected \"tessel-rule-set\")"},
        {"version as text", replaced(good, "\"version\": 1", "\"version\": \"1\""),
         "\"version\": this program reads version 1 only"},
        {"a later version", replaced(good, "\"version\": 1", "\"version\": 2"),
         "reads version 1 only"},
        {"a name of no text", replaced(good, "\"Sixteen-zone school (example)\"", "\"  \""),
         "\"name\": the name is empty"},
        {"a long name", replaced(good, "Sixteen-zone school (example)", std::string(81, 'x')),
         "\"name\": the name is longer than 80 characters"},
        {"the built-in name", replaced(good, "Sixteen-zone school (example)", "built-in"),
         "the program's own"},
        {"a misspelt field", replaced(good, "favourablePadas", "favorablePadas"),
         "\"favorablePadas\" is not a field of a rule set here"},
        {"a field twice", replaced(good, "\"version\": 1,", "\"version\": 1, \"version\": 1,"),
         "The rule set: \"version\" is given twice"},
        {"a field missing", cut(good, ",\n  \"keptOutOfBrahmasthan\"", "\n}"),
         "The rule set: \"keptOutOfBrahmasthan\" is missing"},
        {"an unknown kind", replaced(good, "\"Hall\": {", "\"Halls\": {"),
         "\"rooms\": \"Halls\" is not a room kind the analysis knows"},
        {"a kind twice", replaced(good, "\"Guest Room\": {", "\"Hall\": {"),
         "\"rooms\": \"Hall\" is given twice"},
        {"a kind missing", cut(good, ",\n    \"Guest Room\"", "\n  },"),
         "\"rooms\": \"Guest Room\" is missing; a rule set gives every one of the 13"},
        {"an unknown zone", replaced(good, "\"W\", \"SSE\"]", "\"W\", \"SEE\"]"),
         "\"rooms\" > \"Kitchen\" > \"move advised\" > item 5: \"SEE\" is not a zone"},
        {"a zone as a number", replaced(good, "\"W\", \"SSE\"]", "\"W\", 5]"),
         "item 5: expected a text in quotes, found a number"},
        {"a zone twice",
         replaced(good, "\"best zone\": [\"SE\"]", "\"best zone\": [\"SE\", \"E\"]"),
         "\"Kitchen\" > \"acceptable\" > item 1: the zone \"E\" has a verdict already"},
        {"a principal zone left out", replaced(good, "\"S\", \"NW\", \"ESE\"", "\"S\", \"ESE\""),
         "\"rooms\" > \"Kitchen\": the zone \"NW\" has no verdict"},
        {"an unknown verdict", replaced(good, "\"acceptable\": [\"E\"", "\"fine\": [\"E\""),
         "\"Kitchen\": \"fine\" is not a field"},
        {"verdicts as a text", replaced(good, "\"Hall\": {", "\"Hall\": \"best\", \"x\": {"),
         "\"rooms\" > \"Hall\": expected an object in braces, found a text"},
        {"an unknown pada", replaced(good, "\"N5\"", "\"N9\""),
         "\"favourablePadas\" > item 3: \"N9\" is not a pada"},
        {"a pada twice", replaced(good, "\"N5\"", "\"N4\""), "item 3: \"N4\" is given twice"},
        {"an unknown kind kept out",
         replaced(good, "\"Store Room\", \"Master", "\"Garage\", \"Master"),
         "\"keptOutOfBrahmasthan\" > item 3: \"Garage\" is not a room kind"},
    };
}

class ReadRuleSetRefuses : public ::testing::TestWithParam<Hostile>
{
};

TEST_P(ReadRuleSetRefuses, WithOneMessageSayingWhatAndWhere)
{
    const RuleTable table;
    const auto read = readRuleSet(GetParam().text, table);
    ASSERT_TRUE(std::holds_alternative<std::string>(read));
    EXPECT_NE(std::get<std::string>(read).find(GetParam().message), std::string::npos)
        << std::get<std::string>(read);
}

INSTANTIATE_TEST_SUITE_P(HostileFiles, ReadRuleSetRefuses, ::testing::ValuesIn(hostileFiles()));

// Mutated files, under the sanitizers: each gives a whole rule set or one message, never a
// crash or a set with a gap. TESSEL_FUZZ_ITERATIONS sets how many (3000 by default).
TEST(ReadRuleSetFuzz, MutatedFilesGiveASetOrAMessage)
{
    const RuleTable table;
    const std::string good = exampleText();
    std::mt19937 random(20261209);
    int loaded = 0;
    for (int i = 0; i < testing::fuzzIterations(3000); ++i) {
        std::string bytes = good;
        testing::mutate(bytes, random, "{}[]\",:\\ NSEW", 3);
        const auto read = readRuleSet(bytes, table);
        if (const auto *message = std::get_if<std::string>(&read)) {
            ASSERT_FALSE(message->empty());
            continue;
        }
        ++loaded;
        const RuleSet &set = std::get<RuleSet>(read);
        ASSERT_EQ(set.kinds.size(), table.kinds().size()) << bytes;
        for (const KindVerdicts &kind : set.kinds)
            for (const Verdict verdict : kind.byZone)
                ASSERT_NE(verdict, Verdict::NotJudged) << bytes;
    }
    // Edits inside names and lists leave some files readable, so both paths are walked.
    EXPECT_GT(loaded, 0);
}

} // namespace
} // namespace tessel
