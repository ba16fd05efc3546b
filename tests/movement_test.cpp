#include "enemies/movement.h"

#include <gtest/gtest.h>

#include "enemies/patterns.h"
#include "shell/reset.h"
#include "shell/startup.h"
#include "stages/spawn.h"
#include "test_game.h"

namespace volley {
namespace {

class Movement : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 11);
        ResetGame(*t);
        for (int kind = 3; kind <= 41; ++kind) {
            t->EnemyTypes.Items[kind] = SpriteRect{0, 64, 32, 32};
        }
        t->PlayerX = 100;
        t->PlayerY = 300;
    }
    Enemy& Place(EnemyKind kind, int x, int y) { return testing::PlaceEnemy(*t, 0, kind, x, y); }
    // One update's worth of movement: age, then the pattern and the move.
    void Step(Enemy& e) {
        e.Age += 1;
        EnemyMovePattern(*t, 0);
    }
    testing::TestGame t;
};

// A seed whose first two draws both fall below 1/90, so that both aim offsets are 29.
uint64_t SeedForSmallestAim() {
    for (uint64_t seed = 0;; ++seed) {
        Random r(seed);
        if (r.Next() * 90 < 1 && r.Next() * 90 < 1) {
            return seed;
        }
    }
}

TEST_F(Movement, AimingTakesTheNearestPointOfItsRandomTarget) {
    Enemy& e = Place(EnemyKind::Dart, 100, 100);
    t->Rng.Seed(SeedForSmallestAim());
    AimEnemy(*t, e, 8);
    // DX = 29 + 132 - 100 = 61, DY = 29 + 332 - 100 = 261, D = 268.
    EXPECT_EQ(e.VX, 2);
    EXPECT_EQ(e.VY, 8);
}

TEST_F(Movement, ChanceDrawsOneNumberWithOddsOneInN) {
    Random replay = t->Rng;
    int yes = 0;
    for (int i = 0; i < 4000; ++i) {
        yes += Chance(*t, 4) ? 1 : 0;
        EXPECT_EQ(Chance(*t, 1), true);
    }
    EXPECT_NEAR(yes, 1000, 120);
    for (int i = 0; i < 8000; ++i) {
        replay.Next();
    }
    EXPECT_EQ(t->Rng.Next(), replay.Next());
}

TEST_F(Movement, KindThreeAimsOnceAtAgeThirty) {
    Enemy& e = Place(EnemyKind::Dart, 100, 0);
    for (int age = 1; age <= 29; ++age) {
        Step(e);
        EXPECT_EQ(e.VX, 0);
        EXPECT_EQ(e.VY, 6);
    }
    Step(e);
    EXPECT_NE(e.VX, 0) << "aimed to the ship's lower right";
    const Enemy after = e;
    Step(e);
    EXPECT_EQ(e.VX, after.VX);
    EXPECT_EQ(e.VY, after.VY);
}

TEST_F(Movement, KindNineReAimsEveryTwentyFramesButNotFirst) {
    Enemy& e = Place(EnemyKind::Seeker, 300, 0);
    Random replay = t->Rng;
    Step(e);
    EXPECT_EQ(t->Rng.Next(), replay.Next()) << "no draw at age 1";
    t->Rng = replay;
    for (int age = 2; age <= 20; ++age) {
        Step(e);
    }
    EXPECT_NE(e.VX, 0);
}

TEST_F(Movement, KindFiveDashesOnceWhenTheShipIsInItsRow) {
    Enemy& e = Place(EnemyKind::Interceptor, 100,
                     300 - 14);  // Y + 18 < PlayerY + 32 needs Y < 314; PlayerY < Y + 16
    e.X = t->PlayerX;            // level with the ship: dashes left
    Step(e);
    EXPECT_EQ(e.VX, -30);
    EXPECT_EQ(e.VY, 0);
    e.X = 0;
    Step(e);
    EXPECT_EQ(e.VX, -30) << "only once in its life";

    Enemy& late =
        Place(EnemyKind::Interceptor, 300, 300 - 16);  // PlayerY < Y + 32 - 16 fails at 284
    Step(late);
    EXPECT_EQ(late.VX, 0);
}

