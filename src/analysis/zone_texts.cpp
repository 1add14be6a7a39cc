#include "analysis/zone_texts.h"

#include "analysis/report.h"
#include "model/number.h"

#include <algorithm>
#include <charconv>

namespace tessel {

namespace {

struct ZoneShare
{
    WheelZone zone;
    double share;
};

// Largest first; the zones come in order from N, and a stable sort keeps that order in a tie,
// so that the main zone comes first.
std::vector<ZoneShare> sortedShares(const RoomShares &shares)
{
    std::vector<ZoneShare> sorted;
    for (int k = 0; k < kWheelZoneCount; ++k)
        if (shares.share[static_cast<std::size_t>(k)] > 0)
            sorted.push_back(
                {static_cast<WheelZone>(k), shares.share[static_cast<std::size_t>(k)]});
    std::stable_sort(sorted.begin(), sorted.end(), [](const ZoneShare &a, const ZoneShare &b) {
        return shareRank(a.share) > shareRank(b.share);
    });
    return sorted;
}

int wholePercent(double fraction)
{
    return static_cast<int>(roundHalfEven(fraction * 100));
}

std::string brahmasthanText(const RoomJudgement &room)
{
    if (!room.shares || room.shares->brahmasthan <= 0)
        return {};
    const int percent = wholePercent(room.shares->brahmasthan);
    std::string text = "; ";
    text += percent == 0 ? "under 1" : std::to_string(percent);
    text += " % in the Brahmasthan";
    if (room.inBrahmasthanAgainstRules)
        text += ", to be kept out";
    return text;
}

std::string_view entranceName(ElementKind kind)
{
    return kind == ElementKind::BackEntrance ? "Back Entrance" : "Main Entrance";
}

std::string padaText(const EntranceJudgement &entrance)
{
    if (!entrance.pada)
        return "at the plot's centre, no pada";
    return std::string(padaCode(*entrance.pada)) + " " + std::string(padaName(*entrance.pada)) +
           ", " + std::string(padaEffectName(entrance.effect));
}

// ---- A small JSON writer ------------------------------------------------------------------

void appendJsonString(std::string &out, std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
            ++i;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
            ++i;
        } else if (byte < 0x80) {
            out += static_cast<char>(byte);
            ++i;
        } else {
            // A name read from a hostile file may hold bytes that are no UTF-8: each such byte
            // becomes U+FFFD, so that the output stays valid JSON.
            const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC2 ? 2 : 0;
            bool valid = length != 0 && byte <= 0xF4 && i + length <= text.size();
            for (std::size_t c = 1; valid && c < length; ++c)
                valid = (static_cast<unsigned char>(text[i + c]) & 0xC0) == 0x80;
            if (valid && length >= 3) {
                // Neither overlong forms, surrogates nor code points beyond U+10FFFF.
                const auto second = static_cast<unsigned char>(text[i + 1]);
                if (byte == 0xE0)
                    valid = second >= 0xA0;
                else if (byte == 0xED)
                    valid = second < 0xA0;
                else if (byte == 0xF0)
                    valid = second >= 0x90;
                else if (byte == 0xF4)
                    valid = second < 0x90;
            }
            if (valid) {
                out.append(text.substr(i, length));
                i += length;
            } else {
                out += "\xEF\xBF\xBD";
                ++i;
            }
        }
    }
    out += '"';
}

// The shortest form that reads back as the same number, with a decimal point so that a
// fraction never reads as a whole number ("0.0", "1.0").
void appendJsonFraction(std::string &out, double value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    const std::string_view written(buffer, static_cast<std::size_t>(end - buffer));
    out += written;
    if (written.find_first_of(".e") == std::string_view::npos)
        out += ".0";
}

void appendKey(std::string &out, std::string_view key)
{
    appendJsonString(out, key);
    out += ": ";
}

template<typename Item, typename Append>
void appendJsonList(std::string &out, const std::vector<Item> &items, Append append)
{
    out += "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ", ";
        append(items[i]);
    }
    out += "]";
}

void appendRoomJson(std::string &out, const ChartTable &txtRoom, const RoomJudgement &room)
{
    out += "{";
    appendKey(out, "index");
    out += std::to_string(room.index);
    out += ", ";
    appendKey(out, "name");
    appendJsonString(out, txtRoom.at(room.index).text);
    if (room.shares) {
        out += ", ";
        appendKey(out, "shares");
        out += "{";
        bool first = true;
        for (int k = 0; k < kWheelZoneCount; ++k) {
            const double share = room.shares->share[static_cast<std::size_t>(k)];
            if (share <= 0)
                continue;
            if (!first)
                out += ", ";
            first = false;
            appendKey(out, wheelZoneName(static_cast<WheelZone>(k)));
            appendJsonFraction(out, share);
        }
        out += "}";
    }
    out += ", ";
    appendKey(out, "mainZone");
    appendJsonString(out, wheelZoneName(room.mainZone));
    out += ", ";
    appendKey(out, "verdict");
    appendJsonString(out, verdictName(room.verdict));
    if (room.shares) {
        out += ", ";
        appendKey(out, "brahmasthan");
        appendJsonFraction(out, room.shares->brahmasthan);
    }
    out += "}";
}

