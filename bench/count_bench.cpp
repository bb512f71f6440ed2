// The real time of one count of the pause. Each sweep calibrates a Delay the way the program does
// at start-up, times the pause at k = 1e3, 1e4, 1e5 and 1e6 (the median of a few runs each), and
// fits time against counts by least squares: the slope is one count, R^2 says how straight the
// line is. Prints the median slope and R^2 over the sweeps. With --loaded a second process spins
// on the other core for the whole run.
//   count_bench [--loaded] [--sweeps N] [--repeats N]
#include "BenchStats.h"
#include "Delay.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// A plain busy loop in a child process, until the parent kills it.
pid_t startBusyProcess() {
    const pid_t child = fork();
    if (child == 0) {
        volatile std::uint64_t sink = 0;
        for (;;) {
            sink = sink + 1;
        }
    }
    if (child < 0) {
        std::perror("count_bench: fork");
        std::exit(1);
    }
    return child;
}

void stopBusyProcess(pid_t child) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

struct Timing {
    double wall = 0; // real time, ns
    double cpu = 0;  // time this thread had a core, ns
};

Timing timePause(const Delay& delay, float k) {
    using Clock = std::chrono::steady_clock;
    timespec cpuBegin{};
    timespec cpuEnd{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuBegin);
    const auto begin = Clock::now();
    delay(k);
    const auto end = Clock::now();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuEnd);
    const auto nanoseconds = [](const timespec& t) { return t.tv_sec * 1e9 + t.tv_nsec; };
    return {std::chrono::duration<double, std::nano>(end - begin).count(),
            nanoseconds(cpuEnd) - nanoseconds(cpuBegin)};
}

// The count is meant to be timed while it has a core of its own: a pause during which another
// process took this core (other work on a shared machine, not the spinner on the other core) is
// timed again, a few times at most. `retimed` counts those.
double undisturbedPauseNanoseconds(const Delay& delay, float k, int& retimed) {
    Timing best;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const Timing timing = timePause(delay, k);
        if (timing.cpu >= 0.98 * timing.wall) {
            return timing.wall;
        }
        ++retimed;
        if (timing.cpu / timing.wall > best.cpu / std::max(best.wall, 1.0)) {
            best = timing;
        }
    }
    return best.wall;
}

} // namespace

int main(int argc, char** argv) {
    bool loaded = false;
    int sweeps = 5;
    int repeats = 3;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--loaded") {
            loaded = true;
        } else if (arg == "--sweeps" && i + 1 < argc) {
            sweeps = std::atoi(argv[++i]);
        } else if (arg == "--repeats" && i + 1 < argc) {
            repeats = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: count_bench [--loaded] [--sweeps N] [--repeats N]\n");
            return 2;
        }
    }

    const char* suffix = loaded ? "_loaded" : "";
    const pid_t busy = loaded ? startBusyProcess() : 0;
    if (loaded) {
        // Lets the scheduler settle the spinner on its core. This core sits idle meanwhile, so the
        // first calibration starts on a cold processor, as a program started on a quiet machine.
        usleep(100'000);
    }

    constexpr std::array<float, 4> ks{1e3f, 1e4f, 1e5f, 1e6f};
    std::vector<double> slopes;
    std::vector<double> fits;
    int retimed = 0;
    for (int sweep = 0; sweep < sweeps; ++sweep) {
        const Delay delay = Delay::calibrated();
        std::vector<double> counts;
        std::vector<double> times;
        for (const float k : ks) {
            std::vector<double> runs;
            for (int repeat = 0; repeat < repeats; ++repeat) {
                runs.push_back(undisturbedPauseNanoseconds(delay, k, retimed));
            }
            counts.push_back(static_cast<double>(Delay::countsFor(k)));
            times.push_back(bench::median(runs));
        }
        const bench::Line line = bench::fitLine(counts, times);
        std::fprintf(stderr,
                     "count_bench: sweep %d: %u spins per count; ns per count at each k:", sweep,
                     delay.spinsPerCount());
        for (std::size_t i = 0; i < ks.size(); ++i) {
            std::fprintf(stderr, " %.1f", times[i] / counts[i]);
        }
        std::fprintf(stderr, "; slope %.2f ns, R^2 %.6f\n", line.slope, line.r2);
        slopes.push_back(line.slope);
        fits.push_back(line.r2);
    }

    if (loaded) {
        stopBusyProcess(busy);
    }
    std::printf("count_ns%s: %.1f ns\n", suffix, bench::median(slopes));
    std::printf("count_linearity_r2%s: %.6f\n", suffix, bench::median(fits));
    std::printf("# count_bench%s: %d of %d pauses timed again: another process took the core\n",
                suffix, retimed, sweeps * static_cast<int>(ks.size()) * repeats + retimed);
    return 0;
}
