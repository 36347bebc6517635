// Times a program from its launch to its first visible window: each program is started with
// MERROW_CLOSE_WHEN_SHOWN=1 and writes the steady clock's time when its window has shown;
// the time from the launch to that moment is its start-up. The two programs take turns, so
// both meet the same display and caches; the medians are compared.
//
// startup_bench PROGRAM BASELINE [ROUNDS]; exits 1 when the ratio of the medians is past the
// target.
// The baseline is also timed with the argument "--text" (a window with one line of text), which
// is printed for comparison: what Qt's fonts add to any window that shows text.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr double kTarget = 1.1;

long long SteadyNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Milliseconds from the launch to the window shown; negative when the program did not say.
double TimeOneStart(const std::string& program, const char* argument = nullptr) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(argument), nullptr};
    pid_t pid = 0;
    const long long launched = SteadyNow();
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return -1;
    }
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<size_t>(n));
    }
    close(pipeEnds[0]);
    waitpid(pid, nullptr, 0);
    const size_t at = output.find("shown ");
    if (at == std::string::npos) {
        return -1;
    }
    return static_cast<double>(std::atoll(output.c_str() + at + 6) - launched) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench PROGRAM BASELINE [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
    // Settings and locks of the benchmark's own, so the user's are left alone.
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("startup-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(home / "run");
    std::filesystem::permissions(home / "run", std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", (home / "run").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    setenv("MERROW_CLOSE_WHEN_SHOWN", "1", 1);
    std::vector<double> program;
    std::vector<double> baseline;
    std::vector<double> withText;
    TimeOneStart(argv[1]);  // caches warm for all
    TimeOneStart(argv[2]);
    TimeOneStart(argv[2], "--text");
    for (int i = 0; i < rounds; ++i) {
        const double a = TimeOneStart(argv[1]);
        const double b = TimeOneStart(argv[2]);
        const double c = TimeOneStart(argv[2], "--text");
        if (a < 0 || b < 0 || c < 0) {
            std::fprintf(stderr, "a program did not report its window\n");
            std::filesystem::remove_all(home);
            return 1;
        }
        program.push_back(a);
        baseline.push_back(b);
        withText.push_back(c);
    }
    std::filesystem::remove_all(home);
    const double ratio = Median(program) / Median(baseline);
    std::printf("start-up to the first visible window, median of %d:\n", rounds);
    std::printf("  %-40s %8.1f ms\n", argv[1], Median(program));
    std::printf("  %-40s %8.1f ms\n", argv[2], Median(baseline));
    std::printf("  %-40s %8.1f ms (the same with a line of text)\n", argv[2], Median(withText));
    std::printf("ratio %.3f (target at most %.1f)\n", ratio, kTarget);
    return ratio <= kTarget ? 0 : 1;
}
