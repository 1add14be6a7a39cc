#pragma once

// Houses for the arrangement adviser: the rooms of the catalogue at plausible sizes, laid out
// in rows from the plot's top-left corner as a first sketch would have them.

#include "analysis/arrangement.h"
#include "analysis/rule_table.h"
#include "model/chart.h"
#include "model/plot.h"

#include <array>
#include <string>
#include <vector>

namespace tessel::bench {

struct RoomSize
{
    const char *name;
    double length, width; // feet: along the plot's length (down) and width (across)
};

// The catalogue, about 70 % of a 60 by 40 ft plot.
inline constexpr std::array<RoomSize, 13> kCatalogueHouse = {{
    {"Master BedRoom", 14, 12},
    {"Study Room", 10, 10},
    {"Kitchen", 10, 12},
    {"Bath Room", 8, 6},
    {"Children BedRoom", 12, 12},
    {"Dining Room", 10, 12},
    {"Store Room", 6, 8},
    {"Puja Room", 6, 6},
    {"Living Room", 14, 16},
    {"Guest Room", 12, 10},
    {"Hall", 12, 16},
    {"Family Room", 12, 14},
    {"Drawing Room", 12, 14},
}};

// Lays the rooms out in rows across the plot, each row as deep as its deepest room, and
// gives each room a door on its top wall. Rooms that no longer fit are left out.
inline ChartTable rowsOfRooms(const std::vector<RoomSize> &rooms, const Scales &scales,
                              bool withDoors = true)
{
    ChartTable table;
    double x = 0, y = 0, rowDepth = 0;
    for (const RoomSize &size : rooms) {
        const double width = widthToChart(size.width, scales);
        const double height = lengthToChart(size.length, scales);
        if (x + width > kChartExtent) {
            x = 0;
            y += rowDepth;
            rowDepth = 0;
        }
        if (y + height > kChartExtent)
            break;
        const int index = *table.createElement();
        ChartElement &room = table.at(index);
        room.text = size.name;
        room.left = float(x);
        room.top = float(y);
        room.width = float(width);
        room.height = float(height);
        room.visible = true;
        if (withDoors) {
            ChartElement &door = table.at(*table.createElement());
            door.text = "";
            door.left = float(x + width / 4);
            door.top = float(y);
            door.width = float(width / 4);
            door.height = 0;
            door.visible = true;
        }
        x += width;
        rowDepth = std::max(rowDepth, height);
    }
    return table;
}

inline Scales plotScales(double lengthFeet, double widthFeet)
{
    return {lengthFeet / kRulerDivisions, widthFeet / kRulerDivisions};
}

// The catalogue house on a 60 by 40 ft plot facing North.
inline ArrangementRequest catalogueRequest(const RuleTable &rules, bool snap = false)
{
    const Scales scales = plotScales(40, 60);
    ArrangementRequest request{
        rowsOfRooms({kCatalogueHouse.begin(), kCatalogueHouse.end()}, scales),
        scales,
        ArrangementJudge::byCorner(rules, 0),
        {}};
    request.snapToFeet = snap;
    return request;
}

// `count` rooms of the catalogue's kinds in turn, at three quarters of the catalogue house's
// sizes, on a plot facing North (80 by 60 ft unless told).
inline ArrangementRequest manyRoomsRequest(const RuleTable &rules, int count,
                                           Scales scales = plotScales(80, 60))
{
    std::vector<RoomSize> rooms;
    for (int i = 0; i < count; ++i) {
        const RoomSize &size = kCatalogueHouse[std::size_t(i) % kCatalogueHouse.size()];
        rooms.push_back({size.name, size.length * 0.75, size.width * 0.75});
    }
    return {rowsOfRooms(rooms, scales), scales, ArrangementJudge::byCorner(rules, 0), {}};
}

} // namespace tessel::bench
