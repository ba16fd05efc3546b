#include "enemies/enemies.h"

#include "display/blit.h"
#include "enemies/patterns.h"
#include "game/game.h"
#include "player/player_rules.h"

namespace volley {

namespace {

bool OutsideField(const Game& g, const Enemy& e) {
    return e.X < 0 || e.X > g.ScreenWidth || e.Y < 0 || e.Y > g.ScreenHeight;
}

// A contact that counted: an item vanishes; an enemy loses a hit point, and one that survives
// raises the contact guard.
void ResolveContact(Game& g, Enemy& e) {
    if (IsItem(e.Kind)) {
        e.State = 0;
        return;
    }
    e.HP -= 1;
    if (e.HP > 0) {
        g.ContactGuard = true;
    } else {
        e.State = 2;
    }
}

}  // namespace

void UpdateEnemies(Game& g) {
    // With every shot slot taken, each enemy would otherwise look through all of them again.
    int shotSearchFrom = 0;
    for (int i = 0; i < kEnemySlots; ++i) {
        Enemy& e = g.Enemies[i];
        if (e.State != 1) {
            continue;
        }
        e.Age += 1;
        g.CurEnemy = static_cast<int16_t>(i);
        shotSearchFrom = FireEnemyShots(g, i, shotSearchFrom);
        EnemyMovePattern(g, i);
        if (EnemyTouchesPlayer(g, e.X, e.Y, i)) {
            ResolveContact(g, e);
        }
        if (e.State == 1) {
            const EnemyType& cell = g.EnemyTypes[e.Kind];
            DrawMasked(g, e.X, e.Y, cell.SrcX, cell.SrcY, cell.Width, cell.Height);
            if (OutsideField(g, e)) {
                e.State = 0;
            }
        }
    }
}

bool EnemyTouchesPlayer(Game& g, int x, int y, int index) {
    Enemy& e = g.Enemies[index];
    const EnemyType& box = g.EnemyTypes[e.Kind];
    if (!TouchesPlayer(g, x, y, box.Width, box.Height)) {
        return false;
    }
    if (IsItem(e.Kind)) {
        CollectItem(g, e.Kind, e.Score);
        return true;
    }
    if (g.ContactGuard) {
        return false;
    }
    DamagePlayer(g, e.ContactDamage);
    return true;
}

}  // namespace volley
