// The play field's rules: the ship, its shots and bombs, touches, hits, items and the enemies.
#include "player/player_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

#include "enemies/enemies.h"
#include "enemies/enemy_shots.h"
#include "enemies/patterns.h"
#include "input/input.h"
#include "player/ship.h"
#include "player/shots.h"
#include "shell/game_loop.h"
#include "shell/reset.h"
#include "shell/startup.h"
#include "support.h"

namespace volley {
namespace {

using std::tuple;
using K = GameKey;

class Rules : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 9);
        ResetGame(*t);
        t->Stage = 0;  // no script: the tests place every enemy themselves
        // Boxes the tests can reason about: shots 4 x 12, enemies 32 x 32, items 16 x 16.
        t->PlayerShotTypes[PlayerShotKind::Needle] = SpriteRect{0, 400, 4, 12};
        for (int kind = 0; kind <= 41; ++kind) {
            const int16_t size = kind < 3 ? 16 : 32;
            t->EnemyTypes.Items[kind] = SpriteRect{0, 64, size, size};
        }
        t->EnemyShotTypes[EnemyShotKind::Orb] = SpriteRect{0, 400, 8, 8};
        Ship(200, 400);
    }
    void Ship(int16_t x, int16_t y) { std::tie(t->PlayerX, t->PlayerY) = tuple(x, y); }
    void Hold(std::vector<GameKey> keys) {
        t.platform.keys = HeadlessKeyboard();
        for (GameKey k : keys) {
            t.platform.keys.Hold(k, true);
        }
    }
    Enemy& Place(EnemyKind kind, int x, int y, int slot = 0) {
        Enemy& e = testing::PlaceEnemy(*t, slot, kind, x, y);
        e.VY = 0;
        return e;
    }
    PlayerShot& Shot(int slot) { return t->PlayerShots[slot]; }
    EnemyShot& Bullet(int slot = 0) { return t->EnemyShots[slot]; }
    const std::vector<const std::vector<uint8_t>*>& Played() { return t.platform.sound.Played; }
    testing::TestGame t;
};

TEST_F(Rules, KeysResolveByPriorityAndEveryTapIsForgotten) {
    const std::pair<std::vector<GameKey>, Direction> cases[] = {
        {{K::Up, K::Down}, Direction::Down},
        {{K::Left, K::Right}, Direction::Left},
        {{K::Left, K::Right, K::Up}, Direction::LeftUp},
        {{K::Left, K::Right, K::Up, K::X}, Direction::BombHeld}};
    for (const auto& [keys, want] : cases) {
        Hold(keys);
        EXPECT_EQ(ReadKeys(*t), want) << static_cast<int>(want);
    }
    Hold({});
    t.platform.keys.Tap(GameKey::Z);
    t.platform.keys.Tap(GameKey::Right);
    EXPECT_EQ(ReadKeys(*t), Direction::Right);
    EXPECT_EQ(ReadKeys(*t), Direction::None);
    EXPECT_FALSE(t.platform.keys.Query(GameKey::Z)) << "the fire tap was flushed too";
}

TEST_F(Rules, ThePadsDirectionWinsAndADownedShipNeitherMovesNorReadsTheKeys) {
    Hold({GameKey::Left});
    Ship(200, 300);
    t->Joy.Direction = Direction::Up;
    t->Form1.Picture2 = t->Form1.Def;
    MovePlayer(*t);
    EXPECT_EQ(tuple(t->PlayerX, t->PlayerY), tuple(200, 292)) << "the earlier direction wins";
    EXPECT_NE(t->Form1.Picture2.Pixels, t->Form1.Def.Pixels) << "and drawn there";
    t->PlayerDown = true;
    Hold({GameKey::Left});
    MovePlayer(*t);
    EXPECT_EQ(tuple(t->PlayerY, t.platform.keys.QueryCount(GameKey::Left)), tuple(292, 0))
        << "a downed ship neither moves nor reads the keys";
}

