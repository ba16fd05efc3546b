// How enemies and items enter the field.
#pragma once

#include <cstdint>

#include "game/kinds.h"

namespace volley {

struct Game;

// Puts a new enemy of `kind` into the lowest free slot, its sprite cell centred on column
// `column` (eighths of the play surface's width) with its top row at y (0, or ScreenHeight for the
// kinds that rise from the bottom). Does nothing when the table is full.
void SpawnEnemy(Game& g, EnemyKind kind, int16_t column, int16_t y);

// Gives the enemy in `slot` the damage, speed, hit points and score of its kind's row.
void SetSpawnValues(Game& g, int16_t slot);

}  // namespace volley
