// The kinds of things on the play field, by name. Each kind's number is its row in the sprite
// tables of Data/Data.dat, and replays depend on it: the numbers never change.
#pragma once

#include <cstdint>

namespace volley {

// Every enemy and item with a sprite of its own (Rock and Probe are drawn but never spawned); the
// sprite table has rows up to 100, and the rows without a name here have no behaviour of their
// own. The names in the comments are those of their art.
enum class EnemyKind : int16_t {
    PowerItem = 0,       // raises the ship's power level
    BombItem = 1,        // adds a bomb
    EnergyItem = 2,      // refills the energy gauge
    Dart = 3,            // the common fighter; turns toward the ship once
    Saucer = 4,          // slow; fans three shots
    Interceptor = 5,     // rams: dashes sideways when the ship is level with it
    Mine = 6,            // falls fast and never fires
    TurretPod = 7,       // halts at random and sprays shots
    Gunboat = 8,         // turns sideways and streams shots straight down
    Seeker = 9,          // keeps turning toward the ship
    Riser = 10,          // climbs from the bottom edge
    Arrow = 11,          // fast; aims itself once and fans shots
    TwinHull = 12,       // tough; turns sideways and patrols
    Bomber = 13,         // slow and tough; heavy aimed shots
    ArmourBlock = 14,    // slow, almost indestructible blocker; never fires
    Hunter = 15,         // aims itself once and shoots often
    Raider = 16,         // turns sideways and patrols; fans five shots
    Climber = 17,        // rises fast and fans shots upward
    Diver = 18,          // drops fast, halts and scatters shots
    Rock = 19,           // no behaviour of its own; not spawned
    BigGunship = 20,     // large; turns sideways and patrols
    Stage1Boss = 21,     // gunship
    Stage7Boss = 22,     // manta
    Stage2Boss = 23,     // stingray, chases the ship
    Escort = 24,         // heavy and quick
    Stage3Boss = 25,     // crab
    Stage4Boss = 26,     // cruiser
    Stage5Boss = 27,     // crystal, jumps about
    Stage6Boss = 28,     // fortress
    Probe = 29,          // no behaviour of its own; not spawned
    Barge = 30,          // slow and heavy; big fans now and then
    FinalBoss = 31,      // mothership, the boss of stage 8
    Stage7MidBoss = 41,  // gold wing
};

// Kinds below the first enemy are items: they cannot be shot and are taken by touching them.
inline constexpr bool IsItem(EnemyKind kind) {
    return kind < EnemyKind::Dart;
}

// The enemies' shots, each with the damage it always does (ShotDamage, enemies/kind_table.h).
enum class EnemyShotKind : int16_t {
    Orb = 0,      // the common small shot
    Ball = 1,     // fast aimed shots, straight shots, the bosses' sweeps and fans
    Heavy = 2,    // the bosses' heavy shots
    Plasma = 4,   // the stage 6 boss's mines
    Star = 5,     // the final boss's triple burst
    Diamond = 6,  // random and aimed shots of lesser enemies
    FanOrb = 9,   // most fans
    Needle = 11,  // a straight stream
    Ring = 13,    // slow wide fans and sideways sweeps
};

// The ship's shots.
enum class PlayerShotKind : int16_t {
    Needle = 0,    // the single narrow shot
    Fragment = 2,  // a bomb fragment
    Wide = 3,      // the wide shot, as wide as the ship
};

// A kind's row in its sprite table.
template <typename Kind>
constexpr int RowOf(Kind kind) {
    return static_cast<int>(kind);
}

}  // namespace volley
