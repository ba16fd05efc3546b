// Enemy shots: how the firing patterns make them, and their flight.
#pragma once

#include <cstdint>

namespace volley {

struct Game;

// The operations below work on the shot CurShot, fired by the enemy CurEnemy.

// The shot starts flying with this kind and damage.
void NewShot(Game& g, int16_t kind, int16_t damage);

// Puts the shot's top-left corner on the firing enemy's centre.
void ShotFromEnemyCentre(Game& g);

void SetShotVelocity(Game& g, int16_t vx, int16_t vy);

// Aims the shot near the ship, like an aiming enemy.
void AimShot(Game& g, float speed);

// A random velocity, each part Int((Rnd x 20 - 10) x scale), drawn again until one part is at
// least 3 pixels per frame.
void RandomShotVelocity(Game& g, float scale);

// Fans the shot out into `count` shots from its place, all with vertical speed fanVY and horizontal
// speeds spaced `step` apart, symmetric about 0. Stops early when the table is full.
void SpreadShot(Game& g, int16_t step, int16_t fanVY, int16_t count);

// A new flying shot of CurShot's kind and damage; its index, or -1 when the table is full.
int CloneShot(Game& g);

// Moves every flying shot, tests it against the ship, and draws it or frees it.
void UpdateEnemyShots(Game& g);

// The hit test of shot `index` at (x, y): a touching shot damages the ship. True on a hit.
bool EnemyShotHitsPlayer(Game& g, int x, int y, int index);

}  // namespace volley