void appendEntranceJson(std::string &out, const EntranceJudgement &entrance)
{
    out += "{";
    appendKey(out, "index");
    out += std::to_string(entrance.index);
    out += ", ";
    appendKey(out, "kind");
    appendJsonString(out, entranceName(entrance.kind));
    for (const std::string_view key : {"pada", "name", "effect"}) {
        out += ", ";
        appendKey(out, key);
        if (!entrance.pada) {
            out += "null";
            continue;
        }
        const int pada = *entrance.pada;
        appendJsonString(out, key == "pada"   ? padaCode(pada)
                              : key == "name" ? padaName(pada)
                                              : padaEffectName(entrance.effect));
    }
    out += "}";
}

} // namespace

std::string sharesText(const RoomShares &shares)
{
    std::string text;
    for (const ZoneShare &entry : sortedShares(shares)) {
        const int percent = wholePercent(entry.share);
        if (percent == 0)
            continue;
        if (!text.empty())
            text += ", ";
        text += wheelZoneName(entry.zone);
        text += ' ';
        text += std::to_string(percent);
        text += " %";
    }
    return text;
}

std::string roomStatusText(std::string_view text, const RoomJudgement &room)
{
    std::string status(text);
    status += ": ";
    status += room.shares ? sharesText(*room.shares) : std::string(wheelZoneName(room.mainZone));
    status += ", ";
    status += verdictName(room.verdict);
    status += brahmasthanText(room);
    return status;
}

std::string entranceStatusText(const EntranceJudgement &entrance)
{
    return std::string(entranceName(entrance.kind)) + ": " + padaText(entrance);
}

std::string zoneStatusText(const ChartElement &element, int index, const ZoneSettings &settings,
                           const RuleSet &ruleSet, const RuleTable &table)
{
    if (const auto entrance = judgeEntrance(element, index, settings, ruleSet))
        return entranceStatusText(*entrance);
    if (const auto room = judgeRoom(element, index, settings, ruleSet, table))
        return roomStatusText(element.text, *room);
    return {};
}

std::string zoneReportSection(const ChartTable &txtRoom, const ZoneAnalysis &analysis)
{
    const ZoneSettings &settings = analysis.settings;
    if (settings.method == ZoneMethod::ByCorner)
        return {};
    std::string section;
    const auto line = [&section](std::string_view text) {
        section += kLineBreak;
        section += text;
    };
    line("");
    line(std::string(kReportTitleIndent, ' ') + "ZONE WHEEL");
    line("");
    line(std::to_string(wheelZoneCount(settings.method)) +
         " zones from the plot's centre, bearing " + formatBearing(settings.bearing) +
         " degrees, rule set: " + analysis.ruleSetName);
    line("");
    if (analysis.rooms.empty())
        line("No room lies in a zone.");
    for (const RoomJudgement &room : analysis.rooms) {
        line(txtRoom.at(room.index).text + ": " + sharesText(*room.shares) + "; main zone " +
             std::string(wheelZoneName(room.mainZone)) + ", " +
             std::string(verdictName(room.verdict)));
    }
    line("");
    std::string centre = "Brahmasthan: ";
    if (analysis.brahmasthanOccupants.empty())
        centre += "free";
    for (std::size_t n = 0; n < analysis.brahmasthanOccupants.size(); ++n) {
        const RoomJudgement &room = analysis.rooms[analysis.brahmasthanOccupants[n]];
        const int percent = wholePercent(room.shares->brahmasthan);
        if (n > 0)
            centre += ", ";
        centre += txtRoom.at(room.index).text + " " +
                  (percent == 0 ? std::string("under 1") : std::to_string(percent)) + " %";
        if (room.inBrahmasthanAgainstRules)
            centre += " (to be kept out)";
    }
    line(centre);
    line("");
    if (analysis.entrances.empty())
        line("No entrance is on the chart.");
    for (const EntranceJudgement &entrance : analysis.entrances)
        line(entranceStatusText(entrance));
    return section;
}

std::string reportWithZones(const ChartTable &txtRoom, const ZoneAnalysis &analysis)
{
    std::string report = RunAnalysis(txtRoom, analysis.settings.facing);
    std::string section = zoneReportSection(txtRoom, analysis);
    // A report without room blocks ends with its empty line already.
    const std::string emptyLine = std::string(kLineBreak) + std::string(kLineBreak);
    if (report.ends_with(emptyLine) && section.starts_with(emptyLine))
        section.erase(0, emptyLine.size());
    return report + section;
}

std::string zoneAnalysisJson(const ChartTable &txtRoom, const ZoneAnalysis &analysis)
{
    const ZoneSettings &settings = analysis.settings;
    std::string out;
    // About a hundred bytes a room: one allocation for a full chart's worth.
    out.reserve(256 + analysis.rooms.size() * 160 + analysis.entrances.size() * 100);
    out += "{";
    appendKey(out, "bearing");
    // Always with its one decimal: 0.0, 17.5.
    out += std::to_string(settings.bearing.tenths() / 10);
    out += '.';
    out += static_cast<char>('0' + settings.bearing.tenths() % 10);
    out += ", ";
    appendKey(out, "zones");
    if (settings.method == ZoneMethod::ByCorner)
        appendJsonString(out, zoneMethodName(settings.method));
    else
        out += zoneMethodName(settings.method);
    out += ", ";
    appendKey(out, "rules");
    appendJsonString(out, analysis.ruleSetName);
    out += ", ";
    appendKey(out, "rooms");
    appendJsonList(out, analysis.rooms,
                   [&](const RoomJudgement &room) { appendRoomJson(out, txtRoom, room); });
    out += ", ";
    appendKey(out, "entrances");
    appendJsonList(out, analysis.entrances,
                   [&](const EntranceJudgement &entrance) { appendEntranceJson(out, entrance); });
    out += "}";
    return out;
}

} // namespace tessel
