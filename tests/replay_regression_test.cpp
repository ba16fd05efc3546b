// Recorded games of whole stages, kept with the tests: any change that alters how the game plays
// makes them end differently, and these tests fail.
//
// To record them again after a deliberate change of the game's rules or assets:
//   VOLLEY_WRITE_REPLAYS=tests/replays build/<dir>/tests/volley_tests --gtest_filter='Regression*'

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "replay/replay_session.h"
#include "replay_runs.h"
#include "shell/startup.h"
#include "test_game.h"

namespace volley {
namespace {

struct StageRun {
    int16_t stage;
    uint64_t seed;
};

constexpr StageRun kRuns[] = {{1, 101}, {4, 404}, {8, 808}};

std::string ReplayName(const StageRun& run) {
    return "stage" + std::to_string(run.stage) + ".rpl";
}

// How far a thing at (x, w) is from the ship's middle, across; 0 when they overlap.
int Across(const Game& g, int x, int w) {
    const int ship = g.PlayerX + kShipSize / 2;
    if (x + w < ship - kShipSize / 2 - 4) {
        return x + w - (ship - kShipSize / 2 - 4);
    }
    if (x > ship + kShipSize / 2 + 4) {
        return x - (ship + kShipSize / 2 + 4);
    }
    return 0;
}

// Whether something at (x, y), w x h, moving (vx, vy) a frame, reaches the ship standing at shipX
// within the next frames.
bool Hits(const Game& g, int shipX, int x, int y, int w, int h, int vx, int vy) {
    constexpr int kLookAhead = 14;
    constexpr int kMargin = 6;
    for (int t = 0; t <= kLookAhead; ++t) {
        const int px = x + vx * t;
        const int py = y + vy * t;
        if (px + w > shipX - kMargin && px < shipX + kShipSize + kMargin &&
            py + h > g.PlayerY - kMargin && py < g.PlayerY + kShipSize + kMargin) {
            return true;
        }
    }
    return false;
}

// How many things would reach the ship if it stood at shipX.
int Danger(const Game& g, int shipX) {
    int danger = 0;
    for (const EnemyShot& s : g.EnemyShots) {
        const EnemyShotType& type = g.EnemyShotTypes[s.Kind];
        danger += s.State == 1 && Hits(g, shipX, s.X, s.Y, type.Width, type.Height, s.VX, s.VY);
    }
    for (const Enemy& e : g.Enemies) {
        const EnemyType& type = g.EnemyTypes[e.Kind];
        danger += e.State == 1 && !IsItem(e.Kind) &&
                  Hits(g, shipX, e.X, e.Y, type.Width, type.Height, e.VX, e.VY);
    }
    return danger;
}

// The side to dodge to (-1 left, +1 right), 0 to stay: the safest of staying and moving some way
// to either side.
int Dodge(const Game& g) {
    const int here = Danger(g, g.PlayerX);
    if (here == 0) {
        return 0;
    }
    int best = 0;
    int bestDanger = here;
    for (int step = 1; step <= 6; ++step) {
        for (int side : {-1, 1}) {
            const int x = g.PlayerX + side * step * g.PlayerSpeed;
            if (x < 0 || x > g.ScreenWidth - kShipSize) {
                continue;
            }
            const int danger = Danger(g, x);
            if (danger < bestDanger) {
                best = side;
                bestDanger = danger;
            }
        }
        if (bestDanger == 0) {
            break;
        }
    }
    return best;
}

// Toward the lowest enemy, or an item, to shoot or take it.
int Chase(const Game& g) {
    const Enemy* target = nullptr;
    for (const Enemy& e : g.Enemies) {
        if (e.State == 1 && (target == nullptr || e.Y > target->Y)) {
            target = &e;
        }
    }
    if (target == nullptr) {
        return 0;
    }
    const int offset = Across(g, target->X, g.EnemyTypes[target->Kind].Width);
    return offset < 0 ? -1 : (offset > 0 ? 1 : 0);
}

// From the title, steps right to the stage and starts it; in the stage, fires all the time, dodges
// what comes down, chases the lowest enemy, and drops a bomb now and then; on the stage's end
// screen, quits with Escape.
void Pilot(testing::TestGame& t, int16_t stage) {
    HeadlessKeyboard& keys = t.platform.keys;
    t.platform.events.OnPump = [&t, &keys, stage] {
        Game& g = *t;
        const bool onTitle = g.LastResult == StageResult::None;
        if (onTitle) {
            keys.Hold(GameKey::Right, g.Stage < stage);
            keys.Hold(GameKey::Z, g.Stage == stage);
            return;
        }
        if (g.StageOver) {
            keys.Hold(GameKey::Z, false);
            keys.Hold(GameKey::Escape, true);
            return;
        }
        int side = Dodge(g);
        if (side == 0 && Danger(g, g.PlayerX) == 0) {
            side = Chase(g);
            // Chasing must not walk into harm.
            if (side != 0 && Danger(g, g.PlayerX + side * g.PlayerSpeed) > 0) {
                side = 0;
            }
        }
        keys.Hold(GameKey::Left, side < 0);
        keys.Hold(GameKey::Right, side > 0);
        keys.Hold(GameKey::Down, true);
        if (g.StageFrame % 500 == 499) {
            keys.Tap(GameKey::X);
        }
    };
}

// Opens every stage in the save, then flies the run.
void FlyStage(testing::TestGame& t, const StageRun& run) {
    Game fresh(t.platform.Services(), "");
    fresh.MaxStage = kStageCount;
    fresh.SaveFile = t->SaveFile;
    std::string error;
    EXPECT_TRUE(WriteSaveData(fresh, error)) << error;
    Pilot(t, run.stage);
    EXPECT_EQ(testing::RunToEnd(t, run.seed), 0);
}

ReplayOutcome PlayBack(const Replay& replay) {
    testing::PlayedGame back(replay);
    back.Run();
    return back.playback.Played();
}

class Regression : public ::testing::TestWithParam<StageRun> {};

TEST_P(Regression, AKeptWholeStagePlaysToItsRecordedEnd) {
    const StageRun run = GetParam();
    if (const char* folder = std::getenv("VOLLEY_WRITE_REPLAYS")) {
        testing::RecordedGame recorded;
        FlyStage(recorded.t, run);
        const Replay replay = recorded.Read();
        std::ofstream(std::string(folder) + "/" + ReplayName(run), std::ios::binary)
            .write(reinterpret_cast<const char*>(EncodeReplay(replay).data()),
                   static_cast<std::streamsize>(EncodeReplay(replay).size()));
    }
    Replay replay;
    std::string error;
    ASSERT_TRUE(
        ReadReplayFile(std::string(VOLLEY_REPLAYS_DIR) + "/" + ReplayName(run), replay, error))
        << error;
    EXPECT_EQ(replay.Outcome.Stage, run.stage);
    EXPECT_TRUE(replay.Outcome.Result == StageResult::Clear ||
                replay.Outcome.Result == StageResult::GameOver)
        << "the stage was played to its end";
    const ReplayOutcome played = PlayBack(replay);
    EXPECT_EQ(played.Stage, replay.Outcome.Stage);
    EXPECT_EQ(ResultName(played.Result), std::string(ResultName(replay.Outcome.Result)));
    EXPECT_EQ(played.Score, replay.Outcome.Score);
    EXPECT_EQ(played.StateHash, replay.Outcome.StateHash);
}

INSTANTIATE_TEST_SUITE_P(WholeStages, Regression, ::testing::ValuesIn(kRuns), [](const auto& info) {
    return "Stage" + std::to_string(info.param.stage);
});

}  // namespace
}  // namespace volley
