#pragma once

// What the chart benchmarks share: a full chart and a main that can paint.

#include "model/chart.h"
#include "tiled_chart.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

// A chart as full as the table allows.
inline tessel::ChartTable fullChart()
{
    tessel::ChartTable table;
    tileRooms(table, tessel::ChartTable::kMaxIndex);
    return table;
}

// A 4000 x 4000 plan image, as the chart widget keeps it: scaled once to the chart's pixels.
inline QImage planImageAt(int side)
{
    QImage plan(4000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < plan.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(plan.scanLine(y));
        for (int x = 0; x < plan.width(); ++x)
            line[x] = qRgb(x % 256, y % 256, (x ^ y) % 256);
    }
    return plan.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
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
