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

bool OnTitle(const Game& g) {
    return g.Form1.DisplayLabel[LabelId::TotalScore].Visible;
}

}  // namespace

SoakRun::SoakRun(testing::TestGame& t, long frames, uint64_t seed)
    : t_(t), g_(*t), pilot_(seed), frameBudget_(frames) {}

void SoakRun::Pump() {
    if (ending_) {
        return;
    }
    if (g_.Form1.PauseLabel.Visible) {
        Paused();
    } else if (OnTitle(g_)) {
        Title();
    } else if (g_.StageOver) {
        Result();
    } else {
        Stage();
    }
}

void SoakRun::Title() {
    pilot_.Release(t_.platform.keys);
    const auto target = static_cast<int16_t>(counts_.stagesStarted % kStageCount + 1);
    if (g_.Stage < target) {
        t_.platform.keys.Tap(GameKey::Right);
    } else if (g_.Stage > target) {
        t_.platform.keys.Tap(GameKey::Left);
    } else {
        t_.platform.keys.Tap(GameKey::Z);
    }
}

void SoakRun::Stage() {
    if (!inStage_) {
        inStage_ = true;
        lastStageFrame_ = 0;
        // Stage by stage the shield alternates, and from one round of the eight to the next.
        const int game = counts_.stagesStarted;
        shielded_ = (game + game / kStageCount) % 2 == 0;
        ++counts_.stagesStarted;
    }
    if (g_.StageFrame == lastStageFrame_) {
        return;  // a look at the events within the same frame's wait
    }
    lastStageFrame_ = g_.StageFrame;
    AfterFrame();
}

void SoakRun::AfterFrame() {
    ++counts_.frames;
    std::string failure = CheckTables(g_);
    if (!failure.empty()) {
        failure_ = "frame " + std::to_string(counts_.frames) + " (stage " +
                   std::to_string(g_.Stage) + ", stage frame " + std::to_string(g_.StageFrame) +
                   "): " + failure;
        End();
        return;
    }
    if (counts_.frames % kProgressFrames == 0) {
        std::printf("soak: %ld frames, %d stages started, resident %.1f MB\n", counts_.frames,
                    counts_.stagesStarted, ResidentBytes() / 1048576.0);
        std::fflush(stdout);
    }
    if (counts_.frames >= frameBudget_) {
        End();
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

void SoakRun::Paused() {
    pilot_.Release(t_.platform.keys);
    if (++pausedPumps_ == kPausedPumps) {
        pausedPumps_ = 0;
        ++counts_.pauses;
        t_.platform.keys.Tap(GameKey::Pause);
    }
}

void SoakRun::Result() {
    pilot_.Release(t_.platform.keys);
    if (inStage_) {
        inStage_ = false;
        const bool over = g_.Form1.DisplayLabel[LabelId::Result].Caption == "GAMEOVER";
        (over ? counts_.gameOvers : counts_.clears) += 1;
        if (counts_.residentAfterFirstStage == 0) {
            counts_.residentAfterFirstStage = ResidentBytes();
        }
    }
    t_.platform.keys.Tap(GameKey::Z);
}

void SoakRun::End() {
    ending_ = true;
    pilot_.Release(t_.platform.keys);
    t_.platform.events.RequestClose();
}

}  // namespace volley
