#include "player/player_rules.h"

#include <algorithm>

#include "game/game.h"

namespace volley {

namespace {

constexpr int16_t kFullPowerGuard = 7;
constexpr int16_t kTopPowerLevel = 5;
constexpr int16_t kEnergyPerItem = 20;

void AddItemScore(Game& g, int32_t points) {
    g.Score += points;
    g.LabelDirty[LabelId::Score] = true;
}

}  // namespace

bool TouchesPlayer(const Game& g, int ox, int oy, int ow, int oh) {
    return g.PlayerX < ox + ow - kHitMargin && ox + kHitMargin < g.PlayerX + kShipSize &&
           g.PlayerY < oy + oh - kHitMargin && oy + kHitMargin < g.PlayerY + kShipSize &&
           !g.PlayerDown;
}

void DamagePlayer(Game& g, int16_t amount) {
    g.PlayerEnergy = static_cast<int16_t>(g.PlayerEnergy - amount);
    PlaySound(g, g.SndHitB);
    g.PowerGuard -= 1;
    if (g.PowerGuard == 0) {
        g.PowerGuard = kFullPowerGuard;
        if (g.PowerLevel != 1) {
            g.PowerLevel -= 1;
        }
    }
    if (g.PlayerEnergy <= 0) {
        g.PlayerDown = true;
    }
}

void CollectItem(Game& g, EnemyKind kind, int32_t points) {
    switch (kind) {
        case EnemyKind::PowerItem:
            if (g.PowerLevel == kTopPowerLevel) {
                AddItemScore(g, points);
            } else {
                g.PowerLevel += 1;
            }
            g.PowerGuard = kFullPowerGuard;
            break;
        case EnemyKind::BombItem:
            g.Bombs += 1;
            g.LabelDirty[LabelId::Bombs] = true;
            break;
        case EnemyKind::EnergyItem:
            if (g.PlayerEnergy == kFullEnergy) {
                AddItemScore(g, points);
            } else {
                g.PlayerEnergy = std::min<int16_t>(g.PlayerEnergy + kEnergyPerItem, kFullEnergy);
            }
            break;
        default: return;  // not an item
    }
    PlaySound(g, g.SndUP);
}

void PlaySound(Game& g, const std::vector<uint8_t>& effect) {
    g.Sys.sound.PlayEffect(effect);
}

}  // namespace volley
