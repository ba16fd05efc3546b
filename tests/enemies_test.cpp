#include "enemies/enemies.h"

#include <gtest/gtest.h>

#include "shell/game_loop.h"
#include "shell/reset.h"
#include "shell/startup.h"
#include "stages/spawn.h"
#include "test_game.h"

namespace volley {
namespace {

class Enemies : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 3);
        ResetGame(*t);
        t->Stage = 0;  // no script: the tests place every enemy themselves
        t->PlayerX = 200;
        t->PlayerY = 300;
        t->EnemyTypes[EnemyKind::ArmourBlock] = SpriteRect{0, 64, 32, 32};
        t->EnemyTypes[EnemyKind::Dart] = SpriteRect{32, 64, 32, 32};
        t->EnemyTypes[EnemyKind::EnergyItem] = SpriteRect{0, 0, 16, 16};
    }
    // An enemy of `kind` with its kind's values, standing still at (x, y).
    Enemy& Place(int slot, EnemyKind kind, int x, int y) {
        Enemy& e = testing::PlaceEnemy(*t, slot, kind, x, y);
        e.VY = 0;
        return e;
    }
    testing::TestGame t;
};

TEST_F(Enemies, LeavingTheFieldFreesTheSlotAtOnePixelPastTheEdges) {
    const int w = t->ScreenWidth;
    const int h = t->ScreenHeight;
    Place(0, EnemyKind::Dart, -1, 100);
    Place(1, EnemyKind::Dart, w, 100);
    Place(2, EnemyKind::Dart, w + 1, 100);
    Place(3, EnemyKind::Dart, 100, -1);
    Place(4, EnemyKind::Dart, 100, h);
    Place(5, EnemyKind::Dart, 100, h + 1);
    Place(6, EnemyKind::Dart, 0, 0);
    UpdateEnemies(*t);
    const uint8_t expected[] = {0, 1, 0, 0, 1, 0, 1};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(t->Enemies[i].State, expected[i]) << i;
        EXPECT_EQ(t->Enemies[i].Age, 1) << i;
    }
    EXPECT_EQ(t->Score, 0) << "leaving gives nothing";
}

TEST_F(Enemies, EnemiesMoveByTheirVelocity) {
    Enemy& e = Place(0, EnemyKind::Dart, 100, 100);
    e.VX = -3;
    e.VY = 6;
    UpdateEnemies(*t);
    EXPECT_EQ(e.X, 97);
    EXPECT_EQ(e.Y, 106);
}

TEST_F(Enemies, ASurvivingRamRaisesTheGuardForNineteenFrames) {
    Enemy& e = Place(0, EnemyKind::ArmourBlock, 200, 300);  // a kind that neither fires nor steers
    e.HP = 3;
    std::vector<int16_t> energy;
    for (int frame = 0; frame < 21; ++frame) {
        RunFrame(*t);
        energy.push_back(t->PlayerEnergy);
    }
    EXPECT_EQ(energy[0], 95);
    EXPECT_EQ(energy[19], 95) << "frames 1 to 19 are guarded";
    EXPECT_EQ(energy[20], 90) << "contact counts again in the 20th frame";
    EXPECT_EQ(e.HP, 1);
    EXPECT_EQ(t.platform.sound.Played.size(), 2u);
}

TEST_F(Enemies, ARamThatDestroysRaisesNoGuard) {
    Enemy& first = Place(0, EnemyKind::Dart, 200, 300);  // HP 1
    Enemy& second = Place(1, EnemyKind::Dart, 205, 305);
    UpdateEnemies(*t);
    EXPECT_EQ(first.State, 2);
    EXPECT_FALSE(t->ContactGuard);
    EXPECT_EQ(second.State, 2) << "the second enemy in the same frame still rams";
    EXPECT_EQ(t->PlayerEnergy, 90);
}

TEST_F(Enemies, ItemsAreTakenEvenWhileGuarded) {
    t->ContactGuard = true;
    t->PlayerEnergy = 50;
    Enemy& item = Place(0, EnemyKind::EnergyItem, 205, 305);
    Enemy& enemy = Place(1, EnemyKind::Dart, 200, 300);
    UpdateEnemies(*t);
    EXPECT_EQ(item.State, 0);
    EXPECT_EQ(t->PlayerEnergy, 70);
    EXPECT_EQ(enemy.State, 1) << "guarded: the enemy is not hurt";
    EXPECT_EQ(enemy.HP, 1);
}

TEST_F(Enemies, NothingTouchesADownedShip) {
    t->PlayerDown = true;
    Enemy& item = Place(0, EnemyKind::EnergyItem, 205, 305);
    Place(1, EnemyKind::Dart, 200, 300);
    UpdateEnemies(*t);
    EXPECT_EQ(item.State, 1);
    EXPECT_EQ(t->PlayerEnergy, 100);
}

TEST_F(Enemies, ExplodingSlotsAreLeftToTheExplosion) {
    Enemy& e = Place(0, EnemyKind::Dart, 100, 100);
    e.State = 2;
    e.VY = 5;
    UpdateEnemies(*t);
    EXPECT_EQ(e.Y, 100);
    EXPECT_EQ(e.Age, 0);
}

}  // namespace
}  // namespace volley
