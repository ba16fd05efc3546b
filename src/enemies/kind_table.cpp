#include "enemies/kind_table.h"

#include "game/data_layout.h"

namespace volley {

namespace {

using enum EnemyKind;
using enum EnemyShotKind;

constexpr SpawnValues kItemSpawn{0, 3, 1, 2000};
constexpr KindRow kPlainRow{.Spawn = {0, 6, 1, 50}};

constexpr FirePattern Fires(std::initializer_list<FireStep> steps) {
    FirePattern pattern;
    for (const FireStep& step : steps) {
        pattern.Step[pattern.Steps++] = step;
    }
    return pattern;
}

constexpr FireStep Every(int16_t frames, ShotRecipe shot) {
    return {.Every = frames, .Shot = shot};
}
constexpr FireStep OneIn(int16_t odds, ShotRecipe shot) {
    return {.Odds = odds, .Shot = shot};
}

constexpr FlightRow AimOnceAt(int32_t age, int16_t speed) {
    return {.Pattern = Flight::AimOnce, .Speed = speed, .At = age};
}
constexpr FlightRow TurnThenPatrol(TimerRange timer, int16_t speed, double left, double right) {
    return {.Pattern = Flight::TurnThenPatrol,
            .Speed = speed,
            .Timer = timer,
            .Left = left,
            .Right = right};
}
constexpr FlightRow SlideThenPatrol(int16_t slideVX, double left, double right, int16_t speed) {
    return {.Pattern = Flight::SlideThenPatrol,
            .Speed = speed,
            .Left = left,
            .Right = right,
            .SlideVX = slideVX};
}
constexpr FlightRow StopAtRandom(TimerRange timer) {
    return {.Pattern = Flight::StopAtRandom, .Timer = timer};
}
constexpr FlightRow Only(Flight pattern) {
    return {.Pattern = pattern};
}

constexpr FlightRow kStraight{};
constexpr ShotRecipe kThreeFan = FanShot(FanOrb, 3, 6, 3);

struct KindEntry {
    EnemyKind Kind;
    KindRow Row;
};

// Kinds with a boss's own firing code (fire_patterns.cpp) have no fire lines here.
constexpr std::array kRows{
    KindEntry{PowerItem, {kItemSpawn, kStraight, {}}},
    KindEntry{BombItem, {kItemSpawn, kStraight, {}}},
    KindEntry{EnergyItem, {kItemSpawn, kStraight, {}}},
    KindEntry{Dart, {{5, 6, 1, 100}, AimOnceAt(30, 8), Fires({OneIn(40, CommonAimedShot())})}},
    KindEntry{Saucer, {{5, 3, 1, 100}, kStraight, Fires({Every(40, kThreeFan)})}},
    KindEntry{Interceptor,
              {{5, 4, 1, 100},
               {.Pattern = Flight::DashAlongRow, .Speed = 30},
               Fires({OneIn(40, CommonAimedShot())})}},
    KindEntry{Mine, {{5, 9, 1, 100}, kStraight, {}}},
    KindEntry{TurretPod,
              {{5, 7, 3, 200},
               StopAtRandom({20, 10}),
               Fires({{.Every = 15, .OnlyStopped = true, .Shot = ScatterShot(Diamond, 1)},
                      OneIn(40, CommonAimedShot())})}},
    KindEntry{Gunboat,
              {{5, 6, 1, 100},
               TurnThenPatrol({20, 10}, 8, 0.1, 0.9),
               Fires({Every(8, StraightShot(Needle, 0, 12))})}},
    KindEntry{Seeker,
              {{5, 6, 1, 100},
               {.Pattern = Flight::AimEvery, .Speed = 8, .At = 20},
               Fires({OneIn(40, CommonAimedShot())})}},
    KindEntry{Riser, {{5, -6, 1, 100}, kStraight, Fires({OneIn(40, CommonAimedShot())})}},
    KindEntry{Arrow, {{5, 12, 1, 300}, AimOnceAt(7, 12), Fires({Every(10, kThreeFan)})}},
    KindEntry{TwinHull,
              {{5, 6, 20, 1000},
               TurnThenPatrol({0, 15}, 4, 0.2, 0.8),
               Fires({Every(25, kThreeFan), OneIn(40, AimedShotAtRandomSpeed(Diamond, 3, 4))})}},
    KindEntry{Bomber,
              {{5, 3, 5, 300},
               kStraight,
               Fires({OneIn(50, AimedShot(Ball, 12)), OneIn(40, CommonAimedShot())})}},
    KindEntry{ArmourBlock, {{5, 3, 500, 700}, kStraight, {}}},
    KindEntry{Hunter, {{5, 3, 5, 300}, AimOnceAt(7, 12), Fires({OneIn(10, CommonAimedShot())})}},
    KindEntry{Raider,
              {{5, 4, 3, 500},
               TurnThenPatrol({0, 15}, 4, 0.2, 0.8),
               Fires({Every(40, FanShot(FanOrb, 3, 6, 5)), OneIn(30, StraightShot(Ball, 0, 12))})}},
    KindEntry{Climber,
              {{5, -10, 1, 500},
               TurnThenPatrol({0, 15}, 4, 0.2, 0.8),
               Fires({Every(20, FanShot(FanOrb, 3, -6, 3))})}},
    KindEntry{Diver,
              {{5, 12, 1, 300},
               StopAtRandom({15, 15}),
               Fires({{.Odds = 3, .OnlyStopped = true, .Shot = ScatterShot(Orb, 1)}})}},
    KindEntry{BigGunship,
              {{5, 3, 40, 2000},
               TurnThenPatrol({0, 20}, 3, 0.3, 0.7),
               Fires({Every(15, FanShot(FanOrb, 3, 6, 2)), OneIn(40, StraightShot(Ball, 0, 12)),
                      OneIn(30, CommonAimedShot())})}},
    KindEntry{Stage1Boss, {{10, 3, 250, 10000}, Only(Flight::Sway), {}}},
    KindEntry{Stage7Boss, {{10, 3, 250, 70000}, Only(Flight::Bob), {}}},
    KindEntry{Stage2Boss, {{10, 5, 250, 15000}, Only(Flight::Chase), {}}},
    KindEntry{Escort, {{10, 7, 180, 20000}, SlideThenPatrol(6, 0.05, 0.85, 6), {}}},
    KindEntry{Stage3Boss, {{10, 3, 250, 20000}, Only(Flight::Bob), {}}},
    KindEntry{Stage4Boss, {{10, 3, 250, 25000}, SlideThenPatrol(6, 0.05, 0.85, 6), {}}},
    KindEntry{Stage5Boss, {{10, 3, 250, 30000}, Only(Flight::PatrolAndJump), {}}},
    KindEntry{Stage6Boss, {{50, 3, 500, 100000}, SlideThenPatrol(3, 0.25, 0.5, 3), {}}},
    KindEntry{Barge,
              {{5, 1, 5, 1000},
               kStraight,
               Fires({Every(120, FanShot(FanOrb, 3, 9, 9)), Every(30, kThreeFan)})}},
    KindEntry{FinalBoss, {{10, 4, 500, 200000}, SlideThenPatrol(-6, 0.05, 0.85, 6), {}}},
    KindEntry{Stage7MidBoss, {{10, 3, 50, 5000}, Only(Flight::Sway), {}}},
};

constexpr std::array<KindRow, kSpriteKinds> MakeTable() {
    std::array<KindRow, kSpriteKinds> table{};
    table.fill(kPlainRow);
    for (const KindEntry& entry : kRows) {
        table[RowOf(entry.Kind)] = entry.Row;
    }
    return table;
}

constexpr std::array<KindRow, kSpriteKinds> kTable = MakeTable();

struct ShotDamageEntry {
    EnemyShotKind Kind;
    int16_t Damage;
};

constexpr std::array kShotDamage{
    ShotDamageEntry{Orb, 5},     ShotDamageEntry{Ball, 10},  ShotDamageEntry{Heavy, 20},
    ShotDamageEntry{Plasma, 50}, ShotDamageEntry{Star, 10},  ShotDamageEntry{Diamond, 5},
    ShotDamageEntry{FanOrb, 5},  ShotDamageEntry{Needle, 5}, ShotDamageEntry{Ring, 5},
};

}  // namespace

const KindRow& KindRowOf(EnemyKind kind) {
    const int row = RowOf(kind);
    return row >= 0 && row < kSpriteKinds ? kTable[row] : kPlainRow;
}

int16_t ShotDamage(EnemyShotKind kind) {
    for (const ShotDamageEntry& entry : kShotDamage) {
        if (entry.Kind == kind) {
            return entry.Damage;
        }
    }
    return 0;
}

}  // namespace volley
