#pragma once

// What the chart benchmarks share: a full chart and a main that can paint.

#include "model/chart.h"
#include "tiled_chart.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

// A chart as full as the table allows.
inline tessel::ChartTable fullChart()
{
    tessel::ChartTable table;
    tileRooms(table, tessel::ChartTable::kMaxIndex);
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
