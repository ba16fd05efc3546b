#include "pilot.h"

#include <array>
#include <cstdlib>

#include "game/game.h"
#include "player/player_rules.h"

namespace volley::testing {

namespace {

// How far ahead the pilot looks, in frames, and the room it keeps around the ship.
constexpr int kLookAhead = 16;
constexpr int kMargin = 4;
// The lowest the ship may fly: the play field keeps its bottom rows free of it.
constexpr int kBottomMargin = 52;

struct Move {
    int dx;
    int dy;
};

// Staying first, so that a tie keeps the ship still.
constexpr std::array<Move, 9> kMoves{
    {{0, 0}, {-1, 0}, {1, 0}, {0, 1}, {0, -1}, {-1, 1}, {1, 1}, {-1, -1}, {1, -1}}};

struct Box {
    int x, y, w, h, vx, vy;
};

int Clamp(int value, int high) {
    return value < 0 ? 0 : (value > high ? high : value);
}

// Where the ship stands after t frames of the move.
void ShipAt(const Game& g, Move m, int t, int& x, int& y) {
    x = Clamp(g.PlayerX + m.dx * g.PlayerSpeed * t, g.ScreenWidth - kShipSize);
    y = Clamp(g.PlayerY + m.dy * g.PlayerSpeed * t, g.ScreenHeight - kBottomMargin);
}

// The first frame at which the thing meets the ship flying the move, or kLookAhead + 1.
int FirstHit(const Game& g, Move m, const Box& b) {
    for (int t = 1; t <= kLookAhead; ++t) {
        int sx = 0;
        int sy = 0;
        ShipAt(g, m, t, sx, sy);
        const int px = b.x + b.vx * t;
        const int py = b.y + b.vy * t;
        if (px + b.w > sx - kMargin && px < sx + kShipSize + kMargin && py + b.h > sy - kMargin &&
            py < sy + kShipSize + kMargin) {
            return t;
        }
    }
    return kLookAhead + 1;
}

// What the move costs in harm: a hit soon counts far more than one late.
int Harm(const Game& g, Move m) {
    int harm = 0;
    auto add = [&](const Box& b) {
        const int t = FirstHit(g, m, b);
        harm += t <= kLookAhead ? (kLookAhead + 1 - t) * (kLookAhead + 1 - t) : 0;
    };
    for (const EnemyShot& s : g.EnemyShots) {
        if (s.State == 1) {
            const auto& type = g.EnemyShotTypes[s.Kind];
            add(Box{s.X, s.Y, type.Width, type.Height, s.VX, s.VY});
        }
    }
    for (const Enemy& e : g.Enemies) {
        if (e.State == 1 && !IsItem(e.Kind)) {
            const auto& type = g.EnemyTypes[e.Kind];
            add(Box{e.X, e.Y, type.Width, type.Height, e.VX, e.VY});
        }
    }
    return harm;
}

// The middle of what the ship should stand under: the boss once it is in, else the lowest enemy
// or item; -1 for nothing.
int TargetX(const Game& g) {
    const Enemy* target = nullptr;
    for (const Enemy& e : g.Enemies) {
        if (e.State != 1) {
            continue;
        }
        if (e.Kind == g.BossKind) {
            target = &e;
            break;
        }
        if (target == nullptr || e.Y > target->Y) {
            target = &e;
        }
    }
    return target == nullptr ? -1 : target->X + g.EnemyTypes[target->Kind].Width / 2;
}

// What the move costs in position: away from the target across, and away from the bottom.
int Placement(const Game& g, Move m, int targetX) {
    int x = 0;
    int y = 0;
    ShipAt(g, m, 1, x, y);
    const int across = targetX < 0 ? 0 : std::abs(x + kShipSize / 2 - targetX);
    return across + (g.ScreenHeight - kBottomMargin - y) / 2;
}

Move Choose(const Game& g, int& harmOfBest) {
    const int targetX = TargetX(g);
    Move best = kMoves[0];
    int bestCost = -1;
    for (Move m : kMoves) {
        const int harm = Harm(g, m);
        const int cost = harm * 1000 + Placement(g, m, targetX);
        if (bestCost < 0 || cost < bestCost) {
            best = m;
            bestCost = cost;
            harmOfBest = harm;
        }
    }
    return best;
}

void FlyFrame(const Game& g, HeadlessKeyboard& keys) {
    int harm = 0;
    const Move m = Choose(g, harm);
    keys.Hold(GameKey::Left, m.dx < 0);
    keys.Hold(GameKey::Right, m.dx > 0);
    keys.Hold(GameKey::Up, m.dy < 0);
    keys.Hold(GameKey::Down, m.dy > 0);
    // Something reaches the ship within a few frames whatever it does.
    constexpr int kCornered = (kLookAhead - 3) * (kLookAhead - 3);
    if (harm >= kCornered && g.Bombs > 0 && !g.BombActive) {
        keys.Tap(GameKey::X);
    }
}

}  // namespace

void Pilot(TestGame& t, int16_t stage) {
    HeadlessKeyboard& keys = t.platform.keys;
    t.platform.events.OnPump = [&t, &keys, stage] {
        const Game& g = *t;
        if (g.LastResult == StageResult::None) {  // the title
            keys.Hold(GameKey::Right, g.Stage < stage);
            keys.Hold(GameKey::Z, g.Stage == stage);
            return;
        }
        // A boss it cannot beat, nor it the pilot, must not keep the test running for ever.
        constexpr int32_t kLongestStage = 12000;
        if (g.StageOver || g.StageFrame > kLongestStage) {
            keys.Hold(GameKey::Z, false);
            keys.Hold(GameKey::Escape, true);
            return;
        }
        keys.Hold(GameKey::Z, true);
        FlyFrame(g, keys);
    };
}

void Shield(TestGame& t) {
    t.platform.events.OnPump = [&t, inner = t.platform.events.OnPump] {
        if (!t->PlayerDown && t->BossKind == kNoBossYet) {
            t->PlayerEnergy = kFullEnergy;
        }
        if (inner) {
            inner();
        }
    };
}

}  // namespace volley::testing
