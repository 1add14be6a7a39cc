#pragma once

// What the chart benchmarks share: a full chart and a main that can paint.

#include "model/chart.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

// A chart as full as the table allows: rooms of 100 x 100 twips tiled over the plot, then
// stacked again where the tiles run out.
inline tessel::ChartTable fullChart()
{
    tessel::ChartTable table;
    int i = 0;
    while (const auto index = table.createElement()) {
        tessel::ChartElement &element = table.at(*index);
        element.text = "Room";
        element.left = float((i % 48) * 100);
        element.top = float((i / 48 % 48) * 100);
        element.width = 100;
        element.height = 100;
        element.visible = true;
        ++i;
    }
    return table;
}

// Runs the benchmarks of a program that paints: painting needs fonts and a paint device, not
// a display.
inline int runPaintingBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
