#include "player/shot_hits.h"

#include <cstring>
#include <limits>

#include "game/game.h"
#include "player/player_rules.h"

namespace volley {

namespace {

// Whole words of the touch flags are skipped while nothing is touched.
constexpr int kFlagWords = (kEnemySlots + 7) / 8;

void Damage(Game& g, Enemy& e, int16_t power) {
    e.HP = static_cast<int16_t>(e.HP - power);
    if (e.HP <= 0) {
        e.State = 2;
        PlaySound(g, g.SndHitB);
    } else {
        PlaySound(g, g.SndKi);
    }
}

}  // namespace

void FindEnemyBoxes(const Game& g, EnemyBoxes& boxes) {
    for (int i = 0; i < kEnemySlots; ++i) {
        const Enemy& e = g.Enemies[i];
        if (e.State != 1 || IsItem(e.Kind)) {
            boxes.Left[i] = boxes.Top[i] = std::numeric_limits<int32_t>::max();
            boxes.Right[i] = boxes.Bottom[i] = std::numeric_limits<int32_t>::min();
            continue;
        }
        const EnemyType& type = g.EnemyTypes[e.Kind];
        boxes.Left[i] = e.X;
        boxes.Right[i] = e.X + type.Width;
        boxes.Top[i] = e.Y;
        boxes.Bottom[i] = e.Y + type.Height;
    }
}

bool HitEnemies(Game& g, const EnemyBoxes& boxes, int x, int y, int shot) {
    const PlayerShot& s = g.PlayerShots[shot];
    const PlayerShotType& box = g.PlayerShotTypes[s.Kind];
    const int32_t left = x + kHitMargin;
    const int32_t right = x + box.Width - kHitMargin;
    const int32_t top = y + kHitMargin;
    const int32_t bottom = y + box.Height - kHitMargin;
    std::array<uint8_t, 8 * kFlagWords> touched{};
    for (int i = 0; i < kEnemySlots; ++i) {
        touched[i] = static_cast<uint8_t>((left < boxes.Right[i]) & (boxes.Left[i] < right) &
                                          (top < boxes.Bottom[i]) & (boxes.Top[i] < bottom));
    }
    bool hit = false;
    for (int word = 0; word < kFlagWords; ++word) {
        uint64_t flags = 0;
        std::memcpy(&flags, touched.data() + 8 * word, sizeof flags);
        if (flags == 0) {
            continue;
        }
        for (int i = 8 * word; i < 8 * word + 8; ++i) {
            // An enemy an earlier shot of the frame destroyed is no longer there to hit.
            if (touched[i] != 0 && g.Enemies[i].State == 1) {
                hit = true;
                Damage(g, g.Enemies[i], s.Power);
            }
        }
    }
    return hit;
}

}  // namespace volley
