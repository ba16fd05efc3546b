#include "enemies/enemy_shots.h"

#include <array>
#include <cstdlib>

#include "display/blit.h"
#include "enemies/aim.h"
#include "game/game.h"
#include "game/numbers.h"
#include "player/player_rules.h"

namespace volley {

namespace {

constexpr int kMaxClones = 31;
constexpr int kSlowest = 3;  // a random shot is at least this fast along one axis

EnemyShot& Current(Game& g) {
    return g.EnemyShots[g.CurShot];
}

int16_t RandomComponent(Game& g, float scale) {
    return static_cast<int16_t>(Int((Rnd(g) * 20 - 10) * scale));
}

}  // namespace

void NewShot(Game& g, int16_t kind, int16_t damage) {
    EnemyShot& s = Current(g);
    s.State = 1;
    s.Kind = kind;
    s.Damage = damage;
}

void ShotFromEnemyCentre(Game& g) {
    const Enemy& e = g.Enemies[g.CurEnemy];
    const EnemyType& cell = g.EnemyTypes[e.Kind];
    EnemyShot& s = Current(g);
    s.X = static_cast<int16_t>(RoundEven(e.X + cell.Width / 2.0));
    s.Y = static_cast<int16_t>(RoundEven(e.Y + cell.Height / 2.0));
}

void SetShotVelocity(Game& g, int16_t vx, int16_t vy) {
    EnemyShot& s = Current(g);
    s.VX = vx;
    s.VY = vy;
}

void AimShot(Game& g, float speed) {
    EnemyShot& s = Current(g);
    const Velocity v = AimFrom(g, s.X, s.Y, speed);
    s.VX = v.VX;
    s.VY = v.VY;
}

void RandomShotVelocity(Game& g, float scale) {
    int16_t vx = 0;
    int16_t vy = 0;
    do {
        vx = RandomComponent(g, scale);
        vy = RandomComponent(g, scale);
    } while (std::abs(vx) < kSlowest && std::abs(vy) < kSlowest);
    SetShotVelocity(g, vx, vy);
}

void SpreadShot(Game& g, int16_t step, int16_t fanVY, int16_t count) {
    const bool even = count % 2 == 0;
    SetShotVelocity(g, static_cast<int16_t>(even ? -step : 0), fanVY);
    std::array<int, kMaxClones> clones{};
    for (int k = 0; k <= count - 2 && k < kMaxClones; ++k) {
        clones[k] = CloneShot(g);
        if (clones[k] < 0) {
            return;
        }
        const int sign = k % 2 == 0 ? 1 : -1;
        const int steps = (even ? (k + 1) / 2 : k / 2) + 1;
        EnemyShot& clone = g.EnemyShots[clones[k]];
        clone.X = Current(g).X;
        clone.Y = Current(g).Y;
        clone.VX = static_cast<int16_t>(steps * sign * step);
        clone.VY = fanVY;
    }
}

int CloneShot(Game& g) {
    for (int i = 0; i < kEnemyShotSlots; ++i) {
        EnemyShot& s = g.EnemyShots[i];
        if (s.State == 0) {
            s.State = 1;
            s.Kind = Current(g).Kind;
            s.Damage = Current(g).Damage;
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
