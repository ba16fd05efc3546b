// Measures the game's frame pacing on the real platform: runs a stage's frames in the window and
// reports the period between frame starts and the processor time the process used.
// Usage: frame_pacing <game folder> [frames] [stage] [first frame]
// With a stage and a first frame, the run starts there: stage 1 from frame 6150 takes in the boss's
// entrance at frame 6200 and its change of music.

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
#include "game/game.h"
#include "shell/game_loop.h"
#include "shell/scenes.h"
#include "shell/startup.h"
#include "shell/shutdown.h"

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
    const int stage = argc > 3 ? std::atoi(argv[3]) : 1;
    const int firstFrame = argc > 4 ? std::atoi(argv[4]) : 0;
    std::string error;
    auto sdl = volley::SdlPlatform::Create(error);
    if (!sdl) {
        std::fprintf(stderr, "frame_pacing: %s\n", error.c_str());
        return 1;
    }
    auto game = std::make_unique<volley::Game>(sdl->Services(), argv[1]);
    try {
        volley::Main(*game, 1);
        game->Stage = static_cast<int16_t>(stage);
        volley::StartGame(*game);
        game->PlayerEnergy = 10000;  // the probe's ship must live through the run
        game->StageFrame = firstFrame > 20 ? firstFrame - 20 : 0;
        for (int i = 0; i < 20; ++i) {  // settle the window and the caches first
            volley::RunFrame(*game);
        }
        std::vector<double> periods;
        periods.reserve(frames);
        double bossFramePeriod = 0;
        const double cpuStart = CpuSeconds();
        const auto wallStart = Clock::now();
        auto last = wallStart;
        for (int i = 0; i < frames; ++i) {
            volley::RunFrame(*game);
            const auto now = Clock::now();
            periods.push_back(std::chrono::duration<double, std::milli>(now - last).count());
            if (game->BossKind != volley::kNoBossYet && bossFramePeriod == 0) {
                bossFramePeriod = periods.back();
            }
            last = now;
        }
        const double wall = std::chrono::duration<double>(last - wallStart).count();
        Report(periods, CpuSeconds() - cpuStart, wall);
        if (bossFramePeriod > 0) {
            std::printf("boss entrance frame   %.3f ms\n", bossFramePeriod);
        }
    } catch (const volley::StartupError& e) {
        std::fprintf(stderr, "frame_pacing: %s\n", e.what());
        return 1;
    } catch (const volley::CloseRequested&) {
        return 1;
    }
    return 0;
}