TEST_F(Movement, KindSevenStopsAtItsTimerBeforeMoving) {
    Enemy& e = Place(EnemyKind::TurretPod, 100, 0);
    Step(e);
    e.MoveTimer = 10;
    for (int age = 2; age <= 9; ++age) {
        Step(e);
    }
    EXPECT_EQ(e.Y, 9 * 7);
    Step(e);
    EXPECT_EQ(e.Y, 9 * 7) << "stopped before the move of its tenth update";
    EXPECT_EQ(e.MoveFlag, 1);
}

TEST_F(Movement, SwayersSwingRightThenBothWays) {
    Enemy& e = Place(EnemyKind::Stage1Boss, 200, 0);
    for (int age = 1; age <= 9; ++age) {
        Step(e);
    }
    EXPECT_EQ(e.X, 200);
    std::vector<int16_t> vx;
    for (int age = 10; age <= 160; ++age) {
        Step(e);
        vx.push_back(e.VX);
    }
    EXPECT_EQ(vx[0], 5);    // age 10
    EXPECT_EQ(vx[29], 5);   // age 39
    EXPECT_EQ(vx[30], -5);  // age 40
    EXPECT_EQ(vx[89], -5);  // age 99
    EXPECT_EQ(vx[90], 5);   // age 100
    EXPECT_EQ(e.VY, 0);
}

TEST_F(Movement, BobbersBounceBetweenTheirHeights) {
    Enemy& e = Place(EnemyKind::Stage7Boss, 200, 0);
    int16_t lowest = 0;
    for (int i = 0; i < 300; ++i) {
        Step(e);
        lowest = std::max(lowest, e.Y);
        EXPECT_GE(e.Y, 0);
    }
    EXPECT_LE(lowest, t->ScreenHeight * 0.6 + 3);
    EXPECT_GE(lowest, t->ScreenHeight * 0.6 - 3);
    EXPECT_EQ(e.X, 200);
}

TEST_F(Movement, TheChaserTurnsAtTheWallWhateverSideTheShipIsOn) {
    Enemy& e = Place(EnemyKind::Stage2Boss, 0, 300);
    e.Age = 20;
    e.MoveFlag = 1;
    e.X = static_cast<int16_t>(t->ScreenWidth * 0.85 + 1);
    t->PlayerX = 420;  // level in the row, to the right
    Step(e);
    EXPECT_EQ(e.VX, -4);
    e.X = 200;
    Step(e);
    EXPECT_EQ(e.VX, 4) << "the ship is level in its row, to its right: it dashes at it";
}

TEST_F(Movement, KindTwentySevenJumpsEveryTwoHundredFrames) {
    Enemy& e = Place(EnemyKind::Stage5Boss, 100, 100);
    e.Age = 19;
    Step(e);
    EXPECT_EQ(e.VX, 3);
    EXPECT_EQ(e.VY, 0);
    e.Age = 199;
    e.X = 150;
    Random replay = t->Rng;
    Step(e);
    const int x = static_cast<int>(t->ScreenWidth * 0.7 * replay.Next());
    const int y = static_cast<int>(t->ScreenHeight * 0.7 * replay.Next());
    EXPECT_EQ(e.X, x + 3) << "jumps, then moves by its velocity in the same frame";
    EXPECT_EQ(e.Y, y);
}

TEST_F(Movement, WallsPushTheEnemyBackInward) {
    Enemy& e = Place(EnemyKind::Escort, 0, 100);
    e.Age = 20;
    Step(e);
    EXPECT_EQ(e.VX, 6);
    e.X = static_cast<int16_t>(t->ScreenWidth * 0.85);  // 383, short of 383.35
    Step(e);
    EXPECT_EQ(e.VX, 6);
    e.X = 384;
    Step(e);
    EXPECT_EQ(e.VX, -6);
    e.X = static_cast<int16_t>(t->ScreenWidth * 0.05);
    Step(e);
    EXPECT_EQ(e.VX, 6);
}

}  // namespace
}  // namespace volley
