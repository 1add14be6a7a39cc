// `tessel --report` end to end, as a script runs it: a fresh process per run, no display, a
// layout file as full as the chart allows, the report on standard output (thrown away) or
// written as a PDF, and a document traced over a full-colour scan of 6000 pixels a side to
// PDF. Goal: under 1 s for the full layout to standard output. And the zones of the full layout
// on the sixteen-zone wheel as JSON, through the command's own function in this process (the
// file read, analysed and its JSON written): goal under 1 s.

#include "app/report_command.h"
#include "plan_images.h"
#include "scattered_rooms.h"
#include "storage/layout_document.h"
#include "storage/layout_file.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

extern char **environ;

namespace {

std::string layoutOf(int rooms)
{
    tessel::ChartTable table;
    tessel::bench::addScatteredRooms(table, 100, rooms);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("tessel-bench-" + std::to_string(rooms) + ".txt"))
                                 .string();
    std::ofstream(path, std::ios::binary) << tessel::writeLayout(table);
    return path;
}

// A document of `rooms` rooms over a plan image of `side` pixels a side, shown at half.
std::string tracedDocumentOf(int rooms, int side)
{
    tessel::LayoutDocument document{"60", "30", tessel::Facing::North, {}};
    tessel::bench::addScatteredRooms(document.table, 100, rooms);
    const QByteArray png =
        tessel::testing::encoded(tessel::testing::fullColourImage({side, side}), "PNG");
    document.plan = {std::make_shared<const std::string>(png.toBase64().toStdString()), 50, true};
    const std::string path =
        (std::filesystem::temp_directory_path() / "tessel-bench-traced.tessel").string();
    std::ofstream(path, std::ios::binary) << tessel::writeLayoutDocument(document);
    return path;
}

void reportCommand(benchmark::State &state, int rooms, const char *output, int planSide = 0)
{
    const std::string layout = planSide > 0 ? tracedDocumentOf(rooms, planSide) : layoutOf(rooms);
    std::vector<std::string> arguments = {TESSEL_EXECUTABLE, "--report", layout};
    if (output) {
        arguments.push_back("--output");
        arguments.push_back((std::filesystem::temp_directory_path() / output).string());
    }
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    // No display, as on a build server.
    std::vector<char *> environment;
    for (char **variable = environ; *variable; ++variable) {
        const std::string text = *variable;
        if (!text.starts_with("DISPLAY=") && !text.starts_with("QT_QPA_PLATFORM=") &&
            !text.starts_with("WAYLAND_DISPLAY="))
            environment.push_back(*variable);
    }
    environment.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environment.data()) != 0) {
            state.SkipWithError("cannot start tessel");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("tessel --report failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    std::filesystem::remove(layout);
}

BENCHMARK_CAPTURE(reportCommand, fullLayoutToStandardOutput, tessel::ChartTable::kMaxIndex, nullptr)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(reportCommand, hundredRoomsToPdf, 100, "tessel-bench-report.pdf")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(reportCommand, hundredRoomsOverAPlanToPdf, 100, "tessel-bench-report.pdf", 6000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void zonesToJson(benchmark::State &state)
{
    const std::string layout = layoutOf(tessel::ChartTable::kMaxIndex);
    const std::string output =
        (std::filesystem::temp_directory_path() / "tessel-bench-zones.json").string();
    tessel::CommandLine::ReportArguments arguments{QString::fromStdString(layout),
                                                   QString::fromStdString(output)};
    arguments.zones.method = tessel::ZoneMethod::Wheel16;
    char name[] = "tessel";
    char *argv[] = {name, nullptr};
    for (auto _ : state) {
        if (tessel::runReportCommand(1, argv, arguments) != 0) {
            state.SkipWithError("tessel --report --zones 16 failed");
            break;
        }
    }
    state.counters["bytes"] = double(std::filesystem::file_size(output));
    std::filesystem::remove(layout);
    std::filesystem::remove(output);
}
BENCHMARK(zonesToJson)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
