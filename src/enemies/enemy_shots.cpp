#include "enemies/enemy_shots.h"

#include <array>
#include <cstdlib>

#include "display/blit.h"
#include "enemies/aim.h"
#include "enemies/kind_table.h"
#include "game/game.h"
#include "game/numbers.h"
#include "player/player_rules.h"

namespace volley {

namespace {

constexpr int kMaxClones = 31;
constexpr int kSlowest = 3;  // a random shot is at least this fast along one axis

int16_t RandomComponent(Game& g, float scale) {
    return static_cast<int16_t>(Int((Rnd(g) * 20 - 10) * scale));
}

}  // namespace

void NewShot(EnemyShot& s, EnemyShotKind kind) {
    s.State = 1;
    s.Kind = kind;
    s.Damage = ShotDamage(kind);
}

void ShotFromEnemyCentre(const Game& g, const Enemy& e, EnemyShot& s) {
    const EnemyType& cell = g.EnemyTypes[e.Kind];
    s.X = static_cast<int16_t>(RoundEven(e.X + cell.Width / 2.0));
    s.Y = static_cast<int16_t>(RoundEven(e.Y + cell.Height / 2.0));
}

void SetShotVelocity(EnemyShot& s, int16_t vx, int16_t vy) {
    s.VX = vx;
    s.VY = vy;
}

void AimShot(Game& g, EnemyShot& s, float speed) {
    const Velocity v = AimFrom(g, s.X, s.Y, speed);
    s.VX = v.VX;
    s.VY = v.VY;
}

void RandomShotVelocity(Game& g, EnemyShot& s, float scale) {
    int16_t vx = 0;
    int16_t vy = 0;
    do {
        vx = RandomComponent(g, scale);
        vy = RandomComponent(g, scale);
    } while (std::abs(vx) < kSlowest && std::abs(vy) < kSlowest);
    SetShotVelocity(s, vx, vy);
}

void SpreadShot(Game& g, EnemyShot& s, int16_t step, int16_t fanVY, int16_t count) {
    const bool even = count % 2 == 0;
    SetShotVelocity(s, static_cast<int16_t>(even ? -step : 0), fanVY);
    std::array<int, kMaxClones> clones{};
    for (int k = 0; k <= count - 2 && k < kMaxClones; ++k) {
        clones[k] = CloneShot(g, s);
        if (clones[k] < 0) {
            return;
        }
        const int sign = k % 2 == 0 ? 1 : -1;
        const int steps = (even ? (k + 1) / 2 : k / 2) + 1;
        EnemyShot& clone = g.EnemyShots[clones[k]];
        clone.X = s.X;
        clone.Y = s.Y;
        clone.VX = static_cast<int16_t>(steps * sign * step);
        clone.VY = fanVY;
    }
}

int CloneShot(Game& g, const EnemyShot& s) {
    for (int i = 0; i < kEnemyShotSlots; ++i) {
        EnemyShot& clone = g.EnemyShots[i];
        if (clone.State == 0) {
            clone.State = 1;
            clone.Kind = s.Kind;
            clone.Damage = s.Damage;
            return i;
        }
    }
    return -1;
}

void UpdateEnemyShots(Game& g) {
    for (int i = 0; i < kEnemyShotSlots; ++i) {
        EnemyShot& s = g.EnemyShots[i];
        if (s.State != 1) {
            continue;
        }
        s.X = static_cast<int16_t>(s.X + s.VX);
        s.Y = static_cast<int16_t>(s.Y + s.VY);
        const bool outX = s.X > g.ScreenWidth || s.X < 0;
        const bool outY = s.Y > g.ScreenHeight || s.Y < 0;
        const bool hit = EnemyShotHitsPlayer(g, s.X, s.Y, i);
        if (outX || outY || hit) {
            s.State = 0;
            continue;
        }
        const EnemyShotType& cell = g.EnemyShotTypes[s.Kind];
        DrawMasked(g, s.X, s.Y, cell.SrcX, cell.SrcY, cell.Width, cell.Height);
    }
}

bool EnemyShotHitsPlayer(Game& g, int x, int y, int index) {
    const EnemyShot& s = g.EnemyShots[index];
    const EnemyShotType& box = g.EnemyShotTypes[s.Kind];
    if (!TouchesPlayer(g, x, y, box.Width, box.Height)) {
        return false;
    }
    DamagePlayer(g, s.Damage);
    return true;
}

}  // namespace volley
