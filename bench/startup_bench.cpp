// Start-up as a user waits for it: the shipped program, `tessel --quit-after-first-frame`,
// against a bare Qt main window with one label that ends the same way. Each run is a fresh
// process, spawned with a runtime folder of its own (so the single-instance lock never
// meets another run's), and is timed from the spawn to the end of the process: loading,
// start-up, the first complete frame and shutting down, as hyperfine would time the same two
// commands. The goal is a start-up within 1.3 times that of the bare window; the figures and
// the ratio are printed at the end.
//
// The bare window is also started at the size of Tessel's window: a larger window costs a
// larger backing store, whose pages are all written by the first frame. Against that one,
// what is left is what the program itself does: its libraries, its widgets and their paint.

#include "ui/frm_main.h"
#include "ui/qt_dialogs.h"
#include "ui/style.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

extern char **environ;

namespace {

constexpr double kGoal = 1.3;
constexpr const char *kQuitOption = "--quit-after-first-frame";

// The seconds from spawn to end of every timed run.
std::vector<double> g_bare;
std::vector<double> g_bareAtTesselsSize;
std::vector<double> g_window;
// "WIDTHxHEIGHT" of Tessel's window as it starts.
std::string g_tesselsSize;

class Launcher
{
public:
    Launcher()
    {
        // A user's runtime folder is a tmpfs; so is /dev/shm, where there is one.
        std::string folder = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        folder += "/tessel-bench-XXXXXX";
        if (mkdtemp(folder.data()))
            m_runtime = folder;
        // Both start on the display the benchmark itself was given (run it under xvfb-run to
        // start them as on a desktop), or headless where it has none.
        const bool hasDisplay = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
        for (char **variable = environ; *variable; ++variable) {
            if (std::strncmp(*variable, "XDG_RUNTIME_DIR=", 16) != 0 &&
                (hasDisplay || std::strncmp(*variable, "QT_QPA_PLATFORM=", 16) != 0))
                m_variables.emplace_back(*variable);
        }
        if (!hasDisplay)
            m_variables.emplace_back("QT_QPA_PLATFORM=offscreen");
        m_variables.emplace_back("XDG_RUNTIME_DIR=" + m_runtime);
        for (std::string &variable : m_variables)
            m_environment.push_back(variable.data());
        m_environment.push_back(nullptr);
    }
    ~Launcher()
    {
        if (!m_runtime.empty())
            std::filesystem::remove_all(m_runtime);
    }

    bool isReady() const { return !m_runtime.empty(); }

    // Seconds from the spawn of `program` with `argument` (may be null) to its end; negative
    // when it failed.
    double run(const char *program, const char *argument = nullptr)
    {
        // The programs' output and warnings would drown the figures.
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

        char *arguments[] = {const_cast<char *>(program), const_cast<char *>(argument), nullptr};
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        const int spawned =
            posix_spawn(&pid, program, &actions, nullptr, arguments, m_environment.data());
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0)
            return -1;
        int status = 0;
        const bool ended = waitpid(pid, &status, 0) == pid;
        const auto end = std::chrono::steady_clock::now();
        if (!ended || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return -1;
        return std::chrono::duration<double>(end - start).count();
    }

private:
    std::string m_runtime;
    std::vector<std::string> m_variables;
    std::vector<char *> m_environment;
};

double median(std::vector<double> values);
double mean(const std::vector<double> &values);

// Each iteration starts the bare window and Tessel one right after the other, so that both
// meet the same state of the machine; the iteration's time is Tessel's.
void startUpBoth(benchmark::State &state)
{
    Launcher launcher;
    // One untimed start of each first, so that both meet warm file caches.
    const char *const size = g_tesselsSize.c_str();
    if (!launcher.isReady() || launcher.run(TESSEL_BARE_WINDOW) < 0 ||
        launcher.run(TESSEL_BARE_WINDOW, size) < 0 ||
        launcher.run(TESSEL_PROGRAM, kQuitOption) < 0) {
        state.SkipWithError("the programs could not be started");
        return;
    }
    for (auto _ : state) {
        const double bare = launcher.run(TESSEL_BARE_WINDOW);
        const double bareAtTesselsSize = launcher.run(TESSEL_BARE_WINDOW, size);
        const double window = launcher.run(TESSEL_PROGRAM, kQuitOption);
        if (bare < 0 || bareAtTesselsSize < 0 || window < 0) {
            state.SkipWithError("a program failed");
            break;
        }
        state.SetIterationTime(window);
        g_bare.push_back(bare);
        g_bareAtTesselsSize.push_back(bareAtTesselsSize);
        g_window.push_back(window);
    }
    state.counters["bare_ms"] = median(g_bare) * 1e3;
    state.counters["bare_at_tessels_size_ms"] = median(g_bareAtTesselsSize) * 1e3;
    state.counters["ratio"] = median(g_window) / median(g_bare);
    // hyperfine compares means.
    state.counters["ratio_of_means"] = mean(g_window) / mean(g_bare);
}

// The size Tessel's window starts at, on the platform the programs are started on.
std::string tesselsWindowSize(int argc, char *argv[])
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tessel::installLook();
    tessel::QtDialogs dialogs;
    tessel::FrmMain window(dialogs);
    window.show();
    QApplication::processEvents();
    return std::to_string(window.width()) + "x" + std::to_string(window.height());
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double mean(const std::vector<double> &values)
{
    return std::accumulate(values.begin(), values.end(), 0.0) / double(values.size());
}

} // namespace

BENCHMARK(startUpBoth)
    ->Name("StartUpToFirstFrame/TesselAfterBareWindow")
    ->Iterations(40)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    g_tesselsSize = tesselsWindowSize(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    if (g_bare.empty() || g_window.empty())
        return 0;
    const double bareMedian = median(g_bare) * 1e3;
    const double sizedMedian = median(g_bareAtTesselsSize) * 1e3;
    const double mainMedian = median(g_window) * 1e3;
    const double ratio = mainMedian / bareMedian;
    std::printf(
        "\nSpawn to end after the first complete frame (median of %zu runs each):\n"
        "  bare window              %8.1f ms (mean %.1f)\n"
        "  bare window at %-9s %8.1f ms (mean %.1f)\n"
        "  tessel                   %8.1f ms (mean %.1f)\n"
        "  ratio                    %8.2f (goal: at most %.1f) %s; of the means %.2f\n"
        "  beyond the bare window %.1f ms: the window's area %.1f, the program's own work %.1f\n",
        g_window.size(), bareMedian, mean(g_bare) * 1e3, g_tesselsSize.c_str(), sizedMedian,
        mean(g_bareAtTesselsSize) * 1e3, mainMedian, mean(g_window) * 1e3, ratio, kGoal,
        ratio <= kGoal ? "met" : "NOT MET", mean(g_window) / mean(g_bare), mainMedian - bareMedian,
        sizedMedian - bareMedian, mainMedian - sizedMedian);
    return 0;
}
