#include "player/shots.h"

#include <gtest/gtest.h>

#include <cmath>

#include "shell/game_loop.h"
#include "shell/reset.h"
#include "shell/scenes.h"
#include "shell/shutdown.h"
#include "shell/startup.h"
#include "test_game.h"

namespace volley {
namespace {

class Shots : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 9);
        ResetGame(*t);
        t->PlayerX = 200;
        t->PlayerY = 400;
        // Sprite boxes the tests can reason about: shots 4 x 12 (narrow) and 32 x 16 (wide).
        t->PlayerShotTypes[PlayerShotKind::Needle] = SpriteRect{0, 400, 4, 12};
        t->PlayerShotTypes[PlayerShotKind::Fragment] = SpriteRect{0, 420, 8, 8};
        t->PlayerShotTypes[PlayerShotKind::Wide] = SpriteRect{0, 440, 32, 16};
        t->EnemyTypes[EnemyKind::Interceptor] = SpriteRect{0, 64, 32, 32};
        t->EnemyTypes[EnemyKind::BombItem] = SpriteRect{32, 0, 16, 16};
    }
    PlayerShot& Shot(int slot) { return t->PlayerShots[slot]; }
    Enemy& PlaceEnemy(int slot, EnemyKind kind, int16_t x, int16_t y, int16_t hp) {
        Enemy& e = t->Enemies[slot];
        e = Enemy{};
        e.State = 1;
        e.Kind = kind;
        e.X = x;
        e.Y = y;
        e.HP = hp;
        return e;
    }
    testing::TestGame t;
};

TEST_F(Shots, EachPowerLevelFiresItsShape) {
    struct Expected {
        int16_t kind, dx, vx;
    };
    const std::vector<std::vector<Expected>> shapes = {
        {{0, 14, 0}},
        {{3, 0, 0}},
        {{0, -8, -6}, {3, 0, 0}, {0, 36, 6}},
        {{3, -8, -6}, {3, 0, 0}, {3, 8, 6}},
        {{3, -16, -6}, {3, -8, -3}, {3, 0, 0}, {3, 8, 3}, {3, 16, 6}},
    };
    for (int level = 1; level <= 5; ++level) {
        ResetGame(*t);
        t->PowerLevel = static_cast<int16_t>(level);
        FireVolley(*t);
        const auto& shape = shapes[level - 1];
        for (size_t i = 0; i < shape.size(); ++i) {
            const PlayerShot& s = Shot(static_cast<int>(i));
            EXPECT_EQ(s.State, 1);
            EXPECT_EQ(RowOf(s.Kind), shape[i].kind) << level << " " << i;
            EXPECT_EQ(s.X, 200 + shape[i].dx) << level << " " << i;
            EXPECT_EQ(s.Y, 368);
            EXPECT_EQ(s.VX, shape[i].vx);
            EXPECT_EQ(s.VY, -12);
            EXPECT_EQ(s.Power, 1);
        }
        EXPECT_EQ(Shot(static_cast<int>(shape.size())).State, 0) << level;
    }
    ResetGame(*t);
    t->PowerLevel = 6;
    FireVolley(*t);
    EXPECT_EQ(Shot(0).State, 0) << "no volley outside levels 1 to 5";
}

TEST_F(Shots, GroupsTestOnlyTheirFirstSlot) {
    t->PowerLevel = 3;
    Shot(0).State = 1;  // group 0 taken
    Shot(4).State = 1;  // inside group 3: taken over anyway
    Shot(4).Kind = PlayerShotKind::Fragment;
    FireVolley(*t);
    EXPECT_EQ(Shot(3).Kind, PlayerShotKind::Needle);
    EXPECT_EQ(Shot(4).Kind, PlayerShotKind::Wide);
    EXPECT_EQ(Shot(5).X, 236);
    t->PowerLevel = 5;
    for (int i = 0; i <= 95; i += 5) {
        Shot(i).State = 1;
    }
    Shot(99).State = 0;
    PlayerShot before = Shot(96);
    FireVolley(*t);
    EXPECT_EQ(Shot(96).X, before.X) << "no group start free: no volley";
}

