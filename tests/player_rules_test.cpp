#include "player/player_rules.h"

#include <gtest/gtest.h>

#include "shell/reset.h"
#include "shell/startup.h"
#include "test_game.h"

namespace volley {
namespace {

class PlayerRules : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 1);
        ResetGame(*t);
        t->PlayerX = 100;
        t->PlayerY = 200;
    }
    const std::vector<const std::vector<uint8_t>*>& Played() { return t.platform.sound.Played; }
    testing::TestGame t;
};

TEST_F(PlayerRules, TheTouchTestShrinksTheOtherBoxByTwoPixels) {
    // Left of the ship: OX + OW - 2 must pass PlayerX.
    EXPECT_FALSE(TouchesPlayer(*t, 90, 200, 12, 10));  // 90 + 12 - 2 = 100: no
    EXPECT_TRUE(TouchesPlayer(*t, 91, 200, 12, 10));
    // Right of the ship: OX + 2 must stay below PlayerX + 32.
    EXPECT_FALSE(TouchesPlayer(*t, 130, 200, 12, 10));
    EXPECT_TRUE(TouchesPlayer(*t, 129, 200, 12, 10));
    // Above and below.
    EXPECT_FALSE(TouchesPlayer(*t, 100, 190, 10, 12));
    EXPECT_TRUE(TouchesPlayer(*t, 100, 191, 10, 12));
    EXPECT_FALSE(TouchesPlayer(*t, 100, 230, 10, 12));
    EXPECT_TRUE(TouchesPlayer(*t, 100, 229, 10, 12));
    t->PlayerDown = true;
    EXPECT_FALSE(TouchesPlayer(*t, 100, 200, 32, 32)) << "nothing touches a downed ship";
}

TEST_F(PlayerRules, AHitPastTheEnergyDownsTheShipWithEverythingElseApplied) {
    t->PlayerEnergy = 20;
    DamagePlayer(*t, 30);
    EXPECT_EQ(t->PlayerEnergy, -10);
    EXPECT_TRUE(t->PlayerDown);
    EXPECT_EQ(t->PowerGuard, 4);
    ASSERT_EQ(Played().size(), 1u);
    EXPECT_EQ(Played()[0], &t->SndHitB);
}

TEST_F(PlayerRules, ThePowerGuardCycles) {
    t->PowerLevel = 3;
    t->PowerGuard = 5;
    for (int hit = 1; hit <= 5; ++hit) {
        DamagePlayer(*t, 1);
    }
    EXPECT_EQ(t->PowerLevel, 2);
    EXPECT_EQ(t->PowerGuard, 7);
    for (int hit = 1; hit <= 7; ++hit) {
        DamagePlayer(*t, 1);
    }
    EXPECT_EQ(t->PowerLevel, 1);
    EXPECT_EQ(t->PowerGuard, 7);
    for (int hit = 1; hit <= 7; ++hit) {
        DamagePlayer(*t, 1);
    }
    EXPECT_EQ(t->PowerLevel, 1) << "level 1 is never lowered";
    EXPECT_EQ(t->PowerGuard, 7);
    EXPECT_EQ(t->PlayerEnergy, 100 - 19);
    EXPECT_FALSE(t->PlayerDown);
}

TEST_F(PlayerRules, ItemsRaiseTheShipOrTurnIntoScoreWhenFull) {
    t->PowerGuard = 2;
    CollectItem(*t, EnemyKind::PowerItem, 500);
    EXPECT_EQ(t->PowerLevel, 2);
    EXPECT_EQ(t->PowerGuard, 7);
    EXPECT_EQ(t->Score, 0);

    t->PowerLevel = 5;
    t->PowerGuard = 3;
    CollectItem(*t, EnemyKind::PowerItem, 500);
    EXPECT_EQ(t->PowerLevel, 5);
    EXPECT_EQ(t->Score, 500);
    EXPECT_EQ(t->PowerGuard, 7);
    EXPECT_TRUE(t->LabelDirty[LabelId::Score]);

    CollectItem(*t, EnemyKind::BombItem, 500);
    EXPECT_EQ(t->Bombs, 4);
    EXPECT_TRUE(t->LabelDirty[LabelId::Bombs]);

    t->PlayerEnergy = 90;
    CollectItem(*t, EnemyKind::EnergyItem, 300);
    EXPECT_EQ(t->PlayerEnergy, 100);
    EXPECT_EQ(t->Score, 500);
    CollectItem(*t, EnemyKind::EnergyItem, 300);
    EXPECT_EQ(t->PlayerEnergy, 100);
    EXPECT_EQ(t->Score, 800);
    t->PlayerEnergy = 50;
    CollectItem(*t, EnemyKind::EnergyItem, 300);
    EXPECT_EQ(t->PlayerEnergy, 70);

    ASSERT_EQ(Played().size(), 6u);
    for (const auto* sound : Played()) {
        EXPECT_EQ(sound, &t->SndUP);
    }
}

}  // namespace
}  // namespace volley
