#pragma once

#include "analysis/verdict.h"
#include "analysis/wheel.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tessel {

class RuleTable;

enum class PadaEffect { NotFavoured, Favourable };

// "favourable", "not favoured".
std::string_view padaEffectName(PadaEffect effect);

// What one school of Vastu says of a room kind in each zone of the wheel.
struct KindVerdicts
{
    static constexpr std::array<Verdict, kWheelZoneCount> unjudged()
    {
        std::array<Verdict, kWheelZoneCount> verdicts{};
        verdicts.fill(Verdict::NotJudged);
        return verdicts;
    }

    std::string kind; // the room text it applies to, matched exactly
    // By WheelZone: best zone, acceptable or move advised once read or derived; not judged
    // until then. The eight-zone wheel reads the principal zones only.
    std::array<Verdict, kWheelZoneCount> byZone = unjudged();

    Verdict in(WheelZone zone) const { return byZone[static_cast<std::size_t>(zone)]; }
};

// The rules the wheel judges by: a verdict for every room kind the analysis knows in every
// zone, the effects of the entrance padas and the kinds to keep out of the Brahmasthan.
struct RuleSet
{
    // Shown in the status bar, the report and the PDF.
    std::string name;
    // One per kind of the rule table, in its order.
    std::vector<KindVerdicts> kinds;
    // By pada (0 N1 ... 31 W8).
    std::array<PadaEffect, kPadaCount> padaEffects{};
    std::vector<std::string> keptOutOfBrahmasthan;

    const KindVerdicts *find(std::string_view kind) const;
    bool keepsOutOfBrahmasthan(std::string_view kind) const;
    // Verdict::NotJudged for a kind the set does not speak of.
    Verdict verdict(std::string_view kind, WheelZone zone) const;
    PadaEffect effectOf(int pada) const { return padaEffects.at(static_cast<std::size_t>(pada)); }
};

inline constexpr std::string_view kBuiltInRuleSetName = "built-in";

// The verdict of a sub-zone between two principal zones: the one they share, else acceptable.
Verdict subZoneVerdict(Verdict before, Verdict after);

// The rule set the program judges by until another is loaded, derived from the rule table so
// that the wheel and the specified analysis agree where they overlap: a principal zone has the
// table's verdict, a sub-zone the verdict its neighbours share (else acceptable). N3, N4, E3,
// E4, S3, S4, W3 and W4 are the favourable padas; Bath Room, Kitchen and Store Room are kept
// out of the Brahmasthan.
RuleSet builtInRuleSet(const RuleTable &table);

// A rule set file is a few kilobytes; anything beyond this is refused unread.
inline constexpr std::size_t kMaxRuleSetBytes = 64 * 1024;

// Reads a rule set file (the JSON format of docs/rule-sets.md) as hostile input: the set, or
// one message saying what is wrong and where ("Line 4, column 12: ..." for a file that is not
// JSON, "\"rooms\" > \"Kitchen\" > \"best zone\" > item 2: ..." for one that is JSON but not a
// rule set). Nothing of a faulty file is taken. Every kind of the rule table must be given,
// with a verdict for every principal zone; a sub-zone left out takes the verdict its
// neighbours share, as in the built-in set.
std::variant<RuleSet, std::string> readRuleSet(std::string_view bytes, const RuleTable &table);

} // namespace tessel
