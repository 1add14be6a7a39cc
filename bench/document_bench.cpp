// The .tessel document with as many elements as the table holds (32767): writing it and
// reading it back from its bytes (goal: under 10 ms), and the same with a plan image of the
// largest size a layout keeps, whose base64 is copied as it is both ways.

#include "full_document.h"
#include "storage/layout_document.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace tessel;
using tessel::bench::fullDocument;

// The full document, with a plan image of kMaxPlanImageBytes as base64 or without one.
LayoutDocument documentToRead(bool withPlanImage)
{
    LayoutDocument document = fullDocument();
    if (!withPlanImage)
        return document;
    std::string base64((kMaxPlanImageBytes + 2) / 3 * 4, 'A');
    for (std::size_t i = 0; i < base64.size(); i += 7)
        base64[i] = "+/09az"[i % 6];
    // The last group stands for two bytes.
    base64.back() = '=';
    document.plan.base64 = std::make_shared<const std::string>(std::move(base64));
    return document;
}

void BM_WriteLayoutDocument(benchmark::State &state, bool withPlanImage)
{
    const LayoutDocument document = documentToRead(withPlanImage);
    for (auto _ : state)
        benchmark::DoNotOptimize(writeLayoutDocument(document));
}
BENCHMARK_CAPTURE(BM_WriteLayoutDocument, chart, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WriteLayoutDocument, withPlanImage, true)->Unit(benchmark::kMillisecond);

void BM_ReadLayoutDocument(benchmark::State &state, bool withPlanImage)
{
    const std::string bytes = writeLayoutDocument(documentToRead(withPlanImage));
    for (auto _ : state) {
        const DocumentReadResult read = readLayoutDocument(bytes);
        if (!read.document || read.document->table.elementCount() != ChartTable::kMaxIndex ||
            read.document->plan.isSet() != withPlanImage)
            state.SkipWithError("the document was not read whole");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK_CAPTURE(BM_ReadLayoutDocument, chart, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadLayoutDocument, withPlanImage, true)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
