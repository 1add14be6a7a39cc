// Start-up to the first painted frame: frmMain, started as the program starts it, against a
// bare Qt window with one label started the same way. Each run is a fresh process, spawned
// headless with a runtime folder of its own, timed from the spawn to its exit. The goal is a
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
#include <map>
#include <numeric>
#include <string>
#include <vector>

extern char **environ;

namespace {

constexpr double kGoal = 1.3;

// The seconds of every timed run, by program.
std::map<std::string, std::vector<double>> g_seconds;

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
        // The programs' warnings would drown the figures.
        posix_spawn_file_actions_init(&m_quiet);
        posix_spawn_file_actions_addopen(&m_quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&m_quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        for (char **variable = environ; *variable; ++variable) {
            if (std::strncmp(*variable, "QT_QPA_PLATFORM=", 16) != 0 &&
                std::strncmp(*variable, "XDG_RUNTIME_DIR=", 16) != 0)
                m_variables.emplace_back(*variable);
        }
        m_variables.emplace_back("QT_QPA_PLATFORM=offscreen");
        m_variables.emplace_back("XDG_RUNTIME_DIR=" + m_runtime);
        for (std::string &variable : m_variables)
            m_environment.push_back(variable.data());
        m_environment.push_back(nullptr);
    }
    ~Launcher()
    {
        posix_spawn_file_actions_destroy(&m_quiet);
        if (!m_runtime.empty())
            std::filesystem::remove_all(m_runtime);
    }

    bool isReady() const { return !m_runtime.empty(); }

    // Seconds from the spawn of `program` to its exit; negative when it failed.
    double run(const char *program)
    {
        char *arguments[] = {const_cast<char *>(program), nullptr};
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, program, &m_quiet, nullptr, arguments, m_environment.data()) != 0)
            return -1;
        int status = 0;
        if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return -1;
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

private:
    std::string m_runtime;
    posix_spawn_file_actions_t m_quiet;
    std::vector<std::string> m_variables;
    std::vector<char *> m_environment;
};

void startUp(benchmark::State &state, const char *program)
{
    Launcher launcher;
    // One untimed start first, so that both programs meet warm file caches.
    if (!launcher.isReady() || launcher.run(program) < 0) {
        state.SkipWithError("the program could not be started");
        return;
    }
    std::vector<double> &seconds = g_seconds[program];
    for (auto _ : state) {
        const double elapsed = launcher.run(program);
        if (elapsed < 0) {
            state.SkipWithError("the program failed");
            break;
        }
        state.SetIterationTime(elapsed);
        seconds.push_back(elapsed);
    }
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

BENCHMARK_CAPTURE(startUp, bareWindow, TESSEL_BARE_WINDOW)
    ->Name("StartUpToFirstPaint/bareWindow")
    ->Iterations(30)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startUp, frmMain, TESSEL_MAIN_WINDOW)
    ->Name("StartUpToFirstPaint/frmMain")
    ->Iterations(30)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const auto bare = g_seconds.find(TESSEL_BARE_WINDOW);
    const auto window = g_seconds.find(TESSEL_MAIN_WINDOW);
    if (bare == g_seconds.end() || window == g_seconds.end() || bare->second.empty() ||
        window->second.empty())
        return 0;
    const double bareMedian = median(bare->second) * 1e3;
    const double mainMedian = median(window->second) * 1e3;
    const double ratio = mainMedian / bareMedian;
    std::printf("\nStart-up to first paint (median of %zu and %zu runs):\n"
                "  bare window %8.1f ms (mean %.1f)\n"
                "  frmMain     %8.1f ms (mean %.1f)\n"
                "  ratio       %8.2f (goal: at most %.1f) %s\n",
                bare->second.size(), window->second.size(), bareMedian, mean(bare->second) * 1e3,
                mainMedian, mean(window->second) * 1e3, ratio, kGoal,
                ratio <= kGoal ? "met" : "NOT MET");
    return 0;
}
