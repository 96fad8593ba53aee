// Start-up of `vtrconfig --demo`, measured from process start: the time to the main window's
// first paint, the time to the connected tree, and the process's peak resident set size.
//
//   bench_startup [RUNS] [-- EXTRA VTRCONFIG ARGUMENTS]
//
// The program reports both moments on stderr with its undocumented --startup-probe option, as
// monotonic clock readings that this harness compares with its own reading taken just before
// the process is spawned. Without a display it runs on Qt's offscreen platform.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr double kWindowTargetMs = 500;
constexpr double kTreeTargetMs = 600;
constexpr double kRssTargetMb = 60;

long long monotonicMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

struct Sample {
    double windowMs = 0;
    double treeMs = 0;
    double rssMb = 0;
};

// One run; false when the program failed or did not report both moments.
bool runOnce(const std::vector<std::string>& extra, Sample& sample) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return false;
    }
    std::vector<std::string> arguments = {VTRCONFIG_BINARY, "--demo", "--startup-probe"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    const long long started = monotonicMicroseconds();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeFds[1], STDERR_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    std::string output;
    char buffer[512];
    ssize_t got = 0;
    while ((got = read(pipeFds[0], buffer, sizeof buffer)) > 0) {
        output.append(buffer, static_cast<size_t>(got));
    }
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench_startup: vtrconfig failed:\n%s", output.c_str());
        return false;
    }
    long long window = 0;
    long long tree = 0;
    const size_t windowAt = output.find("window shown at ");
    const size_t treeAt = output.find("tree shown at ");
    if (windowAt == std::string::npos || treeAt == std::string::npos ||
        std::sscanf(output.c_str() + windowAt, "window shown at %lld", &window) != 1 ||
        std::sscanf(output.c_str() + treeAt, "tree shown at %lld", &tree) != 1) {
        std::fprintf(stderr, "bench_startup: no timings in:\n%s", output.c_str());
        return false;
    }
    sample.windowMs = static_cast<double>(window - started) / 1000.0;
    sample.treeMs = static_cast<double>(tree - started) / 1000.0;
    sample.rssMb = static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    return true;
}

void report(const char* what, std::vector<double> values, double target, const char* unit) {
    std::sort(values.begin(), values.end());
    const double median = values[values.size() / 2];
    std::printf("%-22s median %7.1f %s  min %7.1f  max %7.1f  (target < %.0f %s: %s)\n", what,
                median, unit, values.front(), values.back(), target, unit,
                median < target ? "met" : "MISSED");
}

} // namespace

int main(int argc, char* argv[]) {
    int runs = 10;
    std::vector<std::string> extra;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--") {
            extra.assign(argv + i + 1, argv + argc);
            break;
        }
        runs = std::max(1, std::atoi(argv[i]));
    }
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    std::vector<double> window;
    std::vector<double> tree;
    std::vector<double> rss;
    for (int run = 0; run < runs; ++run) {
        Sample sample;
        if (!runOnce(extra, sample)) {
            return 1;
        }
        window.push_back(sample.windowMs);
        tree.push_back(sample.treeMs);
        rss.push_back(sample.rssMb);
    }
    std::printf("vtrconfig --demo, %d runs, platform %s\n", runs,
                std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "default");
    report("main window shown", window, kWindowTargetMs, "ms");
    report("connected tree shown", tree, kTreeTargetMs, "ms");
    report("peak RSS", rss, kRssTargetMb, "MB");
    return 0;
}
