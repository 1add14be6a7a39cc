#pragma once

#include "model/editor.h"

#include <string>

namespace tessel {

class RuleTable;

// What the main window's status bar says about element `index` of the chart on a plot facing
// the cmbDirection entry `facing`:
//   "Kitchen | 10 x 5 ft | corner 5 ft right, 20 ft down | Is in the North direction. |
//    best: South East"
// A room gives its name, its size in feet (length by width), where its top-left corner lies
// from the chart's top-left corner, its zone as the report names it ("in no zone" where it has
// none) and its kind's best zone where the rule table names one; a door or an entrance gives
// its kind and length. Empty before the plot is measured, for index 0 and for deleted or
// hidden elements. Without a facing the zone is left out. With `withVerdict` a judged room's
// verdict follows ("| move advised").
std::string statusText(const Editor &editor, int index, int facing, const RuleTable &rules,
                       bool withVerdict = false);

} // namespace tessel
