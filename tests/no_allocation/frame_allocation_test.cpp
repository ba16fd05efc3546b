// Once the game has started, nothing it does allocates: not a frame of any stage, not a pause, not
// the boss's entrance with its music, not the end of a stage, not a pass of the title screen. The
// whole scene loop runs here on the headless platform with every allocation of the process counted.

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "counting_new.h"
#include "game/game.h"
#include "game/stage_table.h"
#include "platform/headless.h"
#include "player/player_rules.h"
#include "replay/replay_session.h"
#include "shell/scenes.h"
#include "shell/startup.h"
#include "support.h"

namespace volley {
namespace {

using testing::CountedAllocations;

// Music that plays nothing and keeps nothing, so that it allocates nothing of its own.
class SilentMusic final : public Music {
  public:
    void Open() override {}
    void Preload(const std::string&) override {}
    int Load(const std::string&) override {
        ++loads;
        return 1;
    }
    void Play(int) override {}
    void Stop() override {}
    void Pause() override {}
    void Resume() override {}
    void Free(int) override {}
    void Close() override {}
    int loads = 0;
};

// Writing the replay when a stage ends or the game closes is file work between frames, which may
// allocate: the count stops while it runs. Everything the recorder does inside frames is counted.
class RecorderOutsideTheCount final : public RunObserver {
  public:
    explicit RecorderOutsideTheCount(GameRecorder& recorder) : recorder_(recorder) {}
    void Started(Game& g) override { recorder_.Started(g); }
    void FramePlayed(Game& g) override { recorder_.FramePlayed(g); }
    void StageEnded(Game& g) override {
        const bool counting = testing::StopCountingAllocations();
        recorder_.StageEnded(g);
        if (counting) {
            testing::StartCountingAllocations();
        }
    }
    void Quitting(Game& g) override { recorder_.Quitting(g); }

  private:
    GameRecorder& recorder_;
};

// The headless platform with sounds only counted and the silent music; with recorded set, the
// game's input goes through a recorder, as it always does in the real game.
struct QuietGame {
    explicit QuietGame(bool recorded = false)
        : recorder(Quiet(), {(saveDir.Path() / "last.rpl").string()}), observer(recorder) {
        game = std::make_unique<Game>(recorded ? recorder.Services() : Quiet(),
                                      testing::BuiltGameDir());
        if (recorded) {
            game->Observer = &observer;
        }
        platform.sound.Record = false;
        game->SaveFile = (saveDir.Path() / "SaveData.dat").string();
    }
    Platform Quiet() {
        return Platform{platform.clock,  platform.keys,      platform.events, platform.text,
                        platform.window, platform.joysticks, platform.sound,  music};
    }

    testing::TempDir saveDir;
    HeadlessPlatform platform;
    SilentMusic music;
    GameRecorder recorder;
    RecorderOutsideTheCount observer;
    std::unique_ptr<Game> game;
};

constexpr int32_t kBombFrame = 60;
constexpr int32_t kPauseFrame = 100;
constexpr int32_t kFocusLossFrame = 150;
// After this frame the stage skips ahead to just before its boss.
constexpr int32_t kSkipFrame = 600;
// A stage whose end does not come this long after its boss is a failure of the tour itself.
constexpr int32_t kBossFightLimit = 5000;

// In each stage: fire held, weaving, a bomb, a pause by the key and one by losing the focus, then
// on to the boss. Stages 2, 4, 6 and 8 end in a clear (the boss is left one hit point), the others
// in a game over (the ship is left one point of energy). Back at the title after the last, the
// window is closed.
class StagePlan {
  public:
    StagePlan(QuietGame& q, testing::StageTour& tour) : q_(q), g_(*q.game), tour_(tour) {}

    void StageStarted() { bossFought_ = false; }

