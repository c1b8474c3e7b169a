// Start-up against a bare Qt hub window. Both programs are started in turn,
// program then window, each offscreen with TOLVAN_READY_PROBE set, so that
// each prints the monotonic clock once its window has painted and the event
// loop has had one free pass, and quits. A run's start-up is that moment
// minus the moment just before the process was spawned; its peak memory is
// the child's maximum resident set. Prints both medians and their ratios
// (the median of the run-by-run ratios, which keeps a drifting machine
// speed out of the figure). It measures and never judges.
//
//   bench_startup [--runs N] [PROGRAM HUBWINDOW]

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kDefaultRuns = 15;
constexpr int kMinRuns = 10;
constexpr int kTimeoutMs = 20000;

struct Run {
    double startupMs = 0;
    double peakMiB = 0;
};

long long monotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// One start of `program`; nothing when it did not report its first paint.
std::optional<Run> startOnce(const std::string& program)
{
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    char* argv[] = { const_cast<char*>(program.c_str()), nullptr };

    pid_t child = 0;
    const long long started = monotonicNs();
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        std::fprintf(stderr, "bench_startup: cannot start %s: %s\n", program.c_str(), std::strerror(spawned));
        return std::nullopt;
    }

    std::string text;
    char buffer[256];
    pollfd wait { out[0], POLLIN, 0 };
    while (poll(&wait, 1, kTimeoutMs) > 0) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<size_t>(n));
    }
    close(out[0]);
    if (text.find("ready ") == std::string::npos)
        kill(child, SIGKILL);
    int status = 0;
    rusage usage {};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) { }

    const size_t at = text.find("ready ");
    if (at == std::string::npos) {
        std::fprintf(stderr, "bench_startup: %s did not report its first paint\n", program.c_str());
        return std::nullopt;
    }
    const long long ready = std::atoll(text.c_str() + at + 6);
    return Run { (ready - started) / 1e6, usage.ru_maxrss / 1024.0 };
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Figures {
    std::vector<double> startup, peak;
};

void printRow(const char* name, const Figures& f)
{
    const auto [low, high] = std::minmax_element(f.startup.begin(), f.startup.end());
    std::printf("  %-12s %7.1f ms  (%.1f .. %.1f)   peak memory %5.1f MiB\n", name, median(f.startup), *low, *high,
        median(f.peak));
}

} // namespace

int main(int argc, char* argv[])
{
    int runs = kDefaultRuns;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(kMinRuns, std::atoi(argv[++i]));
        else
            programs.emplace_back(argv[i]);
    }
    if (programs.empty())
        programs = { TOLVAN_PROGRAM, TOLVAN_HUB_WINDOW };
    if (programs.size() != 2) {
        std::fprintf(stderr, "usage: bench_startup [--runs N] [PROGRAM HUBWINDOW]\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("TOLVAN_READY_PROBE", "1", 1);

    // One start of each first, not counted: the files are then in the cache.
    startOnce(programs[0]);
    startOnce(programs[1]);
    Figures program, hub;
    std::vector<double> startupRatios, peakRatios;
    for (int i = 0; i < runs; ++i) {
        const std::optional<Run> a = startOnce(programs[0]);
        const std::optional<Run> b = startOnce(programs[1]);
        if (!a || !b)
            continue;
        program.startup.push_back(a->startupMs);
        program.peak.push_back(a->peakMiB);
        hub.startup.push_back(b->startupMs);
        hub.peak.push_back(b->peakMiB);
        startupRatios.push_back(a->startupMs / b->startupMs);
        peakRatios.push_back(a->peakMiB / b->peakMiB);
    }
    if (startupRatios.empty()) {
        std::fprintf(stderr, "bench_startup: no run reported its first paint\n");
        return 1;
    }
    std::printf("Start-up to the first paint and one free event-loop pass, offscreen, %zu pairs (medians):\n",
        startupRatios.size());
    printRow("tolvan", program);
    printRow("bare window", hub);
    std::printf("  ratio        %7.2f     (run by run; %.2f of the medians)   peak memory %.2f\n",
        median(startupRatios), median(program.startup) / median(hub.startup), median(peakRatios));
    return 0;
}
