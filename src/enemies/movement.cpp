#include "enemies/movement.h"

#include "enemies/aim.h"
#include "game/game.h"
#include "game/numbers.h"

namespace volley {

namespace {

// The ship counts as level when it overlaps the enemy's cell shrunk to leave 16 pixels at the
// far side and 18 at the near one.
constexpr int kLevelFar = 16;
constexpr int kLevelNear = 18;

}  // namespace

bool Chance(Game& g, int16_t n) {
    return Int(n * Rnd(g)) == 0;
}

void AimEnemy(Game& g, Enemy& e, float speed) {
    const Velocity v = AimFrom(g, e.X, e.Y, speed);
    e.VX = v.VX;
    e.VY = v.VY;
}

void DashAtPlayerX(const Game& g, Enemy& e, int16_t speed) {
    e.VX = e.X < g.PlayerX ? speed : static_cast<int16_t>(-speed);
    e.VY = 0;
}

void DashAtPlayerY(const Game& g, Enemy& e, int16_t speed) {
    e.VX = 0;
    e.VY = e.Y < g.PlayerY ? speed : static_cast<int16_t>(-speed);
}

bool PlayerInColumn(const Game& g, const Enemy& e) {
    const int width = g.EnemyTypes[e.Kind].Width;
    return g.PlayerX < e.X + width - kLevelFar && e.X + kLevelNear < g.PlayerX + kShipSize;
}

bool PlayerInRow(const Game& g, const Enemy& e) {
    const int height = g.EnemyTypes[e.Kind].Height;
    return g.PlayerY < e.Y + height - kLevelFar && e.Y + kLevelNear < g.PlayerY + kShipSize;
}

}  // namespace volley
