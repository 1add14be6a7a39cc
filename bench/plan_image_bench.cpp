// Plan images at the limits of a layout (10000 pixels a side, full colour): the time to check
// and decode one for the chart, and the peak memory of a fresh process that does only that,
// against one that reads the same bytes and decodes nothing. Goal: under 100 MB, against the
// 400 MB of the image decoded whole (which Qt's readers refuse by default).

#include "plan_images.h"
#include "probe_output.h"
#include "ui/plan_image_decoder.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

// The image files, made once: a full-colour picture drawn at its full size and encoded.
const QByteArray &imageFile(const char *format, int side)
{
    static std::map<std::pair<std::string, int>, QByteArray> made;
    QByteArray &bytes = made[{format, side}];
    if (bytes.isEmpty())
        bytes = tessel::testing::encoded(tessel::testing::fullColourImage({side, side}), format);
    return bytes;
}

void decodePlan(benchmark::State &state, const char *format, int side)
{
    const QByteArray &bytes = imageFile(format, side);
    for (auto _ : state) {
        const tessel::DecodedPlanImage plan = tessel::decodePlanImage(bytes);
        if (plan.image.isNull()) {
            state.SkipWithError(plan.refusal.c_str());
            return;
        }
        benchmark::DoNotOptimize(plan.image.constBits());
    }
    state.counters["file_MB"] = double(bytes.size()) / (1024 * 1024);
}

// Peak resident MiB of this program run as `--peak-of FILE decode|read`; negative on failure.
double peakMiB(const QString &file, const char *what)
{
    const long kib =
        tessel::bench::numberPrintedBy(QCoreApplication::applicationFilePath().toStdString() +
                                       " --peak-of '" + file.toStdString() + "' " + what);
    return kib < 0 ? -1 : double(kib) / 1024;
}

void peakMemory(benchmark::State &state, const char *format, int side)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("plan");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(imageFile(format, side)) < 0) {
        state.SkipWithError("cannot write the image file");
        return;
    }
    file.close();
    double decoding = 0;
    double reading = 0;
    for (auto _ : state) {
        decoding = peakMiB(path, "decode");
        reading = peakMiB(path, "read");
        if (decoding < 0 || reading < 0) {
            state.SkipWithError("the probe failed");
            return;
        }
    }
    state.counters["peak_MiB"] = decoding;
    state.counters["decoding_MiB"] = decoding - reading;
}

// The probe: reads the file and decodes it, or not, then tells its peak resident KiB.
int probe(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = file.readAll();
    if (std::strcmp(argv[3], "decode") == 0 && tessel::decodePlanImage(bytes).image.isNull())
        return 1;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
}

} // namespace

BENCHMARK_CAPTURE(decodePlan, png10000, "PNG", 10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decodePlan, jpeg10000, "JPEG", 10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decodePlan, png6000, "PNG", 6000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, png10000, "PNG", 10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, jpeg10000, "JPEG", 10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], "--peak-of") == 0)
        return probe(argc, argv);
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