TEST_F(Shots, WithTheVolleyHalfFullABombStillFillsItsHalf) {
    for (int i = 0; i <= 100; ++i) {
        Shot(i).State = 1;
        Shot(i).Kind = PlayerShotKind::Needle;
        Shot(i).X = 7;
    }
    t->PowerLevel = 1;
    FireVolley(*t);
    EXPECT_EQ(Shot(100).X, 7);
    DropBomb(*t);
    EXPECT_EQ(Shot(100).Kind, PlayerShotKind::Needle) << "slot 100 was taken, so it keeps its shot";
    for (int i = 101; i <= 200; ++i) {
        EXPECT_EQ(Shot(i).State, 1);
        EXPECT_EQ(Shot(i).Kind, PlayerShotKind::Fragment);
    }
    EXPECT_EQ(t->Bombs, 2);
    EXPECT_TRUE(t->BombActive);
    EXPECT_TRUE(t->LabelDirty[LabelId::Bombs]);
    ASSERT_FALSE(t.platform.sound.Played.empty());
    EXPECT_EQ(t.platform.sound.Played[0], &t->SndBom);
}

TEST_F(Shots, BombFragmentsTakeFourDrawsEachInOrder) {
    for (int i = 100; i <= 198; ++i) {
        Shot(i).State = 1;  // leaves 199 and 200 free
    }
    Random replay = t->Rng;
    DropBomb(*t);
    for (int slot : {199, 200}) {
        const PlayerShot& s = Shot(slot);
        EXPECT_EQ(s.X, static_cast<int16_t>(replay.Next() * (t->ScreenWidth + 5)));
        EXPECT_EQ(s.Y, static_cast<int16_t>(static_cast<int>(replay.Next() * 160) + 400 - 32));
        EXPECT_EQ(s.VX, static_cast<int16_t>(std::floor(replay.Next() * 12 - 6)));
        EXPECT_EQ(s.VY, static_cast<int16_t>(std::floor(replay.Next() * 6 - 15)));
    }
    EXPECT_EQ(t->Rng.Next(), replay.Next()) << "exactly eight numbers were drawn";
}

TEST_F(Shots, BombFragmentsStayInTheirRanges) {
    for (int bomb = 0; bomb < 30; ++bomb) {
        ResetGame(*t);
        t->PlayerY = 300;
        DropBomb(*t);
        for (int i = 100; i <= 200; ++i) {
            const PlayerShot& s = Shot(i);
            EXPECT_GE(s.X, 0);
            EXPECT_LE(s.X, t->ScreenWidth + 4);
            EXPECT_GE(s.Y, 300 - 32);
            EXPECT_LE(s.Y, 300 + 127);
            EXPECT_GE(s.VX, -6);
            EXPECT_LE(s.VX, 5);
            EXPECT_GE(s.VY, -15);
            EXPECT_LE(s.VY, -10);
        }
    }
}

TEST_F(Shots, BombsAreRefusedWithoutStockAndBlockedWhileActive) {
    t.platform.keys.Hold(GameKey::X, true);
    t->BombActive = false;
    t->BombTimer = 0;
    t->Bombs = 1;
    UpdatePlayerShots(*t);
    EXPECT_EQ(t->Bombs, 0);
    for (int frame = 1; frame <= 60; ++frame) {
        UpdatePlayerShots(*t);
    }
    EXPECT_EQ(t->Bombs, 0) << "none left";
    t->Bombs = 2;
    t->BombActive = false;
    t->BombTimer = 0;
    UpdatePlayerShots(*t);  // frame 0: dropped
    int frames = 0;
    while (t->Bombs == 1) {
        UpdatePlayerShots(*t);
        ++frames;
    }
    EXPECT_EQ(frames, 42) << "the next bomb comes 42 frames after the first";
}

TEST_F(Shots, HeldFireGivesAVolleyEveryFourthFrame) {
    t.platform.keys.Hold(GameKey::Z, true);
    t->ShotTimer = 0;
    std::vector<int> fired;
    for (int frame = 1; frame <= 12; ++frame) {
        const int before = t.platform.keys.QueryCount(GameKey::Z);
        UpdatePlayerShots(*t);
        if (t.platform.keys.QueryCount(GameKey::Z) > before) {
            fired.push_back(frame);
        }
    }
    EXPECT_EQ(fired, (std::vector<int>{4, 8, 12})) << "fire is only looked at on those frames";
}

