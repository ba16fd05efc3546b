#include "soak_run.h"

#include <cstdio>

#include "player/player_rules.h"
#include "resident_memory.h"
#include "table_checks.h"

namespace volley {

namespace {

// Every other game the ship's energy is kept full, so that the random pilot also meets the bosses
// (the last enters on frame 6550), and the boss is left one hit point, so that the stage can be
// cleared; from this frame on the ship has one point of energy left.
constexpr int32_t kShieldedFrames = 9000;
// A paused stage is resumed after this many looks at the events.
constexpr int kPausedPumps = 7;
// A progress line is printed every so many frames.
constexpr long kProgressFrames = 100000;

}  // namespace

SoakRun::SoakRun(testing::TestGame& t, long frames, uint64_t seed)
    : t_(t),
      g_(*t),
      pilot_(seed),
      tour_(*t, t.platform.keys, t.platform.events, kPausedPumps),
      frameBudget_(frames) {
    tour_.StageStarted = [this] {
        // Stage by stage the shield alternates, and from one round of the eight to the next.
        const int game = tour_.Counts().stagesStarted;
        shielded_ = (game + game / kStageCount) % 2 == 0;
    };
    tour_.Fly = [this] { AfterFrame(); };
    tour_.StageEnded = [this] {
        if (residentAfterFirstStage_ == 0) {
            residentAfterFirstStage_ = ResidentBytes();
        }
    };
}

void SoakRun::AfterFrame() {
    const long frame = tour_.Counts().frames;
    const std::string failure = CheckTables(g_);
    if (!failure.empty()) {
        failure_ = "frame " + std::to_string(frame) + " (stage " + std::to_string(g_.Stage) +
                   ", stage frame " + std::to_string(g_.StageFrame) + "): " + failure;
        tour_.End();
        return;
    }
    if (frame % kProgressFrames == 0) {
        std::printf("soak: %ld frames, %d stages started, resident %.1f MB\n", frame,
                    tour_.Counts().stagesStarted, ResidentBytes() / 1048576.0);
        std::fflush(stdout);
    }
    if (frame >= frameBudget_) {
        tour_.End();
        return;
    }
    if (shielded_) {
        Shield();
    }
    pilot_.Fly(t_.platform.keys, t_.platform.events);
}

void SoakRun::Shield() {
    if (g_.StageFrame >= kShieldedFrames) {
        shielded_ = false;
        g_.PlayerEnergy = 1;
        return;
    }
    g_.PlayerEnergy = kFullEnergy;
    for (Enemy& e : g_.Enemies) {
        if (e.State == 1 && e.Kind == g_.BossKind && e.HP > 1) {
            e.HP = 1;
        }
    }
}

}  // namespace volley
