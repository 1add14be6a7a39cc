// Start-up to the first painted frame: frmMain, started as the program starts it, against a
// bare Qt window with one label started the same way. Each run is a fresh process, spawned
// headless with a runtime folder of its own, timed from the spawn to the moment of its first
// frame, which the process reports on its standard output. The goal is a
// start-up within 1.3 times that of the bare window; the figures and the ratio are printed at
// the end.

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

// The seconds from spawn to first frame of every timed run.
std::vector<double> g_bare;
std::vector<double> g_window;

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

    // Seconds from the spawn of `program` to its first frame; negative when it failed.
    double run(const char *program)
    {
        int output[2];
        if (pipe(output) != 0)
            return -1;
        // Standard output carries the moment of the first frame; the programs' warnings
        // would drown the figures.
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, output[0]);

        char *arguments[] = {const_cast<char *>(program), nullptr};
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        const int spawned =
            posix_spawn(&pid, program, &actions, nullptr, arguments, m_environment.data());
        posix_spawn_file_actions_destroy(&actions);
        close(output[1]);
        if (spawned != 0) {
            close(output[0]);
            return -1;
        }
        std::string reported;
        char buffer[256];
        for (ssize_t n; (n = read(output[0], buffer, sizeof buffer)) > 0;)
            reported.append(buffer, std::size_t(n));
        close(output[0]);
        int status = 0;
        if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return -1;
        const long long frame = std::atoll(reported.c_str());
        if (frame <= 0)
            return -1;
        const auto firstFrame =
            std::chrono::steady_clock::time_point(std::chrono::nanoseconds(frame));
        return std::chrono::duration<double>(firstFrame - start).count();
    }

private:
    std::string m_runtime;
    std::vector<std::string> m_variables;
    std::vector<char *> m_environment;
};

double median(std::vector<double> values);

// Each iteration starts the bare window and frmMain one right after the other, so that both
// meet the same state of the machine; the iteration's time is frmMain's.
void startUpBoth(benchmark::State &state)
{
    Launcher launcher;
    // One untimed start of each first, so that both meet warm file caches.
    if (!launcher.isReady() || launcher.run(TESSEL_BARE_WINDOW) < 0 ||
        launcher.run(TESSEL_MAIN_WINDOW) < 0) {
        state.SkipWithError("the programs could not be started");
        return;
    }
    for (auto _ : state) {
        const double bare = launcher.run(TESSEL_BARE_WINDOW);
        const double window = launcher.run(TESSEL_MAIN_WINDOW);
        if (bare < 0 || window < 0) {
            state.SkipWithError("a program failed");
            break;
        }
        state.SetIterationTime(window);
        g_bare.push_back(bare);
        g_window.push_back(window);
    }
    state.counters["bare_ms"] = median(g_bare) * 1e3;
    state.counters["ratio"] = median(g_window) / median(g_bare);
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
    ->Name("StartUpToFirstPaint/frmMainAfterBareWindow")
    ->Iterations(40)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    if (g_bare.empty() || g_window.empty())
        return 0;
    const double bareMedian = median(g_bare) * 1e3;
    const double mainMedian = median(g_window) * 1e3;
    const double ratio = mainMedian / bareMedian;
    std::printf("\nStart-up to first paint (median of %zu and %zu runs):\n"
                "  bare window %8.1f ms (mean %.1f)\n"
                "  frmMain     %8.1f ms (mean %.1f)\n"
                "  ratio       %8.2f (goal: at most %.1f) %s\n",
                g_bare.size(), g_window.size(), bareMedian, mean(g_bare) * 1e3, mainMedian,
                mean(g_window) * 1e3, ratio, kGoal, ratio <= kGoal ? "met" : "NOT MET");
    return 0;
}