    void Fly() {
        const int32_t frame = g_.StageFrame;
        const bool left = (frame / 40) % 2 == 0;
        q_.platform.keys.Hold(GameKey::Z, true);
        q_.platform.keys.Hold(GameKey::Left, left);
        q_.platform.keys.Hold(GameKey::Right, !left);
        if (!bossFought_) {
            g_.PlayerEnergy = kFullEnergy;
        }
        if (frame == kBombFrame) {
            q_.platform.keys.Tap(GameKey::X);
        } else if (frame == kPauseFrame) {
            q_.platform.keys.Tap(GameKey::Pause);
        } else if (frame == kFocusLossFrame) {
            q_.platform.events.LoseFocus();
        }
        const int32_t bossFrame = StageRowOf(g_.Stage).BossFrame;
        if (frame >= kSkipFrame && frame < bossFrame - 5) {
            g_.StageFrame = bossFrame - 5;
        }
        if (!bossFought_ && g_.BossKind != kNoBossYet) {
            FightBoss();
        }
        if (frame > bossFrame + kBossFightLimit) {
            lost = true;
            tour_.End();
        }
    }

    bool lost = false;  // a stage that never ended

  private:
    void FightBoss() {
        for (Enemy& e : g_.Enemies) {
            if (e.State == 1 && e.Kind == g_.BossKind) {
                bossFought_ = true;
                if (g_.Stage % 2 == 0) {
                    e.HP = 1;
                } else {
                    g_.PlayerEnergy = 1;
                }
            }
        }
    }

    QuietGame& q_;
    Game& g_;
    testing::StageTour& tour_;
    bool bossFought_ = false;
};

class NoAllocation : public ::testing::TestWithParam<bool> {};

TEST_P(NoAllocation, EveryStageItsPausesItsEndAndTheTitleAllocateNothing) {
    QuietGame q(GetParam());
    Main(*q.game, 3);
    q.game->MaxStage = kStageCount;
    testing::StageTour tour(*q.game, q.platform.keys, q.platform.events, 3);
    StagePlan plan(q, tour);
    tour.stagesToPlay = kStageCount;
    tour.StageStarted = [&] { plan.StageStarted(); };
    tour.Fly = [&] { plan.Fly(); };
    const long before = CountedAllocations();
    std::string firstAllocation;
    q.platform.events.OnPump = [&] {
        if (CountedAllocations() > before && firstAllocation.empty()) {
            testing::StopCountingAllocations();
            firstAllocation = "before the look at the events in stage " +
                              std::to_string(q.game->Stage) + " at frame " +
                              std::to_string(q.game->StageFrame);
            testing::StartCountingAllocations();
        }
        tour.Pump();
        if (tour.Ended()) {
            testing::StopCountingAllocations();
        }
    };
    testing::StartCountingAllocations();
    EXPECT_EQ(RunScenes(*q.game), 0);
    testing::StopCountingAllocations();
    const long allocations = CountedAllocations() - before;

    EXPECT_EQ(allocations, 0) << "the first, of " << testing::FirstCountedSize() << " bytes, came "
                              << firstAllocation;
    // The tour went where it says it went.
    const testing::TourCounts& counts = tour.Counts();
    EXPECT_FALSE(plan.lost) << "stage " << q.game->Stage << " never ended";
    EXPECT_EQ(counts.stagesStarted, kStageCount);
    EXPECT_EQ(counts.clears, 4);
    EXPECT_EQ(counts.gameOvers, 4);
    EXPECT_EQ(counts.pauses, 2 * kStageCount);
    EXPECT_GT(counts.titlePumps, kStageCount);
    EXPECT_GE(q.music.loads, 1 + 2 * kStageCount) << "the title's, each stage's and the bosses'";
}

INSTANTIATE_TEST_SUITE_P(PlainAndRecorded, NoAllocation, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Recorded" : "Plain"; });

TEST(AllocationCounter, SeesAnAllocation) {
    testing::StartCountingAllocations();
    const long before = CountedAllocations();
    auto box = std::make_unique<std::array<char, 100>>();
    testing::StopCountingAllocations();
    EXPECT_EQ(CountedAllocations(), before + 1);
    EXPECT_NE(box, nullptr);
}

}  // namespace
}  // namespace volley