TEST(Joystick, AxesCountOnlyAtTheirExtremesAndTenButtonsAreRead) {
    using D = Direction;
    const struct {
        uint16_t x, y;
        Direction want;
    } axes[] = {{0, 32767, D::Left},      {1, 32767, D::None},    {60000, 32767, D::None},
                {60001, 32767, D::Right}, {32767, 0, D::Up},      {32767, 65535, D::Down},
                {0, 0, D::LeftUp},        {65535, 0, D::UpRight}, {65535, 65535, D::RightDown},
                {0, 65535, D::DownLeft}};
    for (const auto& a : axes) {
        EXPECT_EQ(JoyDirection(a.x, a.y), a.want) << a.x << "," << a.y;
    }
    testing::TestGame t;
    t.platform.joysticks.Set(0, JoyReading{0, 32767, (1u << 11) | (1u << 0) | (1u << 9)});
    JoyInit(*t);
    const JoyState state = ReadJoystick(*t);
    EXPECT_EQ(state.Direction, Direction::Left);
    for (int b = 0; b < 10; ++b) {
        EXPECT_EQ(state.Button[b], b == 0 || b == 9) << b << ": button 12 is beyond the ten";
    }
    t.platform.joysticks.SetFailing(0, true);
    EXPECT_EQ(ReadJoystick(*t).Direction, Direction::None) << "a failed poll reads as centred";
}

TEST_F(Rules, EachPowerLevelFiresItsVolley) {
    // Each shot's kind, place beside the ship and sideways speed.
    const std::vector<std::vector<std::array<int, 3>>> shapes = {
        {},
        {{0, 14, 0}},
        {{3, 0, 0}},
        {{0, -8, -6}, {3, 0, 0}, {0, 36, 6}},
        {{3, -8, -6}, {3, 0, 0}, {3, 8, 6}},
        {{3, -16, -6}, {3, -8, -3}, {3, 0, 0}, {3, 8, 3}, {3, 16, 6}},
        {}};  // none outside levels 1 to 5
    for (int level = 0; level <= 6; ++level) {
        ResetGame(*t);
        t->PowerLevel = static_cast<int16_t>(level);
        FireVolley(*t);
        const auto& shape = shapes[level];
        for (size_t i = 0; i < shape.size(); ++i) {
            const PlayerShot& s = Shot(static_cast<int>(i));
            EXPECT_EQ(tuple(s.State, RowOf(s.Kind), s.X, s.Y, s.VX, s.VY, s.Power),
                      tuple(1, shape[i][0], 200 + shape[i][1], 368, shape[i][2], -12, 1))
                << level << " " << i;
        }
        EXPECT_EQ(Shot(static_cast<int>(shape.size())).State, 0) << level;
    }
}

TEST_F(Rules, ABombFillsTheFreeSlotsOfItsHalfOfTheTable) {
    for (int i = 0; i <= 198; ++i) {
        Shot(i) = PlayerShot{1, PlayerShotKind::Needle, 1, 7, 0, 0, 0};  // leaves 199 and 200
    }
    t->PowerLevel = 1;
    FireVolley(*t);
    DropBomb(*t);
    EXPECT_EQ(tuple(Shot(100).X, Shot(100).Kind, Shot(199).Kind, Shot(200).Kind),
              tuple(7, PlayerShotKind::Needle, PlayerShotKind::Fragment, PlayerShotKind::Fragment))
        << "no volley with its half full; the bomb's half keeps its taken slots";
    EXPECT_EQ(tuple(t->Bombs, t->BombActive, t->LabelDirty[LabelId::Bombs]), tuple(2, true, true));
    ASSERT_FALSE(Played().empty());
    EXPECT_EQ(Played()[0], &t->SndBom);
}

TEST_F(Rules, HitsCycleThePowerGuardAndAHitPastTheEnergyDownsTheShip) {
    t->PowerLevel = 3;
    t->PowerGuard = 5;
    // Level 3 falls at the 5th hit, level 2 at the 12th; level 1 is never lowered.
    const int steps[][3] = {{4, 3, 1}, {1, 2, 7}, {7, 1, 7}, {7, 1, 7}};
    for (const auto& [hits, level, guard] : steps) {
        for (int hit = 0; hit < hits; ++hit) {
            DamagePlayer(*t, 1);
        }
        EXPECT_EQ(tuple(t->PowerLevel, t->PowerGuard), tuple(level, guard));
    }
    EXPECT_EQ(tuple(t->PlayerEnergy, t->PlayerDown), tuple(100 - 19, false));
    t->PlayerEnergy = 20;
    t.platform.sound.Played.clear();
    DamagePlayer(*t, 30);
    EXPECT_EQ(tuple(t->PlayerEnergy, t->PlayerDown, t->PowerGuard), tuple(-10, true, 6));
    ASSERT_EQ(Played().size(), 1u);
    EXPECT_EQ(Played()[0], &t->SndHitB);
}

