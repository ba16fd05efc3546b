// Each enemy kind's way of flying, as one table keyed by kind.

#include "enemies/movement.h"
#include "enemies/patterns.h"
#include "game/game.h"
#include "game/numbers.h"

namespace volley {

namespace {

// The building blocks of the table, on the enemy e.

void To(Enemy& e, int16_t vx, int16_t vy) {
    e.VX = vx;
    e.VY = vy;
}

// Turns to fly sideways, left or right at random, for good.
void Turn(Game& g, Enemy& e, int16_t speed) {
    e.MoveFlag = 1;
    e.VY = 0;
    e.VX = Chance(g, 2) ? speed : static_cast<int16_t>(-speed);
}

void Stop(Enemy& e) {
    To(e, 0, 0);
    e.MoveFlag = 1;
}

// Sends the enemy back inward at `speed` when it reaches the left wall at `left` or the right wall
// at `right` (fractions of the field's width).
void Walls(const Game& g, Enemy& e, double left, double right, int16_t speed) {
    if (e.X >= g.ScreenWidth * right) {
        To(e, static_cast<int16_t>(-speed), 0);
    } else if (e.X <= g.ScreenWidth * left) {
        To(e, speed, 0);
    }
}

bool FirstUpdate(const Enemy& e) {
    return e.Age <= 1;
}
bool TimerDue(const Enemy& e) {
    return e.Age == e.MoveTimer && e.MoveFlag == 0;
}

int32_t RandomTimer(Game& g, int spread, int first) {
    return Int(Rnd(g) * spread + first);
}

// After its first update: turns sideways when its timer is due, otherwise keeps between two walls.
void TurnOrPatrol(Game& g, Enemy& e, int16_t speed, double left, double right) {
    if (TimerDue(e)) {
        Turn(g, e, speed);
    } else {
        Walls(g, e, left, right, speed);
    }
}

// Falls until its timer, then turns sideways and patrols between two walls.
void TurnThenPatrol(Game& g, Enemy& e, int32_t timer, int16_t speed, double left, double right) {
    if (FirstUpdate(e)) {
        e.MoveTimer = timer;
    } else {
        TurnOrPatrol(g, e, speed, left, right);
    }
}

// Falls until a random moment, then stands still.
void StopAtRandom(Game& g, Enemy& e, int spread, int first) {
    if (FirstUpdate(e)) {
        e.MoveTimer = RandomTimer(g, spread, first);
    } else if (TimerDue(e)) {
        Stop(e);
    }
}

// Sways: right for 30 frames from age 10, then 60 frames each way in turn.
void Sway(Enemy& e) {
    if (e.Age == 10) {
        To(e, 5, 0);
        e.MoveFlag = 1;
        e.MoveTimer = 40;
    } else if (e.Age >= e.MoveTimer && e.Age > 10) {
        e.MoveTimer += 60;
        if (e.MoveFlag == 0) {
            To(e, 5, 0);
            e.MoveFlag = 1;
        } else if (e.MoveFlag == 1) {
            To(e, -5, 0);
            e.MoveFlag = 0;
        }
    }
}

// Bounces up and down between 5 % and 60 % of the field's height.
void Bob(const Game& g, Enemy& e) {
    if (e.Y >= g.ScreenHeight * 0.6) {
        To(e, 0, -3);
    } else if (e.Y <= g.ScreenHeight * 0.05) {
        To(e, 0, 3);
    }
}

// Bounces inside the field and heads straight for the ship whenever it is level with it.
void Chase(Game& g, Enemy& e) {
    if (e.Age == 20) {
        To(e, 4, 0);
        e.MoveFlag = 1;
        return;
    }
    if (e.MoveFlag != 1) {
        return;
    }
    const double w = g.ScreenWidth;
    const double h = g.ScreenHeight;
    if (e.X >= w * 0.85) {
        To(e, -4, 0);
    } else if (e.X <= w * 0.05) {
        To(e, 4, 0);
    } else if (e.Y >= h * 0.9) {
        To(e, 0, -4);
    } else if (e.Y <= h * 0.05) {
        To(e, 0, 4);
    } else if (PlayerInRow(g)) {
        DashAtPlayerX(g, 4);
    } else if (PlayerInColumn(g)) {
        DashAtPlayerY(g, 4);
    }
}

// From age 20 moves sideways at (vx, 0), then patrols between two walls.
void SlideThenPatrol(Game& g, Enemy& e, int16_t vx, double left, double right, int16_t speed) {
    if (e.Age == 20) {
        To(e, vx, 0);
    } else {
        Walls(g, e, left, right, speed);
    }
}

// Patrols like SlideThenPatrol, and every 200 frames jumps to a random place in the upper left.
void PatrolAndJump(Game& g, Enemy& e) {
    if (e.Age == 20) {
        To(e, 3, 0);
    } else if (e.Age % 200 == 0) {
        e.X = static_cast<int16_t>(Int(g.ScreenWidth * 0.7 * Rnd(g)));
        e.Y = static_cast<int16_t>(Int(g.ScreenHeight * 0.7 * Rnd(g)));
    } else {
        Walls(g, e, 0.05, 0.75, 3);
    }
}

void ApplyPattern(Game& g, Enemy& e) {
    switch (e.Kind) {
        case 3:
            if (e.Age == 30)
                AimEnemy(g, 8);
            break;
        case 5:
            if (PlayerInRow(g) && e.MoveFlag == 0) {
                e.MoveFlag = 1;
                DashAtPlayerX(g, 30);
            }
            break;
        case 7: StopAtRandom(g, e, 20, 10); break;
        case 8:
            if (FirstUpdate(e)) {
                e.MoveTimer = RandomTimer(g, 20, 10);
            } else {
                TurnOrPatrol(g, e, 8, 0.1, 0.9);
            }
            break;
        case 9:
            if (e.Age % 20 == 0)
                AimEnemy(g, 8);
            break;
        case 11:
        case 15:
            if (e.Age == 7)
                AimEnemy(g, 12);
            break;
        case 12:
        case 16:
        case 17: TurnThenPatrol(g, e, 15, 4, 0.2, 0.8); break;
        case 18: StopAtRandom(g, e, 15, 15); break;
        case 20: TurnThenPatrol(g, e, 20, 3, 0.3, 0.7); break;
        case 21:
        case 41: Sway(e); break;
        case 22:
        case 25: Bob(g, e); break;
        case 23: Chase(g, e); break;
        case 24:
        case 26: SlideThenPatrol(g, e, 6, 0.05, 0.85, 6); break;
        case 27: PatrolAndJump(g, e); break;
        case 28: SlideThenPatrol(g, e, 3, 0.25, 0.5, 3); break;
        case 31: SlideThenPatrol(g, e, -6, 0.05, 0.85, 6); break;
        default: break;  // the spawn velocity stays
    }
}

}  // namespace

void EnemyMovePattern(Game& g, int index) {
    g.CurEnemy = static_cast<int16_t>(index);
    Enemy& e = g.Enemies[index];
    ApplyPattern(g, e);
    e.X = static_cast<int16_t>(e.X + e.VX);
    e.Y = static_cast<int16_t>(e.Y + e.VY);
}

}  // namespace volley
