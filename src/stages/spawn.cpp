#include "stages/spawn.h"

#include "enemies/kind_table.h"
#include "game/game.h"
#include "game/numbers.h"

namespace volley {

namespace {

constexpr int kColumnsAcross = 8;

}  // namespace

void SpawnEnemy(Game& g, EnemyKind kind, int16_t column, int16_t y) {
    for (int16_t i = 0; i < kEnemySlots; ++i) {
        Enemy& e = g.Enemies[i];
        if (e.State != 0) {
            continue;
        }
        e.Kind = kind;
        e.State = 1;
        e.MoveTimer = 0;
        e.Age = 0;
        e.MoveFlag = 0;
        e.FireStep = 0;
        // The column's product is a 16-bit one; the rest is worked out in double precision.
        const auto across = static_cast<int16_t>(column * g.ScreenWidth);
        e.X = static_cast<int16_t>(
            Int(across / double{kColumnsAcross} - g.EnemyTypes[kind].Width / 2.0));
        e.Y = y;
        SetSpawnValues(g, i);
        return;
    }
}

void SetSpawnValues(Game& g, int16_t slot) {
    Enemy& e = g.Enemies[slot];
    const SpawnValues& values = KindRowOf(e.Kind).Spawn;
    e.ContactDamage = values.ContactDamage;
    e.VX = 0;
    e.VY = values.VY;
    e.HP = values.HP;
    e.Score = values.Score;
}

}  // namespace volley
