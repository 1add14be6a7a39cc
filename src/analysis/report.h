#pragma once

#include "model/chart.h"

#include <string>
#include <string_view>

namespace tessel {

// The general paragraph in front of every report: one line of 725 characters, UTF-8, the
// report's only text outside plain ASCII (two en dashes).
inline constexpr std::string_view kIntroParagraph =
    "Vastu Shastra is the sublime elucidation of your surrounding environment and their "
    "influence on your life. Its roots lie in the Atharva Veda \u2013 one of the four Vedas of "
    "ancient India \u2013 where the sages set down the rules for building houses, temples and "
    "cities in tune with nature. It rests on the five elements, earth, fire, air, water and the "
    "sky, and teaches how to place every room so that these forces stay in balance within the "
    "house. Just as astrology reads the influence of the planets on a person, Vastu Shastra "
    "reads the influence of directions and spaces on the people who live within them. Followed "
    "with care, its principles bring health, wealth and peace, and lead the whole family to a "
    "better and harmonious life.";

// The report's title line: the title indented by blanks.
inline constexpr int kReportTitleIndent = 42;
inline constexpr std::string_view kReportTitle = "TESSEL ANALYSIS";

// Lines of the report are separated by CR LF.
inline constexpr std::string_view kLineBreak = "\r\n";

// The report on the chart's elements for a plot facing the cmbDirection entry `facing`:
// the introduction, the title line and one block per room of a known kind that lies in a
// zone, in index order, blocks separated by an empty line and no line break after the last.
// Doors, entrances, deleted rooms, boxes at left 4800 or beyond and rooms of other names
// are left out without a word.
std::string RunAnalysis(const ChartTable &txtRoom, int facing);

} // namespace tessel
