// The .tessel document with as many elements as the table holds (32767): writing it and
// reading it back from its bytes.

#include "full_document.h"
#include "storage/layout_document.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tessel;
using tessel::bench::fullDocument;

void BM_WriteLayoutDocument(benchmark::State &state)
{
    const LayoutDocument document = fullDocument();
    for (auto _ : state)
        benchmark::DoNotOptimize(writeLayoutDocument(document));
}
BENCHMARK(BM_WriteLayoutDocument)->Unit(benchmark::kMillisecond);

void BM_ReadLayoutDocument(benchmark::State &state)
{
    const std::string bytes = writeLayoutDocument(fullDocument());
    for (auto _ : state) {
        const DocumentReadResult read = readLayoutDocument(bytes);
        if (!read.document || read.document->table.elementCount() != ChartTable::kMaxIndex)
            state.SkipWithError("the document was not read whole");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ReadLayoutDocument)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
