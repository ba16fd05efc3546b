// The soak: a long run of the whole game on the headless platform with a random pilot, every table
// checked after every frame and the memory kept flat.
// Usage: volley_soak [--frames N] [--seed S]   (1,000,000 frames and seed 1 unless given)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "resident_memory.h"
#include "shell/scenes.h"
#include "shell/startup.h"
#include "soak_run.h"
#include "test_game.h"

namespace {

// The headless clock starts a minute of game time before its 32-bit millisecond wrap, so that
// every soak crosses it.
constexpr uint32_t kClockStartMs = 0xFFFFFFFFu - 60000;
// Resident memory may grow this much after the first stage, for pages touched late (the bosses'
// patterns, the save file's write at the end), not more.
constexpr size_t kResidentGrowthLimit = 1 << 20;

int Failed(const char* what) {
    std::fprintf(stderr, "soak: FAILED %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    long frames = 1000000;
    uint64_t seed = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (i + 1 < argc && option == "--frames") {
            frames = std::strtol(argv[++i], nullptr, 10);
        } else if (i + 1 < argc && option == "--seed") {
            seed = std::strtoull(argv[++i], nullptr, 10);
        } else {
            std::fprintf(stderr, "usage: volley_soak [--frames N] [--seed S]\n");
            return 2;
        }
    }
    const auto start = std::chrono::steady_clock::now();
    volley::testing::TestGame t(volley::testing::BuiltGameDir(), kClockStartMs);
    t.platform.sound.Record = false;
    t.platform.music.Record = false;
    volley::Main(*t, seed);
    t->MaxStage = volley::kStageCount;
    volley::SoakRun run(t, frames, seed);
    t.platform.events.OnPump = [&] { run.Pump(); };
    volley::RunScenes(*t);

    const volley::testing::TourCounts& counts = run.Counts();
    const double first = run.ResidentAfterFirstStage() / 1048576.0;
    const double end = volley::ResidentBytes() / 1048576.0;
    std::printf(
        "soak: %ld frames in %.1f s, %d stages started, %d clears, %d game overs, %d pauses\n"
        "soak: resident %.2f MB after the first stage, %.2f MB at the end\n",
        counts.frames,
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
        counts.stagesStarted, counts.clears, counts.gameOvers, counts.pauses, first, end);
    std::fflush(stdout);
    if (!run.Failure().empty()) {
        return Failed(("at " + run.Failure()).c_str());
    }
    if (counts.frames < frames || first == 0) {
        return Failed("the run ended before its frames were played");
    }
    if (end > first + kResidentGrowthLimit / 1048576.0) {
        return Failed("resident memory grew by more than 1 MB after the first stage");
    }
    std::printf("soak: passed\n");
    return 0;
}
