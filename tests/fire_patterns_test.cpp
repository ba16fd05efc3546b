#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "enemies/patterns.h"
#include "shell/reset.h"
#include "shell/startup.h"
#include "stages/spawn.h"
#include "test_game.h"

namespace volley {
namespace {

class FirePatterns : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 17);
        ResetGame(*t);
        for (int kind = 3; kind <= 41; ++kind) {
            t->EnemyTypes.Items[kind] = SpriteRect{0, 64, 32, 32};
        }
        t->EnemyTypes[EnemyKind::Stage1Boss] = SpriteRect{0, 128, 94, 59};
        t->PlayerX = 400;  // out of every enemy's row and column below
        t->PlayerY = 480;
    }
    Enemy& Place(EnemyKind kind, int x, int y) { return testing::PlaceEnemy(*t, 0, kind, x, y); }
    int ShotsInFlight() {
        return static_cast<int>(std::count_if(t->EnemyShots.begin(), t->EnemyShots.end(),
                                              [](const EnemyShot& s) { return s.State == 1; }));
    }
    // Fires at the given age with an empty shot table; returns how many shots it made.
    int FireAt(Enemy& e, int32_t age) {
        for (EnemyShot& s : t->EnemyShots) {
            s = EnemyShot{};
        }
        e.Age = age;
        FireEnemyShots(*t, 0);
        return ShotsInFlight();
    }
    testing::TestGame t;
};

TEST_F(FirePatterns, RegularFiresComeOnTheirPeriods) {
    Enemy& fan = Place(EnemyKind::Saucer, 100, 100);
    for (int32_t age = 1; age < 40; ++age) {
        EXPECT_EQ(FireAt(fan, age), 0) << age;
    }
    EXPECT_EQ(FireAt(fan, 40), 3);
    EXPECT_EQ(t->EnemyShots[0].Kind, EnemyShotKind::FanOrb);
    EXPECT_EQ(t->EnemyShots[0].VY, 6);

    Enemy& stream = Place(EnemyKind::Gunboat, 100, 100);
    EXPECT_EQ(FireAt(stream, 7), 0);
    EXPECT_EQ(FireAt(stream, 8), 1);
    EXPECT_EQ(t->EnemyShots[0].Kind, EnemyShotKind::Needle);
    EXPECT_EQ(t->EnemyShots[0].VX, 0);
    EXPECT_EQ(t->EnemyShots[0].VY, 12);
}

TEST_F(FirePatterns, TheFirstBossFansOnlyInTheFirstPartOfLaterCycles) {
    Enemy& boss = Place(EnemyKind::Stage1Boss, 100, 100);
    std::set<int32_t> fans;
    for (int32_t age = 1; age <= 1100; ++age) {
        boss.Age = age;
        for (EnemyShot& s : t->EnemyShots) {
            s = EnemyShot{};
        }
        FireEnemyShots(*t, 0);
        if (ShotsInFlight() == 5) {
            fans.insert(age);
        }
    }
    EXPECT_EQ(*fans.begin(), 504);
    EXPECT_TRUE(fans.count(696));
    EXPECT_FALSE(fans.count(708));
    EXPECT_TRUE(fans.count(1008));
    EXPECT_EQ(fans.size(), 17u + 8u);  // 504..696, then 1008..1092
    EXPECT_EQ(*fans.upper_bound(696), 1008);
}

TEST_F(FirePatterns, AFullShotTableStopsThePatternAltogether) {
    Enemy& boss = Place(EnemyKind::Stage1Boss, 100, 100);
    boss.FireStep = 1;
    for (EnemyShot& s : t->EnemyShots) {
        s.State = 1;
    }
    boss.Age = 700;  // r = 200: would switch the fans off
    FireEnemyShots(*t, 0);
    EXPECT_EQ(boss.FireStep, 1);
    t->EnemyShots[50].State = 0;
    FireEnemyShots(*t, 0);
    EXPECT_EQ(boss.FireStep, 0);
}

TEST_F(FirePatterns, KindTwentySevenShootsStraightAtAShipInLine) {
    Enemy& boss = Place(EnemyKind::Stage5Boss, 200, 100);
    t->PlayerX = 210;  // right below it
    t->PlayerY = 450;
    for (int32_t age = 1; age <= 30; ++age) {
        const int made = FireAt(boss, age);
        EXPECT_EQ(made, age % 10 == 0 ? 1 : 0) << age;
        if (made == 1) {
            EXPECT_EQ(t->EnemyShots[0].VY, 20);
            EXPECT_EQ(t->EnemyShots[0].VX, 0);
            EXPECT_EQ(t->EnemyShots[0].Damage, 20);
        }
    }
    t->PlayerX = 20;  // level with it on the left
    t->PlayerY = 100;
    FireAt(boss, 40);
    EXPECT_EQ(t->EnemyShots[0].VX, -20);
    EXPECT_EQ(t->EnemyShots[0].VY, 0);
}

TEST_F(FirePatterns, TheFinalBossFanReplacesAnAimedShotInTheSameSlot) {
    Enemy& boss = Place(EnemyKind::FinalBoss, 200, 100);
    boss.FireStep = 0;
    // At r = 560 the aimed shot, if it comes, is replaced by the centre of a 9-shot fan.
    for (int32_t cycle = 0; cycle < 40; ++cycle) {
        const int32_t age = 600 * cycle + 560;
        const int made = FireAt(boss, age);
        const int fromTimedFans = age % 71 == 0 ? (age % 142 == 0 ? 7 : 6) : 0;
        EXPECT_EQ(made, 9 + std::max(0, fromTimedFans - 1)) << age;
        EXPECT_EQ(t->EnemyShots[0].Kind, EnemyShotKind::Heavy) << age;
        EXPECT_EQ(t->EnemyShots[0].VX, 0) << age;
        EXPECT_EQ(t->EnemyShots[0].VY, 12) << age;
    }
}

TEST_F(FirePatterns, ALeftoverSweepStepFiresNothingAndRestartsTheAlternation) {
    Enemy& boss = Place(EnemyKind::Stage3Boss, 100, 100);
    boss.FireStep = 5;
    EXPECT_EQ(FireAt(boss, 500 + 25), 0);
    EXPECT_EQ(boss.FireStep, 0);
    EXPECT_EQ(FireAt(boss, 550), 7);
    EXPECT_EQ(boss.FireStep, 1);
    EXPECT_EQ(t->EnemyShots[1].VX, 3);
    EXPECT_EQ(FireAt(boss, 575), 7);
    EXPECT_EQ(t->EnemyShots[1].VX, 2) << "the second fan is narrower";
}

TEST_F(FirePatterns, SweepsLeanAcrossAndStartOver) {
    Enemy& escort = Place(EnemyKind::Escort, 100, 100);
    std::vector<int16_t> lean;
    for (int32_t age = 402; age <= 402 + 3 * 12; age += 3) {
        FireAt(escort, age);
        lean.push_back(t->EnemyShots[0].VX);
    }
    EXPECT_EQ(lean, (std::vector<int16_t>{-10, -8, -6, -4, -2, 0, 2, 4, 6, 8, 10, -10, -8}));
}

TEST_F(FirePatterns, ItemsAndQuietKindsNeverFire) {
    for (int16_t row : {0, 1, 2, 6, 14, 19, 29, 35, 60}) {
        const auto kind = static_cast<EnemyKind>(row);
        Enemy& e = Place(kind, 100, 100);
        for (int32_t age = 1; age <= 300; ++age) {
            EXPECT_EQ(FireAt(e, age), 0) << row << " at " << age;
        }
    }
}

}  // namespace
}  // namespace volley
