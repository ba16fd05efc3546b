// Enemy shots: how the firing patterns make them, and their flight.
#pragma once

#include <cstdint>

#include "game/kinds.h"

namespace volley {

struct Enemy;
struct EnemyShot;
struct Game;

// The operations below set up the shot s, fired by the enemy e, in the order the firing patterns
// call them.

// The shot starts flying as this kind, with the kind's damage.
void NewShot(EnemyShot& s, EnemyShotKind kind);

// Puts the shot's top-left corner on the firing enemy's centre.
void ShotFromEnemyCentre(const Game& g, const Enemy& e, EnemyShot& s);

void SetShotVelocity(EnemyShot& s, int16_t vx, int16_t vy);

// Aims the shot near the ship, like an aiming enemy.
void AimShot(Game& g, EnemyShot& s, float speed);

// A random velocity, each part Int((Rnd x 20 - 10) x scale), drawn again until one part is at
// least 3 pixels per frame.
void RandomShotVelocity(Game& g, EnemyShot& s, float scale);

// Fans the shot out into `count` shots from its place, all with vertical speed fanVY and horizontal
// speeds spaced `step` apart, symmetric about 0. Stops early when the table is full.
void SpreadShot(Game& g, EnemyShot& s, int16_t step, int16_t fanVY, int16_t count);

// A new flying shot of s's kind and damage in the first free slot; its index, or -1 when the table
// is full.
int CloneShot(Game& g, const EnemyShot& s);

// Moves every flying shot, tests it against the ship, and draws it or frees it.
void UpdateEnemyShots(Game& g);

// The hit test of shot `index` at (x, y): a touching shot damages the ship. True on a hit.
bool EnemyShotHitsPlayer(Game& g, int x, int y, int index);

}  // namespace volley
