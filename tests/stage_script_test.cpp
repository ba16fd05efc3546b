#include "stages/stage_script.h"

#include <gtest/gtest.h>

#include "shell/reset.h"
#include "shell/startup.h"
#include "stage_census.h"
#include "stages/script_steps.h"
#include "stages/spawn.h"
#include "test_game.h"

namespace volley {
namespace {

class StageScript : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 2);
        ResetGame(*t);
        t->EnemyTypes[EnemyKind::PowerItem] = SpriteRect{0, 0, 16, 16};
        t->EnemyTypes[EnemyKind::Stage1Boss] = SpriteRect{0, 0, 128, 96};
        t->EnemyTypes[EnemyKind::Dart] = SpriteRect{0, 0, 31, 32};
    }
    testing::TestGame t;
};

TEST_F(StageScript, ASpawnIsCentredOnItsColumnRoundingDown) {
    // ScreenWidth 451: column 4 is x = 225.5; a 31-wide cell starts at 225.5 - 15.5 = 210.
    SpawnEnemy(*t, EnemyKind::Dart, 4, 0);
    EXPECT_EQ(t->Enemies[0].X, 210);
    SpawnEnemy(*t, EnemyKind::Dart, 1, 0);  // 56.375 - 15.5 = 40.875
    EXPECT_EQ(t->Enemies[1].X, 40);
    SpawnEnemy(*t, EnemyKind::Dart, 7, 0);  // 394.625 - 15.5 = 379.125
    EXPECT_EQ(t->Enemies[2].X, 379);
    SpawnEnemy(*t, EnemyKind::Stage1Boss, 1, 0);  // 56.375 - 64 = -7.625 rounds down to -8
    EXPECT_EQ(t->Enemies[3].X, -8);
}

TEST_F(StageScript, ASpawnTakesTheLowestFreeSlotWithItsKindsValues) {
    t->Enemies[0].State = 1;
    t->Enemies[2].State = 2;
    SpawnEnemy(*t, EnemyKind::TwinHull, 4, t->ScreenHeight);
    const Enemy& e = t->Enemies[1];
    EXPECT_EQ(e.State, 1);
    EXPECT_EQ(e.Kind, EnemyKind::TwinHull);
    EXPECT_EQ(e.Y, t->ScreenHeight);
    EXPECT_EQ(e.HP, 20);
    EXPECT_EQ(e.VY, 6);
    EXPECT_EQ(e.VX, 0);
    EXPECT_EQ(e.ContactDamage, 5);
    EXPECT_EQ(e.Score, 1000);
    SpawnEnemy(*t, static_cast<EnemyKind>(40), 4, 0);
    EXPECT_EQ(t->Enemies[3].HP, 1);
    EXPECT_EQ(t->Enemies[3].VY, 6);
    EXPECT_EQ(t->Enemies[3].Score, 50);
    EXPECT_EQ(t->Enemies[3].ContactDamage, 0);
    for (Enemy& slot : t->Enemies) {
        slot.State = 1;
    }
    SpawnEnemy(*t, EnemyKind::Dart, 4, 0);  // a full table: nothing happens
    EXPECT_EQ(t->Enemies[100].Kind, EnemyKind::PowerItem);
}

TEST_F(StageScript, PeriodsHoldOnFrameZeroAndRangesIncludeTheirEnds) {
    t->StageFrame = 0;
    EXPECT_TRUE(EveryFrames(*t, 7));
    EXPECT_TRUE(FramesEvery(*t, 0, 200, 20));
    t->StageFrame = 200;
    EXPECT_TRUE(FramesEvery(*t, 0, 200, 20));
    EXPECT_FALSE(FramesEvery(*t, 0, 199, 20));
    t->StageFrame = 210;
    EXPECT_FALSE(FramesEvery(*t, 200, 400, 20));
}

TEST_F(StageScript, AlternationsCycleThroughTheirAlternatives) {
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        seen.push_back(Alternate(*t, 2));
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 0, 1, 0}));
    EXPECT_EQ(t->ScriptToggle, 1);
    EXPECT_EQ(Alternate(*t, 6), 1) << "a longer alternation carries on from the counter";
    ResetAlternation(*t);
    EXPECT_EQ(t->ScriptToggle, 0);
}

TEST_F(StageScript, AStageOutsideTheEightDoesNothing) {
    for (int16_t stage : {0, 9, -1}) {
        t->Stage = stage;
        testing::Census census = testing::TakeCensus(*t, 7000);
        EXPECT_EQ(census.framesWithSpawns, 0) << stage;
    }
}

TEST_F(StageScript, TheBossStagesArmTheShipThenBringTheBoss) {
    t->Stage = 6;
    testing::Census six = testing::TakeCensus(*t, 199);
    EXPECT_EQ(six.framesWithSpawns, 1);
    EXPECT_EQ(six.Items(0), 3);
    EXPECT_EQ(six.Enemies(), 0);
    testing::TakeCensus(*t, 200);
    EXPECT_EQ(t->BossKind, EnemyKind::Stage6Boss);

    t->Stage = 8;
    testing::Census eight = testing::TakeCensus(*t, 199);
    EXPECT_EQ(eight.framesWithSpawns, 2);
    EXPECT_EQ(eight.Items(0), 4);
    testing::TakeCensus(*t, 200);
    EXPECT_EQ(t->BossKind, EnemyKind::FinalBoss);
}

}  // namespace
}  // namespace volley
