// One row per enemy kind: how it enters, how it flies and how it fires, the way classic engines
// keep their thing tables. Flight and firing patterns that are more than parameters are code, in
// move_patterns.cpp and fire_patterns.cpp, chosen by the row or by the named kind.
#pragma once

#include <array>
#include <cstdint>

#include "game/kinds.h"

namespace volley {

// What a new enemy of the kind starts with; its VX is always 0.
struct SpawnValues {
    int16_t ContactDamage = 0;
    int16_t VY = 0;
    int16_t HP = 0;
    int32_t Score = 0;
};

enum class Flight : uint8_t {
    Straight,         // keeps its spawn velocity
    AimOnce,          // turns toward the ship at age At
    AimEvery,         // turns toward the ship every At frames
    DashAlongRow,     // dashes sideways at the ship, once, when level with it
    StopAtRandom,     // stops for good when its timer is due
    TurnThenPatrol,   // turns sideways when its timer is due, then patrols between two walls
    SlideThenPatrol,  // at age 20 slides sideways at SlideVX, then patrols between two walls
    Sway,             // the bosses' own ways, in move_patterns.cpp
    Bob,
    Chase,
    PatrolAndJump,
};

// A number drawn at the enemy's first update: Int(Rnd x Spread + First). With Spread 0 it is
// First, and nothing is drawn.
struct TimerRange {
    int16_t Spread = 0;
    int16_t First = 0;
};

struct FlightRow {
    Flight Pattern = Flight::Straight;
    int16_t Speed = 0;   // of the aim, the dash, the turn and the patrol
    int32_t At = 0;      // AimOnce: the age; AimEvery: the period in frames
    TimerRange Timer{};  // StopAtRandom, TurnThenPatrol: the age of the manoeuvre
    double Left = 0;     // the patrol's walls, as fractions of the field's width
    double Right = 0;
    int16_t SlideVX = 0;  // SlideThenPatrol
};

enum class ShotShape : uint8_t { Aimed, Straight, Fan, Scatter };

// How one shot is made, from the firing enemy's centre.
struct ShotRecipe {
    ShotShape Shape = ShotShape::Aimed;
    EnemyShotKind Kind = EnemyShotKind::Orb;
    // Aimed: at Speed; or, when SpeedSpread is not 0, at a whole speed from SpeedLeast to
    // SpeedLeast + SpeedSpread - 1 drawn before the shot is made.
    float Speed = 0;
    int16_t SpeedSpread = 0;
    int16_t SpeedLeast = 0;
    int16_t VX = 0;     // Straight
    int16_t VY = 0;     // Straight, Fan
    int16_t Step = 0;   // Fan: the horizontal speeds' spacing
    int16_t Count = 0;  // Fan: how many shots
    float Scale = 0;    // Scatter: the random velocity's scale
};

constexpr ShotRecipe AimedShot(EnemyShotKind kind, float speed) {
    return {.Shape = ShotShape::Aimed, .Kind = kind, .Speed = speed};
}
constexpr ShotRecipe AimedShotAtRandomSpeed(EnemyShotKind kind, int16_t spread, int16_t least) {
    return {.Shape = ShotShape::Aimed, .Kind = kind, .SpeedSpread = spread, .SpeedLeast = least};
}
// The shot most enemies fire now and then: a small orb aimed at 4 to 6 pixels a frame.
constexpr ShotRecipe CommonAimedShot() {
    return AimedShotAtRandomSpeed(EnemyShotKind::Orb, 3, 4);
}
constexpr ShotRecipe StraightShot(EnemyShotKind kind, int16_t vx, int16_t vy) {
    return {.Shape = ShotShape::Straight, .Kind = kind, .VX = vx, .VY = vy};
}
constexpr ShotRecipe FanShot(EnemyShotKind kind, int16_t step, int16_t vy, int16_t count) {
    return {.Shape = ShotShape::Fan, .Kind = kind, .VY = vy, .Step = step, .Count = count};
}
constexpr ShotRecipe ScatterShot(EnemyShotKind kind, float scale) {
    return {.Shape = ShotShape::Scatter, .Kind = kind, .Scale = scale};
}

// One line of a firing pattern. It fires when the enemy's age is a multiple of Every, a draw
// with odds of 1 in Odds comes up (nothing is drawn when Odds is 0) and, for OnlyStopped, the
// enemy has stopped (MoveFlag 1); tested in that order, each only while the earlier ones hold.
struct FireStep {
    int16_t Every = 1;
    int16_t Odds = 0;
    bool OnlyStopped = false;
    ShotRecipe Shot{};
};

// The lines are tried in order; the first that fires ends the enemy's turn.
inline constexpr int kMaxFireSteps = 3;
struct FirePattern {
    int Steps = 0;
    std::array<FireStep, kMaxFireSteps> Step{};
};

struct KindRow {
    SpawnValues Spawn{};
    FlightRow Flight{};
    FirePattern Fire{};
};

// The row of a kind; kinds without a row of their own (and numbers outside the sprite table) get
// the plain one: straight flight, no fire, 6 pixels a frame, 1 hit point, 50 points.
const KindRow& KindRowOf(EnemyKind kind);

// The damage an enemy shot of this kind always does.
int16_t ShotDamage(EnemyShotKind kind);

}  // namespace volley
