// The enemy and enemy-shot tables.
#pragma once

#include <cstdint>

#include "game/kinds.h"

namespace volley {

// One enemy or item.
struct Enemy {
    uint8_t State = 0;  // 0 free, 1 active, 2 exploding
    EnemyKind Kind = EnemyKind::PowerItem;
    int16_t ContactDamage = 0;  // energy the ship loses when it rams this enemy
    int16_t X = 0;
    int16_t Y = 0;
    int16_t VX = 0;
    int16_t VY = 0;
    int16_t HP = 0;
    int32_t Score = 0;
    int16_t MoveFlag = 0;
    int16_t FireStep = 0;
    int32_t MoveTimer = 0;
    int32_t Age = 0;         // frames since spawn
    uint8_t BlastFrame = 0;  // explosion cell while exploding
};

// One enemy shot; slot free when State is 0.
struct EnemyShot {
    uint8_t State = 0;  // 0 free, 1 flying
    EnemyShotKind Kind = EnemyShotKind::Orb;
    int16_t X = 0;
    int16_t Y = 0;
    int16_t VX = 0;
    int16_t VY = 0;
    int16_t Damage = 0;  // energy the ship loses when it is hit
};

inline constexpr int kEnemySlots = 101;
inline constexpr int kEnemyShotSlots = 401;

}  // namespace volley
