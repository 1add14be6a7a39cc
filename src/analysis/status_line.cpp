#include "analysis/status_line.h"

#include "analysis/rule_table.h"
#include "analysis/verdict.h"
#include "analysis/zone.h"
#include "model/number.h"

#include <cmath>

namespace tessel {

namespace {

constexpr const char *kSeparator = " | ";

// Feet to two decimals at most: 8.333... shows as 8.33, 10.0 as 10.
std::string feet(double value)
{
    const double rounded = std::round(value * 100) / 100;
    return formatNumber(rounded == 0 ? 0 : rounded);
}

const char *openingName(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Door:
        return "Door";
    case ElementKind::MainEntrance:
        return "Main Entrance";
    case ElementKind::BackEntrance:
        return "Back Entrance";
    case ElementKind::Room:
    case ElementKind::DeletedDoor:
    case ElementKind::DeletedEntrance:
        break;
    }
    return nullptr;
}

} // namespace

std::string statusText(const Editor &editor, int index, int facing, const RuleTable &rules,
                       bool withVerdict)
{
    const ChartTable &table = editor.txtRoom;
    if (!editor.scales.isSet() || index < 1 || index > table.elementCount())
        return {};
    const ChartElement &element = table.at(index);
    if (!element.enabled || !element.visible)
        return {};

    const std::string corner = "corner " + feet(chartToWidth(element.left, editor.scales)) +
                               " ft right, " + feet(chartToLength(element.top, editor.scales)) +
                               " ft down";
    const ElementKind kind = kindOf(element.text);
    if (kind != ElementKind::Room) {
        const char *name = openingName(kind);
        if (!name)
            return {};
        // An opening runs along one axis: its length is its one extent.
        const double length = element.height == 0 ? chartToWidth(element.width, editor.scales)
                                                  : chartToLength(element.height, editor.scales);
        return std::string(name) + kSeparator + feet(length) + " ft" + kSeparator + corner;
    }

    std::string text =
        element.text + kSeparator + feet(chartToLength(element.height, editor.scales)) + " x " +
        feet(chartToWidth(element.width, editor.scales)) + " ft" + kSeparator + corner;
    std::optional<Zone> zone;
    if (facing >= 0 && facing <= 3) {
        zone = ClassifyZone(element.left, element.top, facing);
        text += kSeparator;
        text += zone ? zoneSentence(*zone) : "in no zone";
    }
    const RoomRules *kindRules = rules.find(element.text);
    if (kindRules && kindRules->bestZone) {
        text += kSeparator;
        text += "best: ";
        text += zoneName(*kindRules->bestZone);
    }
    if (withVerdict && kindRules && zone) {
        text += kSeparator;
        text += verdictName(judge(*kindRules, *zone));
    }
    return text;
}

} // namespace tessel
