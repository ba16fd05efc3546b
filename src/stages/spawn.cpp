#include "stages/spawn.h"

#include <array>

#include "game/game.h"
#include "game/numbers.h"

namespace volley {

namespace {

struct SpawnValues {
    int16_t contactDamage;
    int16_t vy;
    int16_t hp;
    int32_t score;
};

constexpr SpawnValues kItem{0, 3, 1, 2000};
constexpr SpawnValues kUnlisted{0, 6, 1, 50};

constexpr SpawnValues ValuesOf(int16_t kind) {
    switch (kind) {
        case 0:
        case 1:
        case 2: return kItem;
        case 3: return {5, 6, 1, 100};
        case 4: return {5, 3, 1, 100};
        case 5: return {5, 4, 1, 100};
        case 6: return {5, 9, 1, 100};
        case 7: return {5, 7, 3, 200};
        case 8:
        case 9: return {5, 6, 1, 100};
        case 10: return {5, -6, 1, 100};
        case 11: return {5, 12, 1, 300};
        case 12: return {5, 6, 20, 1000};
        case 13:
        case 15: return {5, 3, 5, 300};
        case 14: return {5, 3, 500, 700};
        case 16: return {5, 4, 3, 500};
        case 17: return {5, -10, 1, 500};
        case 18: return {5, 12, 1, 300};
        case 20: return {5, 3, 40, 2000};
        case 21: return {10, 3, 250, 10000};
        case 22: return {10, 3, 250, 70000};
        case 23: return {10, 5, 250, 15000};
        case 24: return {10, 7, 180, 20000};
        case 25: return {10, 3, 250, 20000};
        case 26: return {10, 3, 250, 25000};
        case 27: return {10, 3, 250, 30000};
        case 28: return {50, 3, 500, 100000};
        case 30: return {5, 1, 5, 1000};
        case 31: return {10, 4, 500, 200000};
        case 41: return {10, 3, 50, 5000};
        default: return kUnlisted;
    }
}

constexpr int kColumnsAcross = 8;

}  // namespace

void SpawnEnemy(Game& g, int16_t kind, int16_t column, int16_t y) {
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
    const SpawnValues values = ValuesOf(e.Kind);
    e.ContactDamage = values.contactDamage;
    e.VX = 0;
    e.VY = values.vy;
    e.HP = values.hp;
    e.Score = values.score;
}

}  // namespace volley
