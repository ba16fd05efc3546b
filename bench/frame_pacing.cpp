// Measures the game's frame pacing on the real platform: runs a stage's frames in the window and
// reports the period between frame starts and the processor time the process used.
// Usage: frame_pacing <game folder> [frames]

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <vector>

#include "platform/sdl/sdl_platform.h"
#include "shell/game.h"
#include "shell/game_loop.h"
#include "shell/scenes.h"
#include "shell/startup.h"

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void Report(const std::vector<double>& periods, double cpuSeconds, double wallSeconds) {
    std::vector<double> sorted = periods;
    std::sort(sorted.begin(), sorted.end());
    const double mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / sorted.size();
    std::vector<double> deviation;
    for (double p : periods) {
        deviation.push_back(std::fabs(p - mean));
    }
    std::sort(deviation.begin(), deviation.end());
    auto percentile = [](const std::vector<double>& v, double q) {
        return v[std::min(v.size() - 1, static_cast<size_t>(q * v.size()))];
    };
    std::printf("frames measured      %zu\n", periods.size());
    std::printf("period mean          %.3f ms\n", mean);
    std::printf("period min / max     %.3f / %.3f ms\n", sorted.front(), sorted.back());
    std::printf("period 99th pct      %.3f ms\n", percentile(sorted, 0.99));
    std::printf("|period - mean| p99  %.3f ms\n", percentile(deviation, 0.99));
    std::printf("processor use        %.1f %% of one core\n", 100.0 * cpuSeconds / wallSeconds);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: frame_pacing <game folder> [frames]\n");
        return 2;
    }
    const int frames = argc > 2 ? std::atoi(argv[2]) : 400;
    std::string error;
    auto sdl = volley::SdlPlatform::Create(error);
    if (!sdl) {
        std::fprintf(stderr, "frame_pacing: %s\n", error.c_str());
        return 1;
    }
    auto game = std::make_unique<volley::Game>(sdl->Services(), argv[1]);
    try {
        volley::Main(*game, 1);
        volley::StartGame(*game);
        for (int i = 0; i < 20; ++i) {  // settle the window and the caches first
            volley::RunFrame(*game);
        }
        std::vector<double> periods;
        periods.reserve(frames);
        const double cpuStart = CpuSeconds();
        const auto wallStart = Clock::now();
        auto last = wallStart;
        for (int i = 0; i < frames; ++i) {
            volley::RunFrame(*game);
            const auto now = Clock::now();
            periods.push_back(std::chrono::duration<double, std::milli>(now - last).count());
            last = now;
        }
        const double wall = std::chrono::duration<double>(last - wallStart).count();
        Report(periods, CpuSeconds() - cpuStart, wall);
    } catch (const volley::StartupError& e) {
        std::fprintf(stderr, "frame_pacing: %s\n", e.what());
        return 1;
    } catch (const volley::ProcessEnd&) {
        return 1;
    }
    return 0;
}
