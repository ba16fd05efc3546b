// Each enemy kind's way of firing, as one table keyed by kind. Every shot is made in the free slot
// CurShot, so several shots in one frame replace each other there; only fans leave clones behind.

#include <cmath>

#include "enemies/enemy_shots.h"
#include "enemies/movement.h"
#include "enemies/patterns.h"
#include "game/game.h"
#include "game/numbers.h"

namespace volley {

namespace {

// The building blocks, for the enemy CurEnemy.

bool Every(const Enemy& e, int n) {
    return e.Age % n == 0;
}

// A whole-number speed from a to a + b - 1.
float R(Game& g, int a, int b) {
    return static_cast<float>(Int(Rnd(g) * a + b));
}

void Start(Game& g, int16_t kind, int16_t damage) {
    NewShot(g, kind, damage);
    ShotFromEnemyCentre(g);
}

void Aimed(Game& g, int16_t kind, int16_t damage, float speed) {
    Start(g, kind, damage);
    AimShot(g, speed);
}

// The common aimed shot, with odds of 1 in n.
void A(Game& g, int16_t n) {
    if (Chance(g, n)) {
        Aimed(g, 0, 5, R(g, 3, 4));
    }
}

void Straight(Game& g, int16_t kind, int16_t damage, int vx, int vy) {
    Start(g, kind, damage);
    SetShotVelocity(g, static_cast<int16_t>(vx), static_cast<int16_t>(vy));
}

void Fan(Game& g, int16_t kind, int16_t damage, int step, int vy, int count) {
    Start(g, kind, damage);
    SpreadShot(g, static_cast<int16_t>(step), static_cast<int16_t>(vy),
               static_cast<int16_t>(count));
}

void Scatter(Game& g, int16_t kind, int16_t damage, float scale) {
    Start(g, kind, damage);
    RandomShotVelocity(g, scale);
}

// Successive shots lean from -5 f through 0 to +5 f, then start over.
void Sweep(Game& g, Enemy& e, int16_t kind, int16_t damage, int f, int vy) {
    Start(g, kind, damage);
    SetShotVelocity(g, static_cast<int16_t>((e.FireStep - 5) * f), static_cast<int16_t>(vy));
    e.FireStep = static_cast<int16_t>((e.FireStep + 1) % 11);
}

int TowardShipVertically(const Game& g, const Enemy& e, int v) {
    return g.PlayerY >= e.Y ? v : -v;
}
int TowardShipHorizontally(const Game& g, const Enemy& e, int v) {
    return g.PlayerX >= e.X ? v : -v;
}

// Two fans in turn; a step left over from a sweep fires nothing and only brings the turn back.
template <typename First, typename Second>
void AlternateFans(Enemy& e, First first, Second second) {
    if (e.FireStep == 0) {
        first();
    } else if (e.FireStep == 1) {
        second();
    }
    e.FireStep = static_cast<int16_t>((e.FireStep + 1) % 2);
}

// An aimed shot now and then: mostly the common one, sometimes a faster one.
void OccasionalAimed(Game& g, int16_t n) {
    if (Chance(g, n)) {
        if (Chance(g, 5)) {
            Aimed(g, 1, 10, R(g, 3, 8));
        } else {
            Aimed(g, 0, 5, R(g, 3, 4));
        }
    }
}

void FireOrdinary(Game& g, Enemy& e) {
    switch (e.Kind) {
        case 3:
        case 5:
        case 9:
        case 10: A(g, 40); break;
        case 4:
            if (Every(e, 40))
                Fan(g, 9, 5, 3, 6, 3);
            break;
        case 7:
            if (Every(e, 15) && e.MoveFlag == 1) {
                Scatter(g, 6, 5, 1);
            } else {
                A(g, 40);
            }
            break;
        case 8:
            if (Every(e, 8))
                Straight(g, 11, 5, 0, 12);
            break;
        case 11:
            if (Every(e, 10))
                Fan(g, 9, 5, 3, 6, 3);
            break;
        case 12:
            if (Every(e, 25)) {
                Fan(g, 9, 5, 3, 6, 3);
            } else if (Chance(g, 40)) {
                Aimed(g, 6, 5, R(g, 3, 4));
            }
            break;
        case 13:
            if (Chance(g, 50)) {
                Aimed(g, 1, 10, 12);
            } else {
                A(g, 40);
            }
            break;
        case 15: A(g, 10); break;
        case 16:
            if (Every(e, 40)) {
                Fan(g, 9, 5, 3, 6, 5);
            } else if (Chance(g, 30)) {
                Straight(g, 1, 10, 0, 12);
            }
            break;
        case 17:
            if (Every(e, 20))
                Fan(g, 9, 5, 3, -6, 3);
            break;
        case 18:
            if (Chance(g, 3) && e.MoveFlag == 1)
                Scatter(g, 0, 5, 1);
            break;
        case 20:
            if (Every(e, 15)) {
                Fan(g, 9, 5, 3, 6, 2);
            } else if (Chance(g, 40)) {
                Straight(g, 1, 10, 0, 12);
            } else {
                A(g, 30);
            }
            break;
        case 30:
            if (Every(e, 120)) {
                Fan(g, 9, 5, 3, 9, 9);
            } else if (Every(e, 30)) {
                Fan(g, 9, 5, 3, 6, 3);
            }
            break;
        default: break;  // never fires
    }
}

// Kinds 21 and 41: fans for the first 200 frames of each 500-frame cycle after the first.
void FireSwayer(Game& g, Enemy& e, int32_t r) {
    if (r == 200) {
        e.FireStep = 0;
    } else if (r == 0) {
        e.FireStep = 1;
    } else if (Every(e, 12) && e.FireStep == 1) {
        Fan(g, 9, 5, 3, 6, 5);
    } else {
        OccasionalAimed(g, 10);
    }
}

void Fire22(Game& g, Enemy& e, int32_t r) {
    if (r <= 200) {
        if (Every(e, 30)) {
            Start(g, 1, 10);
            if (Chance(g, 7)) {
                SpreadShot(g, 6, 12, 7);
            } else if (Chance(g, 4)) {
                SpreadShot(g, 4, 8, 5);
            } else {
                SpreadShot(g, 4, 8, 3);
            }
        } else {
            A(g, 20);
        }
    } else if (r <= 400) {
        if (Every(e, 20)) {
            Aimed(g, 2, 20, R(g, 15, 9));
        } else if (Chance(g, 20)) {
            Aimed(g, 0, 5, R(g, 3, 4));
        } else if (Chance(g, 50)) {
            Fan(g, 9, 5, 2, 7, 7);
        }
    } else if (Every(e, 3)) {
        Fan(g, 9, 5, 2, 15, 13);
    } else {
        Sweep(g, e, 13, 5, 2, -1);
    }
}

void Fire23(Game& g, Enemy& e, int32_t r) {
    if (r <= 200) {
        if (Every(e, 20)) {
            Fan(g, 9, 5, 3, TowardShipVertically(g, e, 6), 3);
        } else {
            A(g, 30);
        }
    } else if (r <= 400) {
        OccasionalAimed(g, 15);
    } else if (Every(e, 2)) {
        Scatter(g, 0, 5, 1.2f);
    }
}

void Fire24(Game& g, Enemy& e, int32_t r) {
    if (r <= 200) {
        if (Every(e, 15)) {
            Fan(g, 9, 5, 3, 6, 7);
        } else {
            A(g, 20);
        }
    } else if (r <= 400) {
        Scatter(g, 0, 5, 1);
    } else if (Every(e, 3)) {
        Sweep(g, e, 9, 5, 2, 12);
    }
}

void Fire25(Game& g, Enemy& e, int32_t r) {
    if (r <= 200) {
        if (Every(e, 25)) {
            AlternateFans(
                e, [&] { Fan(g, 9, 5, 3, 6, 7); }, [&] { Fan(g, 9, 5, 2, 6, 7); });
        } else {
            A(g, 20);
        }
    } else if (r <= 400) {
        if (Every(e, 35)) {
            AlternateFans(
                e, [&] { Fan(g, 1, 10, 6, 12, 3); }, [&] { Fan(g, 1, 10, 3, 12, 3); });
        } else {
            A(g, 20);
        }
    } else if (Every(e, 2)) {
        Sweep(g, e, 1, 10, 1, 12);
    }
}

void Fire26(Game& g, Enemy& e, int32_t r) {
    if (PlayerInColumn(g)) {
        if (Every(e, 10))
            Straight(g, 2, 20, 0, 20);
    } else if (r <= 200) {
        if (Every(e, 25)) {
            Fan(g, 9, 5, 3, 6, 6);
        } else {
            A(g, 20);
        }
    } else if (r <= 400) {
        Scatter(g, 0, 5, 1);
    } else if (Every(e, 5)) {
        Sweep(g, e, 1, 10, 2, 12);
    }
}

void Fire27(Game& g, Enemy& e, int32_t r) {
    if (PlayerInColumn(g)) {
        if (Every(e, 10))
            Straight(g, 2, 20, 0, TowardShipVertically(g, e, 20));
    } else if (PlayerInRow(g)) {
        if (Every(e, 10))
            Straight(g, 2, 20, TowardShipHorizontally(g, e, 20), 0);
    } else if (r <= 200) {
        if (Every(e, 30)) {
            Fan(g, 1, 10, 12, TowardShipVertically(g, e, 12), 2);
        } else {
            A(g, 30);
        }
    } else if (r <= 400) {
        if (Every(e, 20)) {
            Fan(g, 9, 5, 3, TowardShipVertically(g, e, 6), 5);
        } else {
            A(g, 30);
        }
    } else if (Every(e, 3)) {
        Aimed(g, 1, 10, R(g, 5, 8));
    }
}

void Fire28(Game& g, Enemy& e, int32_t r) {
    if (PlayerInColumn(g)) {
        if (Every(e, 10))
            Fan(g, 4, 50, 3, 20, 3);
    } else if (PlayerInRow(g)) {
        if (Every(e, 10))
            Straight(g, 4, 50, TowardShipHorizontally(g, e, 20), 0);
    } else if (r <= 200) {
        if (Every(e, 20)) {
            Fan(g, 9, 5, 3, 6, 7);
        } else {
            A(g, 10);
        }
    } else if (r <= 400) {
        if (Every(e, 30)) {
            AlternateFans(
                e, [&] { Fan(g, 1, 10, 6, 12, 5); }, [&] { Fan(g, 2, 20, 10, 20, 3); });
        } else {
            A(g, 20);
        }
    } else if (r <= 500) {
        if (Every(e, 2))
            Sweep(g, e, 1, 10, 4, 12);
    } else {
        Scatter(g, 1, 10, 2);
    }
}

void Fire31ByPhase(Game& g, Enemy& e, int32_t r) {
    if (r <= 100) {
        if (Every(e, 15))
            Fan(g, 9, 5, 3, 6, 3);
    } else if (r <= 200) {
        if (Every(e, 2))
            Scatter(g, 0, 5, 1);
    } else if (r <= 300) {
        if (Every(e, 5))
            Sweep(g, e, 1, 10, 2, 12);
    } else if (r <= 400) {
        if (Every(e, 6)) {
            Sweep(g, e, 1, 10, 2, 12);
        } else if (Every(e, 3)) {
            Sweep(g, e, 1, 10, -2, 12);
        }
    } else if (r <= 430) {
        if (Every(e, 2))
            Fan(g, 5, 10, 2, 20, 3);
    } else if (r <= 500) {
        if (Every(e, 22))
            Fan(g, 13, 5, 1, 3, 9);
    } else {
        Scatter(g, 0, 5, 1);
    }
}

// The final boss: several steps each frame, the later ones replacing the shot of the earlier.
void Fire31(Game& g, Enemy& e, int32_t r) {
    if (Every(e, 142)) {
        Fan(g, 13, 5, 1, 2, 7);
    } else if (Every(e, 71)) {
        Fan(g, 13, 5, 1, 3, 6);
    }
    A(g, 20);
    if (r == 560 || r == 580) {
        Fan(g, 2, 20, 3, 12, 9);
        return;
    }
    if (PlayerInColumn(g)) {
        if (Every(e, 3))
            Straight(g, 2, 20, 0, 20);
        return;
    }
    Fire31ByPhase(g, e, r);
}

void EnemyFirePattern(Game& g, int index, int slot) {
    g.CurEnemy = static_cast<int16_t>(index);
    g.CurShot = static_cast<int16_t>(slot);
    Enemy& e = g.Enemies[index];
    const int32_t r = e.Age % 500;
    const int32_t longR = e.Age % 600;
    switch (e.Kind) {
        case 21:
        case 41: FireSwayer(g, e, r); break;
        case 22: Fire22(g, e, r); break;
        case 23: Fire23(g, e, r); break;
        case 24: Fire24(g, e, r); break;
        case 25: Fire25(g, e, r); break;
        case 26: Fire26(g, e, r); break;
        case 27: Fire27(g, e, r); break;
        case 28: Fire28(g, e, longR); break;
        case 31: Fire31(g, e, longR); break;
        default: FireOrdinary(g, e); break;
    }
}

}  // namespace

void FireEnemyShots(Game& g, int index) {
    for (int slot = 0; slot < kEnemyShotSlots; ++slot) {
        if (g.EnemyShots[slot].State == 0) {
            EnemyFirePattern(g, index, slot);
            return;
        }
    }
}

}  // namespace volley
