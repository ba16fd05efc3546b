// The soak: a long run of the whole game on the headless platform with a random pilot, every table
// checked after every frame and the memory kept flat.
// Usage: volley_soak [--frames N] [--seed S]   (1,000,000 frames and seed 1 unless given)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

struct Options {
    long frames = 1000000;
    uint64_t seed = 1;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--frames") == 0 && hasValue) {
            options.frames = std::strtol(argv[++i], nullptr, 10);
        } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue) {
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        } else {
            return false;
        }
    }
    return options.frames > 0;
}

void Report(const volley::testing::TourCounts& counts, size_t residentAfterFirstStage,
            size_t residentAtEnd, double seconds) {
    std::printf(
        "soak: %ld frames in %.1f s, %d stages started, %d clears, %d game overs, "
        "%d pauses\n",
        counts.frames, seconds, counts.stagesStarted, counts.clears, counts.gameOvers,
        counts.pauses);
    std::printf("soak: resident %.2f MB after the first stage, %.2f MB at the end\n",
                residentAfterFirstStage / 1048576.0, residentAtEnd / 1048576.0);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: volley_soak [--frames N] [--seed S]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    volley::testing::TestGame t(volley::testing::BuiltGameDir(), kClockStartMs);
    t.platform.sound.Record = false;
    t.platform.music.Record = false;
    volley::Main(*t, options.seed);
    t->MaxStage = volley::kStageCount;
    volley::SoakRun run(t, options.frames, options.seed);
    t.platform.events.OnPump = [&] { run.Pump(); };
    volley::RunScenes(*t);
    const size_t residentAtEnd = volley::ResidentBytes();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const volley::testing::TourCounts& counts = run.Counts();
    const size_t residentAfterFirstStage = run.ResidentAfterFirstStage();
    Report(counts, residentAfterFirstStage, residentAtEnd, seconds);
    std::fflush(stdout);
    if (!run.Failure().empty()) {
        std::fprintf(stderr, "soak: FAILED at %s\n", run.Failure().c_str());
        return 1;
    }
    if (counts.frames < options.frames || residentAfterFirstStage == 0) {
        std::fprintf(stderr, "soak: FAILED: the run ended after %ld frames, %d stages\n",
                     counts.frames, counts.stagesStarted);
        return 1;
    }
    if (residentAtEnd > residentAfterFirstStage + kResidentGrowthLimit) {
        std::fprintf(stderr,
                     "soak: FAILED: resident memory grew by %.2f MB after the first stage\n",
                     (residentAtEnd - residentAfterFirstStage) / 1048576.0);
        return 1;
    }
    std::printf("soak: passed\n");
    return 0;
}
