// The soak: a long run of the whole game on the headless platform, the stage tour flown by a
// random pilot, every table checked after every frame and the memory kept flat.
// Usage: volley_soak [--frames N] [--seed S]   (1,000,000 frames and seed 1 unless given)

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "game/random.h"
#include "player/player_rules.h"
#include "shell/scenes.h"
#include "shell/startup.h"
#include "soak/table_checks.h"
#include "support.h"

namespace volley {
namespace {

// The headless clock starts a minute of game time before its 32-bit millisecond wrap, so that
// every soak crosses it.
constexpr uint32_t kClockStartMs = 0xFFFFFFFFu - 60000;
// Resident memory may grow this much after the first stage, for pages touched late (the bosses'
// patterns, the save file's write at the end), not more.
constexpr double kResidentGrowthLimitMb = 1.0;
// Every other game the ship's energy is kept full, so that the random pilot also meets the bosses
// (the last enters on frame 6550), and the boss is left one hit point, so that the stage can be
// cleared; from this frame on the ship has one point of energy left.
constexpr int32_t kShieldedFrames = 9000;
// A paused stage is resumed after this many looks at the events.
constexpr int kPausedPumps = 7;
// A progress line is printed every so many frames.
constexpr long kProgressFrames = 100000;

// The resident set in megabytes, from /proc/self/statm; 0 where it cannot be read.
double ResidentMb() {
    unsigned long pages = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm != nullptr) {
        if (std::fscanf(statm, "%*s %lu", &pages) != 1) {
            pages = 0;
        }
        std::fclose(statm);
    }
    return static_cast<double>(pages) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

// Holds random keys for random spans: fire mostly on, now and then a bomb, once in a while a
// pause or a lost focus. Each direction is drawn on its own, so that opposite keys are sometimes
// held together. Its own seeded generator keeps a soak repeatable.
class RandomPilot {
  public:
    explicit RandomPilot(uint64_t seed) : rng_(seed) {}

    void Fly(HeadlessKeyboard& keys, HeadlessEvents& events) {
        if (framesLeft_-- <= 0) {
            framesLeft_ = 1 + static_cast<int>(rng_.Next() * 60);
            for (bool& held : held_) {
                held = OneIn(3);
            }
            held_[4] = !OneIn(10);  // fire is let go in one span of ten
            held_[5] = OneIn(25);
            if (OneIn(400)) {
                keys.Tap(GameKey::Pause);
            } else if (OneIn(600)) {
                events.LoseFocus();
            }
        }
        constexpr GameKey kKeys[] = {GameKey::Up,    GameKey::Down, GameKey::Left,
                                     GameKey::Right, GameKey::Z,    GameKey::X};
        for (int i = 0; i < 6; ++i) {
            keys.Hold(kKeys[i], held_[i]);
        }
    }

  private:
    bool OneIn(int n) { return rng_.Next() * n < 1.0f; }

    Random rng_;
    int framesLeft_ = 0;
    bool held_[6] = {};
};

class SoakRun {
  public:
    SoakRun(testing::TestGame& t, long frames, uint64_t seed)
        : tour(*t, t.platform.keys, t.platform.events, kPausedPumps),
          t_(t),
          pilot_(seed),
          frameBudget_(frames) {
        tour.StageStarted = [this] {
            // Stage by stage the shield alternates, and from one round of the eight to the next.
            const int game = tour.Counts().stagesStarted;
            shielded_ = (game + game / kStageCount) % 2 == 0;
        };
        tour.Fly = [this] { AfterFrame(); };
        tour.StageEnded = [this] {
            if (residentAfterFirstStage == 0) {
                residentAfterFirstStage = ResidentMb();
            }
        };
    }

    testing::StageTour tour;
    double residentAfterFirstStage = 0;
    // The first check that failed, with its frame; empty while none has.
    std::string failure;

  private:
    void AfterFrame() {
        Game& g = *t_;
        const long frame = tour.Counts().frames;
        const std::string wrong = CheckTables(g);
        if (!wrong.empty()) {
            failure = "frame " + std::to_string(frame) + " (stage " + std::to_string(g.Stage) +
                      ", stage frame " + std::to_string(g.StageFrame) + "): " + wrong;
            tour.End();
            return;
        }
        if (frame % kProgressFrames == 0) {
            std::printf("soak: %ld frames, %d stages started, resident %.1f MB\n", frame,
                        tour.Counts().stagesStarted, ResidentMb());
            std::fflush(stdout);
        }
        if (frame >= frameBudget_) {
            tour.End();
            return;
        }
        if (shielded_) {
            Shield(g);
        }
        pilot_.Fly(t_.platform.keys, t_.platform.events);
    }

    void Shield(Game& g) {
        if (g.StageFrame >= kShieldedFrames) {
            shielded_ = false;
            g.PlayerEnergy = 1;
            return;
        }
        g.PlayerEnergy = kFullEnergy;
        for (Enemy& e : g.Enemies) {
            if (e.State == 1 && e.Kind == g.BossKind && e.HP > 1) {
                e.HP = 1;
            }
        }
    }

    testing::TestGame& t_;
    RandomPilot pilot_;
    const long frameBudget_;
    bool shielded_ = false;
};

int Failed(const std::string& what) {
    std::fprintf(stderr, "soak: FAILED %s\n", what.c_str());
    return 1;
}

int Soak(long frames, uint64_t seed) {
    const auto start = std::chrono::steady_clock::now();
    testing::TestGame t(testing::BuiltGameDir(), kClockStartMs);
    t.platform.sound.Record = false;
    t.platform.music.Record = false;
    Main(*t, seed);
    t->MaxStage = kStageCount;
    SoakRun run(t, frames, seed);
    t.platform.events.OnPump = [&] { run.tour.Pump(); };
    RunScenes(*t);

    const testing::TourCounts& counts = run.tour.Counts();
    const double first = run.residentAfterFirstStage;
    const double end = ResidentMb();
    std::printf(
        "soak: %ld frames in %.1f s, %d stages started, %d clears, %d game overs, %d pauses\n"
        "soak: resident %.2f MB after the first stage, %.2f MB at the end\n",
        counts.frames,
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
        counts.stagesStarted, counts.clears, counts.gameOvers, counts.pauses, first, end);
    std::fflush(stdout);
    if (!run.failure.empty()) {
        return Failed("at " + run.failure);
    }
    if (counts.frames < frames || first == 0) {
        return Failed("the run ended before its frames were played");
    }
    if (end > first + kResidentGrowthLimitMb) {
        return Failed("resident memory grew by more than 1 MB after the first stage");
    }
    std::printf("soak: passed\n");
    return 0;
}

}  // namespace
}  // namespace volley

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
    return volley::Soak(frames, seed);
}
