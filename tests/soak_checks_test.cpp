// The soak's range checks: quiet on a game in play, loud and precise about a field out of range.

#include <gtest/gtest.h>

#include "player/player_rules.h"
#include "shell/game_loop.h"
#include "shell/scenes.h"
#include "shell/startup.h"
#include "soak/table_checks.h"
#include "test_game.h"

namespace volley {
namespace {

class SoakChecks : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 4);
        t->Stage = 1;
        StartGame(*t);
        for (int i = 0; i < 30; ++i) {
            StepFrame(*t);
        }
        testing::PlaceEnemy(*t, 5, EnemyKind::Stage1Boss, 100, 40);
        t->EnemyShots[400] = EnemyShot{1, EnemyShotKind::Orb, 50, 60, 0, 4, 5};
    }
    testing::TestGame t;
};

TEST_F(SoakChecks, AStageInPlayIsInRange) {
    EXPECT_EQ(CheckTables(*t), "");
    // A free slot keeps whatever it last held; only taken slots are looked at.
    t->Enemies[7] = Enemy{};
    t->Enemies[7].Kind = static_cast<EnemyKind>(999);
    t->Enemies[7].X = -5000;
    EXPECT_EQ(CheckTables(*t), "");
}

TEST_F(SoakChecks, EachTableNamesTheSlotAndFieldOutOfRange) {
    Game& g = *t;
    g.Enemies[5].Kind = static_cast<EnemyKind>(101);
    EXPECT_EQ(CheckTables(g).rfind("Enemies[5].Kind = 101, outside 0 .. 100", 0), 0u)
        << CheckTables(g);
    g.Enemies[5].Kind = EnemyKind::Stage1Boss;
    g.Enemies[5].Y = static_cast<int16_t>(g.ScreenHeight + 1);
    EXPECT_EQ(CheckTables(g).rfind("Enemies[5].Y", 0), 0u) << "an active enemy below the field";
    g.Enemies[5].State = 2;  // exploding, it may fall below
    EXPECT_EQ(CheckTables(g), "");
    g.EnemyShots[400].X = -1;
    EXPECT_EQ(CheckTables(g), "EnemyShots[400].X = -1, outside 0 .. 451");
    g.EnemyShots[400].X = 60;
    g.PlayerShots[200] = PlayerShot{1, PlayerShotKind::Wide, 1, 10, 10, 0, 0};
    EXPECT_EQ(CheckTables(g), "PlayerShots[200].VY = 0, outside -64 .. -1");
    g.PlayerShots[200].State = 0;
    g.Stars[10].Speed = 11;
    EXPECT_EQ(CheckTables(g), "Stars[10].Speed = 11, outside 3 .. 10");
}

TEST_F(SoakChecks, CountersAndCursorsAreCheckedAtTheirLimits) {
    Game& g = *t;
    g.CurShot = kEnemyShotSlots - 1;
    g.CurEnemy = kEnemySlots - 1;
    g.PowerLevel = 5;
    g.PlayerEnergy = kFullEnergy;
    EXPECT_EQ(CheckTables(g), "");
    g.CurShot = kEnemyShotSlots;
    EXPECT_EQ(CheckTables(g), "CurShot = 401, outside 0 .. 400");
    g.CurShot = 0;
    g.PowerLevel = 0;
    EXPECT_EQ(CheckTables(g), "PowerLevel = 0, outside 1 .. 5");
    g.PowerLevel = 1;
    g.PlayerEnergy = 0;  // no energy left but still flying
    EXPECT_EQ(CheckTables(g), "PlayerEnergy = 0, outside 1 .. 100");
    g.PlayerDown = true;
    EXPECT_EQ(CheckTables(g), "");
    g.BossKind = EnemyKind::Escort;  // an escort, never a stage's boss
    EXPECT_EQ(CheckTables(g), "BossKind is not a boss");
    g.BossKind = kNoBossYet;
    g.LabelDirty[LabelId::Bombs] = true;
    EXPECT_EQ(CheckTables(g), "a label flag was left raised after the frame");
}

}  // namespace
}  // namespace volley
