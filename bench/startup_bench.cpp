// What the program's start costs: runs the startup driver as whole processes, the game
// window and a bare window in turn, and prints the medians of each and their ratios.
//   vaultmoor-startup-bench [runs]   (default 21 runs of each)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Run {
    double cpuMs;
    double wallMs;
    double rssMiB;
};

// One whole process of the driver, offscreen.
Run RunDriver(const std::string& driver, const char* kind) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) std::exit(1);
    if (pid == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(driver.c_str(), driver.c_str(), kind, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s %s failed (status %d)\n", driver.c_str(), kind, status);
        std::exit(1);
    }
    auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return {ms(usage.ru_utime) + ms(usage.ru_stime),
            std::chrono::duration<double, std::milli>(end - start).count(),
            usage.ru_maxrss / 1024.0};
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

Run Medians(const std::vector<Run>& runs) {
    std::vector<double> cpu, wall, rss;
    for (const Run& r : runs) {
        cpu.push_back(r.cpuMs);
        wall.push_back(r.wallMs);
        rss.push_back(r.rssMiB);
    }
    return {Median(cpu), Median(wall), Median(rss)};
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(15, std::atoi(argv[1])) : 21;
    const std::string driver =
        (std::filesystem::canonical("/proc/self/exe").parent_path() / "vaultmoor-startup-driver")
            .string();
    RunDriver(driver, "game");  // warm the page cache before counting
    RunDriver(driver, "bare");
    std::vector<Run> game, bare;
    for (int i = 0; i < runs; ++i) {
        game.push_back(RunDriver(driver, "game"));
        bare.push_back(RunDriver(driver, "bare"));
    }
    const Run g = Medians(game);
    const Run b = Medians(bare);
    std::printf("startup to first paint, offscreen, median of %d runs each\n", runs);
    std::printf("%-12s %10s %10s %12s\n", "", "CPU ms", "wall ms", "peak RSS MiB");
    std::printf("%-12s %10.1f %10.1f %12.1f\n", "game", g.cpuMs, g.wallMs, g.rssMiB);
    std::printf("%-12s %10.1f %10.1f %12.1f\n", "bare QLabel", b.cpuMs, b.wallMs, b.rssMiB);
    std::printf("%-12s %9.2fx %9.2fx %+11.1f MiB\n", "game/bare", g.cpuMs / b.cpuMs,
                g.wallMs / b.wallMs, g.rssMiB - b.rssMiB);
    return 0;
}
