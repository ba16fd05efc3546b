// The heaviest frame the game's tables allow: every enemy, enemy-shot and ship-shot slot taken by
// the largest kinds, all on the play surface.
#pragma once

#include <array>

#include "game/game.h"

namespace volley::bench {

// Everything a frame changes that the next worst frame must start from again.
struct TableSnapshot {
    GameState state;
    Player player;
    FrameTimers timers;
    Random rng;
    bool contactGuard = false;
    std::array<PlayerShot, kPlayerShotSlots> playerShots{};
    std::array<Enemy, kEnemySlots> enemies{};
    std::array<EnemyShot, kEnemyShotSlots> enemyShots{};
    std::array<Star, kStarCount> stars{};
};

// Fills every table of a game that is in a stage: enemies of the kinds with the largest sprite
// cells in a grid over the upper half of the field, enemy shots of the largest shot kinds in a
// grid above the ship, ship shots of the largest kind spread over the field.
void FillTables(Game& g);

TableSnapshot TakeSnapshot(const Game& g);
void RestoreSnapshot(Game& g, const TableSnapshot& snapshot);

}  // namespace volley::bench
