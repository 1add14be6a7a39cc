#include "analysis/zone_analysis.h"

#include "analysis/rule_table.h"

namespace tessel {

namespace {

// The rule set's verdicts for each kind of the table, looked up once per analysis rather than
// once per room.
std::vector<const KindVerdicts *> verdictsByKind(const RuleSet &ruleSet, const RuleTable &table)
{
    std::vector<const KindVerdicts *> byKind;
    for (const RoomRules &rules : table.kinds())
        byKind.push_back(ruleSet.find(rules.kind));
    return byKind;
}

ChartRect boxOf(const ChartElement &element)
{
    return {element.left, element.top, element.width, element.height};
}

std::optional<RoomJudgement> judgeKnownRoom(const ChartElement &element, int index,
                                            const RoomRules &rules, const KindVerdicts *verdicts,
                                            const ZoneSettings &settings, const Wheel &wheel,
                                            const RuleSet &ruleSet)
{
    RoomJudgement room;
    room.index = index;
    if (settings.method == ZoneMethod::ByCorner) {
        // Exactly as the specified analysis judges.
        const auto zone = ClassifyZone(element.left, element.top, settings.facing);
        if (!zone)
            return std::nullopt;
        room.mainZone = wheelZoneOf(*zone);
        room.verdict = judge(rules, *zone);
        return room;
    }
    RoomShares shares = shareRoom(wheel, boxOf(element));
    if (!shares.hasArea())
        return std::nullopt;
    room.mainZone = *shares.mainZone;
    room.verdict = verdicts ? verdicts->in(room.mainZone) : Verdict::NotJudged;
    room.inBrahmasthanAgainstRules =
        shares.brahmasthan > 0 && ruleSet.keepsOutOfBrahmasthan(rules.kind);
    room.shares = shares;
    return room;
}

std::optional<EntranceJudgement> judgeKnownEntrance(const ChartElement &element, int index,
                                                    ElementKind kind, const Wheel &wheel,
                                                    const RuleSet &ruleSet)
{
    EntranceJudgement entrance;
    entrance.index = index;
    entrance.kind = kind;
    entrance.pada =
        padaAt(wheel, {element.left + element.width / 2.0, element.top + element.height / 2.0});
    if (entrance.pada)
        entrance.effect = ruleSet.effectOf(*entrance.pada);
    return entrance;
}

bool isEntrance(ElementKind kind)
{
    return kind == ElementKind::MainEntrance || kind == ElementKind::BackEntrance;
}

// The padas do not depend on the number of zones: the corner method's entrances have them too.
Wheel padaWheel(const ZoneSettings &settings)
{
    return Wheel(settings.plot, settings.bearing, kWheelZoneCount);
}

} // namespace

std::optional<RoomJudgement> judgeRoom(const ChartElement &element, int index,
                                       const ZoneSettings &settings, const RuleSet &ruleSet,
                                       const RuleTable &table)
{
    if (isDeleted(element))
        return std::nullopt;
    const RoomRules *rules = table.find(element.text);
    if (!rules)
        return std::nullopt;
    return judgeKnownRoom(element, index, *rules, ruleSet.find(rules->kind), settings,
                          settings.wheel(), ruleSet);
}

std::optional<EntranceJudgement> judgeEntrance(const ChartElement &element, int index,
                                               const ZoneSettings &settings, const RuleSet &ruleSet)
{
    const ElementKind kind = kindOf(element.text);
    if (!isEntrance(kind) || isDeleted(element))
        return std::nullopt;
    return judgeKnownEntrance(element, index, kind, padaWheel(settings), ruleSet);
}

ZoneAnalysis analyseZones(const ChartTable &txtRoom, const ZoneSettings &settings,
                          const RuleSet &ruleSet, const RuleTable &table)
{
    ZoneAnalysis analysis;
    analysis.settings = settings;
    analysis.ruleSetName =
        settings.method == ZoneMethod::ByCorner ? std::string(kBuiltInRuleSetName) : ruleSet.name;
    const Wheel wheel = settings.wheel();
    const Wheel padas = padaWheel(settings);
    const std::vector<const KindVerdicts *> byKind = verdictsByKind(ruleSet, table);
    const RoomRules *firstKind = table.kinds().data();
    // Most elements of a full chart are rooms: one allocation rather than a doubling series.
    analysis.rooms.reserve(static_cast<std::size_t>(txtRoom.elementCount()));

    for (int i = 1; i <= txtRoom.elementCount(); ++i) {
        const ChartElement &element = txtRoom.at(i);
        if (isDeleted(element))
            continue;
        const ElementKind kind = kindOf(element.text);
        if (isEntrance(kind)) {
            if (auto entrance = judgeKnownEntrance(element, i, kind, padas, ruleSet))
                analysis.entrances.push_back(*entrance);
            // A room named as an entrance is the entrance, not a room.
            continue;
        }
        const RoomRules *rules = table.find(element.text);
        if (!rules)
            continue;
        auto room =
            judgeKnownRoom(element, i, *rules, byKind[static_cast<std::size_t>(rules - firstKind)],
                           settings, wheel, ruleSet);
        if (!room)
            continue;
        if (room->shares && room->shares->brahmasthan > 0)
            analysis.brahmasthanOccupants.push_back(analysis.rooms.size());
        analysis.rooms.push_back(std::move(*room));
    }
    return analysis;
}

} // namespace tessel
