#include "enemies/enemy_shots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "shell/reset.h"
#include "shell/startup.h"
#include "test_game.h"

namespace volley {
namespace {

class EnemyShots : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 13);
        ResetGame(*t);
        t->EnemyShotTypes[EnemyShotKind::Orb] = SpriteRect{0, 400, 8, 8};
        t->PlayerX = 200;
        t->PlayerY = 300;
        NewShot(Shot(), EnemyShotKind::Orb);
    }
    EnemyShot& Shot() { return t->EnemyShots[0]; }
    std::vector<int16_t> FanSpeeds() {
        std::vector<int16_t> vx;
        for (const EnemyShot& s : t->EnemyShots) {
            if (s.State == 1) {
                vx.push_back(s.VX);
            }
        }
        return vx;
    }
    testing::TestGame t;
};

TEST_F(EnemyShots, FansAreSymmetricAboutTheCentre) {
    SpreadShot(*t, Shot(), 3, 6, 3);
    EXPECT_EQ(FanSpeeds(), (std::vector<int16_t>{0, 3, -3}));

    ResetGame(*t);
    NewShot(Shot(), EnemyShotKind::Orb);
    SpreadShot(*t, Shot(), 3, 6, 2);
    EXPECT_EQ(FanSpeeds(), (std::vector<int16_t>{-3, 3}));

    ResetGame(*t);
    NewShot(Shot(), EnemyShotKind::Orb);
    t->EnemyShots[0].X = 40;
    SpreadShot(*t, Shot(), 2, 15, 13);
    EXPECT_EQ(FanSpeeds(), (std::vector<int16_t>{0, 2, -2, 4, -4, 6, -6, 8, -8, 10, -10, 12, -12}));
    for (const EnemyShot& s : t->EnemyShots) {
        if (s.State == 1) {
            EXPECT_EQ(s.VY, 15);
            EXPECT_EQ(s.X, 40);
            EXPECT_EQ(s.Damage, 5);
        }
    }
}

TEST_F(EnemyShots, DegenerateFansLeaveTheOneShot) {
    SpreadShot(*t, Shot(), 3, 6, 1);
    EXPECT_EQ(FanSpeeds(), (std::vector<int16_t>{0}));
    ResetGame(*t);
    NewShot(Shot(), EnemyShotKind::Orb);
    SpreadShot(*t, Shot(), 3, 6, 0);
    EXPECT_EQ(FanSpeeds(), (std::vector<int16_t>{-3}));
}

TEST_F(EnemyShots, AFanStopsWhenTheTableIsFull) {
    for (EnemyShot& s : t->EnemyShots) {
        s.State = 1;
        s.VX = 99;
    }
    t->EnemyShots[0].VX = 0;
    t->EnemyShots[7].State = 0;
    SpreadShot(*t, Shot(), 3, 6, 5);
    EXPECT_EQ(t->EnemyShots[0].VX, 0);
    EXPECT_EQ(t->EnemyShots[7].VX, 3) << "one clone made";
    EXPECT_EQ(std::count_if(t->EnemyShots.begin(), t->EnemyShots.end(),
                            [](const EnemyShot& s) { return s.VX == 99; }),
              399);
}

TEST_F(EnemyShots, AVeryWideFanMakesNoMoreThanItsListHolds) {
    SpreadShot(*t, Shot(), 1, 6, 40);
    EXPECT_EQ(FanSpeeds().size(), 32u);
}

TEST_F(EnemyShots, ShotsStartAtTheFiringEnemysCentreRoundedToEven) {
    t->EnemyTypes[EnemyKind::Interceptor] = SpriteRect{0, 64, 33, 20};
    t->Enemies[3].Kind = EnemyKind::Interceptor;
    t->Enemies[3].X = 10;
    t->Enemies[3].Y = 7;
    ShotFromEnemyCentre(*t, t->Enemies[3], Shot());
    EXPECT_EQ(t->EnemyShots[0].X, 26);  // 26.5 to even
    EXPECT_EQ(t->EnemyShots[0].Y, 17);
    t->Enemies[3].X = 11;
    ShotFromEnemyCentre(*t, t->Enemies[3], Shot());
    EXPECT_EQ(t->EnemyShots[0].X, 28);  // 27.5 to even
}

TEST_F(EnemyShots, RandomShotsAreNeverSlowOnBothAxes) {
    for (float scale : {1.0f, 1.2f, 2.0f}) {
        const int high = scale == 1.0f ? 9 : (scale == 2.0f ? 19 : 11);
        for (int i = 0; i < 2000; ++i) {
            RandomShotVelocity(*t, Shot(), scale);
            const EnemyShot& s = t->EnemyShots[0];
            EXPECT_TRUE(std::abs(s.VX) >= 3 || std::abs(s.VY) >= 3);
            EXPECT_GE(s.VX, -high - 1);
            EXPECT_LE(s.VX, high);
            EXPECT_GE(s.VY, -high - 1);
            EXPECT_LE(s.VY, high);
        }
    }
}

TEST_F(EnemyShots, ShotsLeaveOnePixelPastTheEdgeButHitFirst) {
    EnemyShot& edge = t->EnemyShots[0];
    edge = EnemyShot{1, EnemyShotKind::Orb, static_cast<int16_t>(t->ScreenWidth), 100, 0, 0, 5};
    EnemyShot& past = t->EnemyShots[1];
    past = EnemyShot{1, EnemyShotKind::Orb, static_cast<int16_t>(t->ScreenWidth), 100, 1, 0, 5};
    EnemyShot& leaving = t->EnemyShots[2];
    t->PlayerX = 0;
    t->PlayerY = 100;
    leaving = EnemyShot{1, EnemyShotKind::Orb, 2, 100, -3, 0, 5};  // reaches x = -1 over the ship
    UpdateEnemyShots(*t);
    EXPECT_EQ(edge.State, 1);
    EXPECT_EQ(past.State, 0);
    EXPECT_EQ(leaving.State, 0);
    EXPECT_EQ(t->PlayerEnergy, 95) << "it hit the ship on its way out";
}

TEST_F(EnemyShots, EveryTouchingShotDamagesEvenUnderTheContactGuard) {
    t->ContactGuard = true;
    t->EnemyShots[0] = EnemyShot{1, EnemyShotKind::Orb, 210, 310, 0, 0, 5};
    t->EnemyShots[1] = EnemyShot{1, EnemyShotKind::Orb, 215, 305, 0, 0, 10};
    t->EnemyShots[2] = EnemyShot{1, EnemyShotKind::Orb, 300, 310, 0, 0, 10};
    UpdateEnemyShots(*t);
    EXPECT_EQ(t->PlayerEnergy, 85);
    EXPECT_EQ(t->EnemyShots[0].State, 0);
    EXPECT_EQ(t->EnemyShots[1].State, 0);
    EXPECT_EQ(t->EnemyShots[2].State, 1);
}

}  // namespace
}  // namespace volley