TEST_F(Shots, AShotRisesAndLeavesAtTheTop) {
    t->PlayerY = 44;  // the shot starts at 12
    t->PowerLevel = 1;
    FireVolley(*t);
    t->ShotTimer = 0;
    UpdatePlayerShots(*t);
    EXPECT_EQ(Shot(0).Y, 0);
    EXPECT_EQ(Shot(0).State, 1);
    UpdatePlayerShots(*t);
    EXPECT_EQ(Shot(0).Y, -12);
    EXPECT_EQ(Shot(0).State, 0);
}

TEST_F(Shots, AShotDamagesEveryEnemyItOverlapsButPassesItems) {
    Enemy& a = PlaceEnemy(0, EnemyKind::Interceptor, 100, 100, 3);
    Enemy& b = PlaceEnemy(1, EnemyKind::Interceptor, 110, 105, 1);
    Enemy& item = PlaceEnemy(2, EnemyKind::BombItem, 100, 100, 1);
    Shot(0) = PlayerShot{1, PlayerShotKind::Needle, 1, 112, 110, 0, -12};
    EXPECT_TRUE(HitEnemies(*t, 112, 110, 0));
    EXPECT_EQ(a.HP, 2);
    EXPECT_EQ(a.State, 1);
    EXPECT_EQ(b.HP, 0);
    EXPECT_EQ(b.State, 2);
    EXPECT_EQ(item.HP, 1);
    EXPECT_EQ(item.State, 1);
    ASSERT_EQ(t.platform.sound.Played.size(), 2u);
    EXPECT_EQ(t.platform.sound.Played[0], &t->SndKi);
    EXPECT_EQ(t.platform.sound.Played[1], &t->SndHitB);
    EXPECT_TRUE(HitEnemies(*t, 112, 110, 0));
    EXPECT_EQ(b.HP, 0) << "an exploding enemy is not hit again";
    EXPECT_FALSE(HitEnemies(*t, 112, 300, 0));
}

TEST_F(Shots, TheShotBoxCountsTwoPixelsSmaller) {
    Enemy& e = PlaceEnemy(0, EnemyKind::Interceptor, 100, 100, 10);
    Shot(0) = PlayerShot{1, PlayerShotKind::Needle, 1, 0, 0, 0, -12};
    // A 4-wide shot ending at x + 4 - 2 = 100 does not reach the enemy's left edge.
    EXPECT_FALSE(HitEnemies(*t, 98, 110, 0));
    EXPECT_TRUE(HitEnemies(*t, 99, 110, 0));
    EXPECT_FALSE(HitEnemies(*t, 130, 110, 0));  // 130 + 2 = 132: past the right edge
    EXPECT_TRUE(HitEnemies(*t, 129, 110, 0));
    EXPECT_EQ(e.HP, 8);
}

TEST_F(Shots, NothingHappensWhileTheShipIsDown) {
    t->PowerLevel = 1;
    FireVolley(*t);
    t->PlayerDown = true;
    t.platform.keys.Hold(GameKey::Z, true);
    for (int i = 0; i < 8; ++i) {
        UpdatePlayerShots(*t);
    }
    EXPECT_EQ(Shot(0).Y, 368) << "frozen";
    EXPECT_EQ(Shot(1).State, 0);
}

TEST(ShotsInTheGameLoop, HoldingZFiresAVolleyEveryFourthFrame) {
    testing::TestGame t;
    Main(*t, 4);
    StartGame(*t);
    t->ShotTimer = 0;
    std::vector<int32_t> volleyFrames;
    int16_t lastSlotsInUse = 0;
    t.platform.events.OnPump = [&] {
        t.platform.keys.Hold(GameKey::Z, true);
        int16_t inUse = 0;
        for (const PlayerShot& s : t->PlayerShots) {
            inUse += s.State;
        }
        if (inUse > lastSlotsInUse) {
            volleyFrames.push_back(t->StageFrame);
        }
        lastSlotsInUse = inUse;
        if (t->StageFrame == 16) {
            t.platform.events.RequestClose();
        }
    };
    EXPECT_THROW(GameLoop(*t), CloseRequested);
    EXPECT_EQ(volleyFrames, (std::vector<int32_t>{4, 8, 12, 16}));
}

}  // namespace
}  // namespace volley
