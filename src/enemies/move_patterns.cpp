// Each enemy kind's way of flying: the flight named in its row of the kind table, with that row's
// numbers.

#include "enemies/kind_table.h"
#include "enemies/movement.h"
#include "enemies/patterns.h"
#include "game/game.h"
#include "game/numbers.h"

namespace volley {

namespace {

// The building blocks, on the enemy e.

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

int32_t DrawTimer(Game& g, TimerRange timer) {
    if (timer.Spread == 0) {
        return timer.First;
    }
    return Int(Rnd(g) * int{timer.Spread} + int{timer.First});
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
void TurnThenPatrol(Game& g, Enemy& e, const FlightRow& row) {
    if (FirstUpdate(e)) {
        e.MoveTimer = DrawTimer(g, row.Timer);
    } else {
        TurnOrPatrol(g, e, row.Speed, row.Left, row.Right);
    }
}

// Falls until its timer, then stands still.
void StopAtRandom(Game& g, Enemy& e, const FlightRow& row) {
    if (FirstUpdate(e)) {
        e.MoveTimer = DrawTimer(g, row.Timer);
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
    } else if (PlayerInRow(g, e)) {
        DashAtPlayerX(g, e, 4);
    } else if (PlayerInColumn(g, e)) {
        DashAtPlayerY(g, e, 4);
    }
}

// From age 20 moves sideways at (SlideVX, 0), then patrols between two walls.
void SlideThenPatrol(const Game& g, Enemy& e, const FlightRow& row) {
    if (e.Age == 20) {
        To(e, row.SlideVX, 0);
    } else {
        Walls(g, e, row.Left, row.Right, row.Speed);
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
    const FlightRow& row = KindRowOf(e.Kind).Flight;
    switch (row.Pattern) {
        case Flight::Straight: break;
        case Flight::AimOnce:
            if (e.Age == row.At)
                AimEnemy(g, e, row.Speed);
            break;
        case Flight::AimEvery:
            if (e.Age % row.At == 0)
                AimEnemy(g, e, row.Speed);
            break;
        case Flight::DashAlongRow:
            if (PlayerInRow(g, e) && e.MoveFlag == 0) {
                e.MoveFlag = 1;
                DashAtPlayerX(g, e, row.Speed);
            }
            break;
        case Flight::StopAtRandom: StopAtRandom(g, e, row); break;
        case Flight::TurnThenPatrol: TurnThenPatrol(g, e, row); break;
        case Flight::SlideThenPatrol: SlideThenPatrol(g, e, row); break;
        case Flight::Sway: Sway(e); break;
        case Flight::Bob: Bob(g, e); break;
        case Flight::Chase: Chase(g, e); break;
        case Flight::PatrolAndJump: PatrolAndJump(g, e); break;
    }
}

}  // namespace

void EnemyMovePattern(Game& g, int index) {
    Enemy& e = g.Enemies[index];
    ApplyPattern(g, e);
    e.X = static_cast<int16_t>(e.X + e.VX);
    e.Y = static_cast<int16_t>(e.Y + e.VY);
}

}  // namespace volley
