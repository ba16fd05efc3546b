// Each enemy kind's way of firing: the lines of its row in the kind table, or a boss's own code.
// Every shot of a turn is made in the one free slot the turn was given, so several shots in one
// frame replace each other there; only fans leave clones behind.

#include <algorithm>

#include "enemies/enemy_shots.h"
#include "enemies/kind_table.h"
#include "enemies/movement.h"
#include "enemies/patterns.h"
#include "game/game.h"
#include "game/numbers.h"

namespace volley {

namespace {

using enum EnemyShotKind;

// The enemy whose turn it is and the slot its shots are made in.
struct Gun {
    Game& g;
    Enemy& e;
    EnemyShot& shot;
};

bool Every(const Enemy& e, int n) {
    return e.Age % n == 0;
}

// A whole-number speed from a to a + b - 1.
float R(Game& g, int a, int b) {
    return static_cast<float>(Int(Rnd(g) * a + b));
}

void Start(Gun& f, EnemyShotKind kind) {
    NewShot(f.shot, kind);
    ShotFromEnemyCentre(f.g, f.e, f.shot);
}

// Makes the shot; an aimed one at a random speed draws that speed first.
void Make(Gun& f, const ShotRecipe& r) {
    switch (r.Shape) {
        case ShotShape::Aimed: {
            const float speed = r.SpeedSpread == 0 ? r.Speed : R(f.g, r.SpeedSpread, r.SpeedLeast);
            Start(f, r.Kind);
            AimShot(f.g, f.shot, speed);
            break;
        }
        case ShotShape::Straight:
            Start(f, r.Kind);
            SetShotVelocity(f.shot, r.VX, r.VY);
            break;
        case ShotShape::Fan:
            Start(f, r.Kind);
            SpreadShot(f.g, f.shot, r.Step, r.VY, r.Count);
            break;
        case ShotShape::Scatter:
            Start(f, r.Kind);
            RandomShotVelocity(f.g, f.shot, r.Scale);
            break;
    }
}

// A line of a kind's firing pattern: true when it fired.
bool Fires(Gun& f, const FireStep& step) {
    if (!Every(f.e, step.Every)) {
        return false;
    }
    if (step.Odds != 0 && !Chance(f.g, step.Odds)) {
        return false;
    }
    if (step.OnlyStopped && f.e.MoveFlag != 1) {
        return false;
    }
    Make(f, step.Shot);
    return true;
}

void FireByRow(Gun& f, const FirePattern& pattern) {
    for (int i = 0; i < pattern.Steps; ++i) {
        if (Fires(f, pattern.Step[i])) {
            return;
        }
    }
}

// The common aimed shot, with odds of 1 in n.
void A(Gun& f, int16_t n) {
    if (Chance(f.g, n)) {
        Make(f, CommonAimedShot());
    }
}

// Successive shots lean from -5 lean through 0 to +5 lean, then start over.
void Sweep(Gun& f, EnemyShotKind kind, int lean, int vy) {
    Make(f, StraightShot(kind, static_cast<int16_t>((f.e.FireStep - 5) * lean),
                         static_cast<int16_t>(vy)));
    f.e.FireStep = static_cast<int16_t>((f.e.FireStep + 1) % 11);
}

int16_t TowardShipVertically(const Gun& f, int v) {
    return static_cast<int16_t>(f.g.PlayerY >= f.e.Y ? v : -v);
}
int16_t TowardShipHorizontally(const Gun& f, int v) {
    return static_cast<int16_t>(f.g.PlayerX >= f.e.X ? v : -v);
}

// Two shots in turn; a step left over from a sweep fires nothing and only brings the turn back.
void Alternate(Gun& f, const ShotRecipe& first, const ShotRecipe& second) {
    if (f.e.FireStep == 0) {
        Make(f, first);
    } else if (f.e.FireStep == 1) {
        Make(f, second);
    }
    f.e.FireStep = static_cast<int16_t>((f.e.FireStep + 1) % 2);
}

// An aimed shot now and then: mostly the common one, sometimes a faster one.
void OccasionalAimed(Gun& f, int16_t n) {
    if (Chance(f.g, n)) {
        if (Chance(f.g, 5)) {
            Make(f, AimedShotAtRandomSpeed(Ball, 3, 8));
        } else {
            Make(f, CommonAimedShot());
        }
    }
}

// The stage 1 boss and the stage 7 mid-boss: fans for the first 200 frames of each 500-frame cycle
// after the first.
void FireSwayer(Gun& f, int32_t r) {
    if (r == 200) {
        f.e.FireStep = 0;
    } else if (r == 0) {
        f.e.FireStep = 1;
    } else if (Every(f.e, 12) && f.e.FireStep == 1) {
        Make(f, FanShot(FanOrb, 3, 6, 5));
    } else {
        OccasionalAimed(f, 10);
    }
}

void FireStage7Boss(Gun& f, int32_t r) {
    if (r <= 200) {
        if (Every(f.e, 30)) {
            // Making the shot draws nothing, so the fan's size can be drawn first.
            if (Chance(f.g, 7)) {
                Make(f, FanShot(Ball, 6, 12, 7));
            } else if (Chance(f.g, 4)) {
                Make(f, FanShot(Ball, 4, 8, 5));
            } else {
                Make(f, FanShot(Ball, 4, 8, 3));
            }
        } else {
            A(f, 20);
        }
    } else if (r <= 400) {
        if (Every(f.e, 20)) {
            Make(f, AimedShotAtRandomSpeed(Heavy, 15, 9));
        } else if (Chance(f.g, 20)) {
            Make(f, CommonAimedShot());
        } else if (Chance(f.g, 50)) {
            Make(f, FanShot(FanOrb, 2, 7, 7));
        }
    } else if (Every(f.e, 3)) {
        Make(f, FanShot(FanOrb, 2, 15, 13));
    } else {
        Sweep(f, Ring, 2, -1);
    }
}

void FireStage2Boss(Gun& f, int32_t r) {
    if (r <= 200) {
        if (Every(f.e, 20)) {
            Make(f, FanShot(FanOrb, 3, TowardShipVertically(f, 6), 3));
        } else {
            A(f, 30);
        }
    } else if (r <= 400) {
        OccasionalAimed(f, 15);
    } else if (Every(f.e, 2)) {
        Make(f, ScatterShot(Orb, 1.2f));
    }
}

void FireEscort(Gun& f, int32_t r) {
    if (r <= 200) {
        if (Every(f.e, 15)) {
            Make(f, FanShot(FanOrb, 3, 6, 7));
        } else {
            A(f, 20);
        }
    } else if (r <= 400) {
        Make(f, ScatterShot(Orb, 1));
    } else if (Every(f.e, 3)) {
        Sweep(f, FanOrb, 2, 12);
    }
}

void FireStage3Boss(Gun& f, int32_t r) {
    if (r <= 200) {
        if (Every(f.e, 25)) {
            Alternate(f, FanShot(FanOrb, 3, 6, 7), FanShot(FanOrb, 2, 6, 7));
        } else {
            A(f, 20);
        }
    } else if (r <= 400) {
        if (Every(f.e, 35)) {
            Alternate(f, FanShot(Ball, 6, 12, 3), FanShot(Ball, 3, 12, 3));
        } else {
            A(f, 20);
        }
    } else if (Every(f.e, 2)) {
        Sweep(f, Ball, 1, 12);
    }
}

void FireStage4Boss(Gun& f, int32_t r) {
    if (PlayerInColumn(f.g, f.e)) {
        if (Every(f.e, 10))
            Make(f, StraightShot(Heavy, 0, 20));
    } else if (r <= 200) {
        if (Every(f.e, 25)) {
            Make(f, FanShot(FanOrb, 3, 6, 6));
        } else {
            A(f, 20);
        }
    } else if (r <= 400) {
        Make(f, ScatterShot(Orb, 1));
    } else if (Every(f.e, 5)) {
        Sweep(f, Ball, 2, 12);
    }
}

void FireStage5Boss(Gun& f, int32_t r) {
    if (PlayerInColumn(f.g, f.e)) {
        if (Every(f.e, 10))
            Make(f, StraightShot(Heavy, 0, TowardShipVertically(f, 20)));
    } else if (PlayerInRow(f.g, f.e)) {
        if (Every(f.e, 10))
            Make(f, StraightShot(Heavy, TowardShipHorizontally(f, 20), 0));
    } else if (r <= 200) {
        if (Every(f.e, 30)) {
            Make(f, FanShot(Ball, 12, TowardShipVertically(f, 12), 2));
        } else {
            A(f, 30);
        }
    } else if (r <= 400) {
        if (Every(f.e, 20)) {
            Make(f, FanShot(FanOrb, 3, TowardShipVertically(f, 6), 5));
        } else {
            A(f, 30);
        }
    } else if (Every(f.e, 3)) {
        Make(f, AimedShotAtRandomSpeed(Ball, 5, 8));
    }
}

void FireStage6Boss(Gun& f, int32_t r) {
    if (PlayerInColumn(f.g, f.e)) {
        if (Every(f.e, 10))
            Make(f, FanShot(Plasma, 3, 20, 3));
    } else if (PlayerInRow(f.g, f.e)) {
        if (Every(f.e, 10))
            Make(f, StraightShot(Plasma, TowardShipHorizontally(f, 20), 0));
    } else if (r <= 200) {
        if (Every(f.e, 20)) {
            Make(f, FanShot(FanOrb, 3, 6, 7));
        } else {
            A(f, 10);
        }
    } else if (r <= 400) {
        if (Every(f.e, 30)) {
            Alternate(f, FanShot(Ball, 6, 12, 5), FanShot(Heavy, 10, 20, 3));
        } else {
            A(f, 20);
        }
    } else if (r <= 500) {
        if (Every(f.e, 2))
            Sweep(f, Ball, 4, 12);
    } else {
        Make(f, ScatterShot(Ball, 2));
    }
}

void FireFinalBossByPhase(Gun& f, int32_t r) {
    if (r <= 100) {
        if (Every(f.e, 15))
            Make(f, FanShot(FanOrb, 3, 6, 3));
    } else if (r <= 200) {
        if (Every(f.e, 2))
            Make(f, ScatterShot(Orb, 1));
    } else if (r <= 300) {
        if (Every(f.e, 5))
            Sweep(f, Ball, 2, 12);
    } else if (r <= 400) {
        if (Every(f.e, 6)) {
            Sweep(f, Ball, 2, 12);
        } else if (Every(f.e, 3)) {
            Sweep(f, Ball, -2, 12);
        }
    } else if (r <= 430) {
        if (Every(f.e, 2))
            Make(f, FanShot(Star, 2, 20, 3));
    } else if (r <= 500) {
        if (Every(f.e, 22))
            Make(f, FanShot(Ring, 1, 3, 9));
    } else {
        Make(f, ScatterShot(Orb, 1));
    }
}

// The final boss: several steps each frame, the later ones replacing the shot of the earlier.
void FireFinalBoss(Gun& f, int32_t r) {
    if (Every(f.e, 142)) {
        Make(f, FanShot(Ring, 1, 2, 7));
    } else if (Every(f.e, 71)) {
        Make(f, FanShot(Ring, 1, 3, 6));
    }
    A(f, 20);
    if (r == 560 || r == 580) {
        Make(f, FanShot(Heavy, 3, 12, 9));
        return;
    }
    if (PlayerInColumn(f.g, f.e)) {
        if (Every(f.e, 3))
            Make(f, StraightShot(Heavy, 0, 20));
        return;
    }
    FireFinalBossByPhase(f, r);
}

void EnemyFirePattern(Game& g, Enemy& e, EnemyShot& shot) {
    Gun f{g, e, shot};
    const int32_t r = e.Age % 500;
    const int32_t longR = e.Age % 600;
    switch (e.Kind) {
        case EnemyKind::Stage1Boss:
        case EnemyKind::Stage7MidBoss: FireSwayer(f, r); break;
        case EnemyKind::Stage7Boss: FireStage7Boss(f, r); break;
        case EnemyKind::Stage2Boss: FireStage2Boss(f, r); break;
        case EnemyKind::Escort: FireEscort(f, r); break;
        case EnemyKind::Stage3Boss: FireStage3Boss(f, r); break;
        case EnemyKind::Stage4Boss: FireStage4Boss(f, r); break;
        case EnemyKind::Stage5Boss: FireStage5Boss(f, r); break;
        case EnemyKind::Stage6Boss: FireStage6Boss(f, longR); break;
        case EnemyKind::FinalBoss: FireFinalBoss(f, longR); break;
        default: FireByRow(f, KindRowOf(e.Kind).Fire); break;
    }
}

}  // namespace

int FireEnemyShots(Game& g, int index, int from) {
    for (int slot = std::max(from, 0); slot < kEnemyShotSlots; ++slot) {
        if (g.EnemyShots[slot].State == 0) {
            g.CurShot = static_cast<int16_t>(slot);
            EnemyFirePattern(g, g.Enemies[index], g.EnemyShots[slot]);
            return slot;
        }
    }
    return kEnemyShotSlots;
}

}  // namespace volley
