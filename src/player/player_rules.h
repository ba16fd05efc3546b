// What hits and items do to the ship.
#pragma once

#include <cstdint>
#include <vector>

#include "game/kinds.h"

namespace volley {

struct Game;

inline constexpr int16_t kFullEnergy = 100;

// Whether an object with top-left (ox, oy) and size ow x oh touches the flying ship. The object's
// box counts 2 pixels smaller on every side; the ship's whole 32 x 32 cell counts.
bool TouchesPlayer(const Game& g, int ox, int oy, int ow, int oh);

// A hit of `amount` energy: the sound, a step of the power guard, and the ship goes down at zero.
void DamagePlayer(Game& g, int16_t amount);

// An item taken: power, bomb or energy; a full gauge (or full power) turns it into `points`.
void CollectItem(Game& g, EnemyKind kind, int32_t points);

// Plays one of the four effects.
void PlaySound(Game& g, const std::vector<uint8_t>& effect);

}  // namespace volley
