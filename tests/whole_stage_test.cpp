// Whole stages on the headless platform, with a scripted pilot.

#include <gtest/gtest.h>

#include "shell/game_loop.h"
#include "shell/scenes.h"
#include "shell/shutdown.h"
#include "shell/startup.h"
#include "test_game.h"

namespace volley {
namespace {

struct Outcome {
    int32_t stageFrame = 0;
    int32_t score = 0;
    int16_t energy = 0;
    int16_t bossKind = 0;
    bool bossInTable = false;
    bool stageOver = false;
    std::string result;
    uint64_t tableHash = 0;
};

// Plays `stage` with fire held and the ship weaving left and right, until `lastFrame` or the end
// of the stage.
Outcome PlayStage(int16_t stage, int32_t lastFrame, uint64_t seed) {
    testing::TestGame t;
    Main(*t, seed);
    t->Stage = stage;
    t->MaxStage = 8;
    StartGame(*t);
    t.platform.keys.Hold(GameKey::Z, true);
    t.platform.events.OnPump = [&] {
        const bool left = (t->StageFrame / 40) % 2 == 0;
        t.platform.keys.Hold(GameKey::Left, left);
        t.platform.keys.Hold(GameKey::Right, !left);
        if (t->StageOver || t->StageFrame >= lastFrame) {
            t.platform.keys.Tap(GameKey::Escape);
            t.platform.events.RequestClose();
        }
    };
    EXPECT_THROW(GameLoop(*t), CloseRequested);
    Outcome o;
    o.stageFrame = t->StageFrame;
    o.score = t->Score;
    o.energy = t->PlayerEnergy;
    o.bossKind = static_cast<int16_t>(RowOf(t->BossKind));
    o.stageOver = t->StageOver;
    o.result = t->Form1.DisplayLabel[LabelId::Result].Caption;
    for (const Enemy& e : t->Enemies) {
        o.bossInTable |= e.State != 0 && e.Kind == t->BossKind && t->BossKind != kNoBossYet;
        o.tableHash = o.tableHash * 31 + static_cast<uint64_t>(e.State * 1000 + e.X * 7 + e.Y);
    }
    for (const EnemyShot& s : t->EnemyShots) {
        o.tableHash = o.tableHash * 31 + static_cast<uint64_t>(s.State * 1000 + s.X * 7 + s.Y);
    }
    return o;
}

TEST(WholeStage, StageOneRunsToItsBossOrToTheShipsEnd) {
    const Outcome o = PlayStage(1, 6210, 21);
    if (o.stageOver) {
        EXPECT_EQ(o.result, "GAMEOVER");
        EXPECT_LE(o.energy, 0);
    } else {
        EXPECT_EQ(o.bossKind, 21);
        EXPECT_TRUE(o.bossInTable);
        EXPECT_GE(o.stageFrame, 6201);
    }
    EXPECT_GT(o.score, 0) << "the pilot shot something down";
}

TEST(WholeStage, TheSameSeedAndInputReplayTheSameGame) {
    const Outcome a = PlayStage(2, 1500, 99);
    const Outcome b = PlayStage(2, 1500, 99);
    const Outcome c = PlayStage(2, 1500, 100);
    EXPECT_EQ(a.stageFrame, b.stageFrame);
    EXPECT_EQ(a.score, b.score);
    EXPECT_EQ(a.energy, b.energy);
    EXPECT_EQ(a.tableHash, b.tableHash);
    EXPECT_NE(a.tableHash, c.tableHash) << "another seed plays another game";
}

TEST(WholeStage, EveryStageRunsAThousandFramesWithoutLeavingItsRanges) {
    for (int16_t stage = 1; stage <= 8; ++stage) {
        const Outcome o = PlayStage(stage, 1000, static_cast<uint64_t>(stage));
        EXPECT_GE(o.stageFrame, 1) << stage;
        EXPECT_LE(o.energy, 100) << stage;
    }
}

}  // namespace
}  // namespace volley