TEST_F(Rules, ItemsRaiseTheShipOrTurnIntoPointsWhenFull) {
    using E = EnemyKind;
    const struct {
        EnemyKind kind;
        int16_t level, energy, wantLevel, wantEnergy, wantBombs;
        int32_t wantScore;
    } cases[] = {{E::PowerItem, 4, 100, 5, 100, 3, 0},    {E::PowerItem, 5, 100, 5, 100, 3, 500},
                 {E::BombItem, 5, 100, 5, 100, 4, 0},     {E::EnergyItem, 1, 90, 1, 100, 3, 0},
                 {E::EnergyItem, 1, 100, 1, 100, 3, 500}, {E::EnergyItem, 1, 80, 1, 100, 3, 0}};
    for (const auto& c : cases) {
        ResetGame(*t);
        t.platform.sound.Played.clear();
        t->LabelDirty.fill(false);
        t->PowerLevel = c.level;
        t->PlayerEnergy = c.energy;
        t->PowerGuard = 3;
        CollectItem(*t, c.kind, 500);
        EXPECT_EQ(tuple(t->PowerLevel, t->PlayerEnergy, t->Bombs, t->Score, t->PowerGuard,
                        t->LabelDirty[LabelId::Score], t->LabelDirty[LabelId::Bombs]),
                  tuple(c.wantLevel, c.wantEnergy, c.wantBombs, c.wantScore,
                        c.kind == EnemyKind::PowerItem ? 7 : 3, c.wantScore > 0,
                        c.kind == EnemyKind::BombItem))
            << RowOf(c.kind) << " at " << c.level << "/" << c.energy;
        ASSERT_EQ(Played().size(), 1u);
        EXPECT_EQ(Played()[0], &t->SndUP);
    }
}

TEST_F(Rules, AFullShotTableStopsAPatternAndAFanClonesIntoFreeSlotsOnly) {
    // Even the first boss's switch of its pattern at r = 200 waits for a free slot.
    Enemy& boss = Place(EnemyKind::Stage1Boss, 100, 100);
    boss.FireStep = 1;
    boss.Age = 700;
    for (EnemyShot& s : t->EnemyShots) {
        s = EnemyShot{1, EnemyShotKind::Orb, 0, 0, 99, 0, 5};
    }
    FireEnemyShots(*t, 0);
    EXPECT_EQ(boss.FireStep, 1);
    Bullet(0).VX = 0;
    Bullet(7).State = 0;
    SpreadShot(*t, Bullet(0), 3, 6, 5);
    EXPECT_EQ(tuple(Bullet(0).VX, Bullet(7).VX, Bullet(7).State), tuple(0, 3, 1));
    EXPECT_EQ(std::count_if(t->EnemyShots.begin(), t->EnemyShots.end(),
                            [](const EnemyShot& s) { return s.VX == 99; }),
              399);
    Bullet(50).State = 0;
    FireEnemyShots(*t, 0);
    EXPECT_EQ(boss.FireStep, 0);
}

TEST_F(Rules, ASurvivingRamRaisesTheGuardForNineteenFrames) {
    Ship(200, 300);
    Enemy& e = Place(EnemyKind::ArmourBlock, 200, 300);  // neither fires nor steers
    e.HP = 3;
    std::vector<int16_t> energy;
    for (int frame = 0; frame < 21; ++frame) {
        RunFrame(*t);
        energy.push_back(t->PlayerEnergy);
    }
    EXPECT_EQ(tuple(energy[0], energy[19], energy[20], e.HP, Played().size()),
              tuple(95, 95, 90, 1, 2u))
        << "frames 1 to 19 are guarded; contact counts again in the 20th";
}

TEST_F(Rules, RamsItemsAndTheGuardInOneFrame) {
    Ship(200, 300);
    Enemy& first = Place(EnemyKind::Dart, 200, 300, 0);  // HP 1
    Enemy& second = Place(EnemyKind::Dart, 205, 305, 1);
    UpdateEnemies(*t);
    EXPECT_EQ(tuple(first.State, second.State, t->ContactGuard, t->PlayerEnergy),
              tuple(2, 2, false, 90))
        << "a ram that destroys raises no guard, so the second still rams";
    t->ContactGuard = true;
    t->PlayerEnergy = 50;
    Enemy& item = Place(EnemyKind::EnergyItem, 205, 305, 0);
    Enemy& enemy = Place(EnemyKind::Dart, 200, 300, 1);
    UpdateEnemies(*t);
    EXPECT_EQ(tuple(item.State, t->PlayerEnergy, enemy.State, enemy.HP), tuple(0, 70, 1, 1))
        << "items are taken even while guarded; a guarded enemy is not hurt";
}

}  // namespace
}  // namespace volley
