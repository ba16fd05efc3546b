// The enemy and enemy-shot tables.
#pragma once

#include <cstdint>

namespace volley {

// One enemy or item; slot free when State is 0, 1 = active, 2 = exploding.
struct Enemy {
    uint8_t State = 0;
};

// One enemy shot; slot free when State is 0.
struct EnemyShot {
    uint8_t State = 0;
};

inline constexpr int kEnemySlots = 101;
inline constexpr int kEnemyShotSlots = 401;

}  // namespace volley
