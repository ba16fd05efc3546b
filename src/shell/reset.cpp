#include "shell/reset.h"

#include "game/game.h"

namespace volley {

namespace {

template <typename Table>
void FreeAll(Table& table) {
    for (auto& slot : table) {
        slot.State = 0;
    }
}

// A stage can end while an enemy explodes. Its explosion cell must go with it: the next enemy in
// that slot would start its own explosion part way through and never pay its points.
void FreeAllEnemies(std::array<Enemy, kEnemySlots>& enemies) {
    for (Enemy& e : enemies) {
        e.State = 0;
        e.BlastFrame = 0;
    }
}

}  // namespace

void ResetGame(Game& g) {
    g.Score = 0;
    g.PlayerFrame = 2;
    g.Bombs = 3;
    g.PowerLevel = 1;
    g.PowerGuard = 5;
    g.PlayerEnergy = 100;
    g.BossKind = kNoBossYet;
    g.StageOver = false;
    g.PlayerDown = false;
    g.ScriptToggle = 0;
    g.StageFrame = 0;
    g.StageBonus = 0;
    g.ContactGuard = false;
    g.ContactGuardFrames = 0;
    FreeAll(g.PlayerShots);
    FreeAllEnemies(g.Enemies);
    FreeAll(g.EnemyShots);
}

}  // namespace volley
