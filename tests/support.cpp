#include "support.h"

#include <stdlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>

#include "game/game.h"
#include "player/player_rules.h"
#include "stages/spawn.h"

namespace volley::testing {

Enemy& PlaceEnemy(Game& g, int slot, EnemyKind kind, int x, int y) {
    Enemy& e = g.Enemies[slot];
    e = Enemy{};
    e.State = 1;
    e.Kind = kind;
    SetSpawnValues(g, static_cast<int16_t>(slot));
    e.X = static_cast<int16_t>(x);
    e.Y = static_cast<int16_t>(y);
    return e;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "volley-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void StageTour::Pump() {
    if (ended_) {
        return;
    }
    if (g_.Form1.PauseLabel.Visible) {
        Paused();
    } else if (g_.Form1.DisplayLabel[LabelId::TotalScore].Visible) {
        Title();
    } else if (g_.StageOver) {
        Result();
    } else {
        Stage();
    }
}

void StageTour::End() {
    ended_ = true;
    ReleaseKeys();
    events_.RequestClose();
}

void StageTour::ReleaseKeys() {
    for (int key = 0; key < kGameKeyCount; ++key) {
        keys_.Hold(static_cast<GameKey>(key), false);
    }
}

void StageTour::Title() {
    ++counts_.titlePumps;
    ReleaseKeys();
    if (stagesToPlay > 0 && counts_.stagesStarted == stagesToPlay) {
        End();
        return;
    }
    const auto target = static_cast<int16_t>(counts_.stagesStarted % kStageCount + 1);
    if (g_.Stage < target) {
        keys_.Tap(GameKey::Right);
    } else if (g_.Stage > target) {
        keys_.Tap(GameKey::Left);
    } else {
        keys_.Tap(GameKey::Z);
    }
}

void StageTour::Stage() {
    if (!inStage_) {
        inStage_ = true;
        lastStageFrame_ = 0;  // a stage's first frame is played before it is looked at
        StageStarted();
        ++counts_.stagesStarted;
    }
    if (g_.StageFrame == lastStageFrame_) {
        return;  // another look at the events within the same frame's wait
    }
    lastStageFrame_ = g_.StageFrame;
    ++counts_.frames;
    Fly();
}

void StageTour::Paused() {
    ReleaseKeys();
    if (++pumpsPaused_ == pausedPumps_) {
        pumpsPaused_ = 0;
        ++counts_.pauses;
        keys_.Tap(GameKey::Pause);
    }
}

void StageTour::Result() {
    ReleaseKeys();
    if (inStage_) {
        inStage_ = false;
        const bool over = g_.Form1.DisplayLabel[LabelId::Result].Caption == "GAMEOVER";
        (over ? counts_.gameOvers : counts_.clears) += 1;
        StageEnded();
    }
    keys_.Tap(GameKey::Z);
}

namespace {

// How far ahead the pilot looks, in frames, and the room it keeps around the ship.
constexpr int kLookAhead = 16;
constexpr int kMargin = 4;

struct Move {
    int dx, dy;
};

// Staying first, so that a tie keeps the ship still.
constexpr std::array<Move, 9> kMoves{
    {{0, 0}, {-1, 0}, {1, 0}, {0, 1}, {0, -1}, {-1, 1}, {1, 1}, {-1, -1}, {1, -1}}};

// Where the ship stands after moving by (dx, dy) for steps frames: inside the field, as the game
// keeps it.
std::pair<int, int> ShipAfter(const Game& g, Move m, int steps) {
    return {std::clamp(g.PlayerX + m.dx * g.PlayerSpeed * steps, 0, g.ScreenWidth - kShipSize),
            std::clamp(g.PlayerY + m.dy * g.PlayerSpeed * steps, 0,
                       g.ScreenHeight - kShipBottomMargin)};
}

// What the move costs in harm from a thing at (x, y), w x h, flying (vx, vy) a frame: a hit soon
// counts far more than one late.
int Harm(const Game& g, Move m, int x, int y, int w, int h, int vx, int vy) {
    for (int t = 1; t <= kLookAhead; ++t) {
        const auto [sx, sy] = ShipAfter(g, m, t);
        const int px = x + vx * t;
        const int py = y + vy * t;
        if (px + w > sx - kMargin && px < sx + kShipSize + kMargin && py + h > sy - kMargin &&
            py < sy + kShipSize + kMargin) {
            return (kLookAhead + 1 - t) * (kLookAhead + 1 - t);
        }
    }
    return 0;
}

int Harm(const Game& g, Move m) {
    int harm = 0;
    for (const EnemyShot& s : g.EnemyShots) {
        const auto& type = g.EnemyShotTypes[s.Kind];
        harm += s.State == 1 ? Harm(g, m, s.X, s.Y, type.Width, type.Height, s.VX, s.VY) : 0;
    }
    for (const Enemy& e : g.Enemies) {
        const auto& type = g.EnemyTypes[e.Kind];
        const bool hurts = e.State == 1 && !IsItem(e.Kind);
        harm += hurts ? Harm(g, m, e.X, e.Y, type.Width, type.Height, e.VX, e.VY) : 0;
    }
    return harm;
}

// The middle of what the ship should stand under: the first of the boss's kind (before the boss
// is in, that kind is the power item's), else the lowest enemy or item; -1 for nothing.
int TargetX(const Game& g) {
    const Enemy* target = nullptr;
    for (const Enemy& e : g.Enemies) {
        if (e.State == 1 && (target == nullptr || e.Y > target->Y || e.Kind == g.BossKind)) {
            target = &e;
            if (e.Kind == g.BossKind) {
                break;
            }
        }
    }
    return target == nullptr ? -1 : target->X + g.EnemyTypes[target->Kind].Width / 2;
}

// The move with the least harm; among equals, the one nearest under the target and the bottom.
Move Choose(const Game& g, int& harmOfBest) {
    const int targetX = TargetX(g);
    Move best = kMoves[0];
    int bestCost = -1;
    for (Move m : kMoves) {
        const int harm = Harm(g, m);
        const auto [x, y] = ShipAfter(g, m, 1);
        const int across = targetX < 0 ? 0 : std::abs(x + kShipSize / 2 - targetX);
        const int cost = harm * 1000 + across + (g.ScreenHeight - kShipBottomMargin - y) / 2;
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
