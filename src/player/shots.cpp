#include "player/shots.h"

#include <array>
#include <span>

#include "display/blit.h"
#include "game/game.h"
#include "game/numbers.h"
#include "input/input.h"
#include "player/player_rules.h"
#include "player/shot_hits.h"

namespace volley {

namespace {

constexpr uint8_t kFireSampleFrame = 3;  // the fire control is looked at every fourth frame
constexpr uint8_t kBombFrames = 40;
constexpr int kFirstBombSlot = 100;
constexpr int16_t kVolleyRise = -12;
constexpr int kVolleyStartAbove = 32;
constexpr int16_t kTopEdge = -12;  // a shot at or above this row is gone

struct VolleyShot {
    PlayerShotKind kind;
    int16_t offset;  // from the ship's left edge
    int16_t vx;
};

// How a power level fires: the slots tried as the start of the volley (every `groupStep`th from
// 0 to `lastStart`) and the shots written to consecutive slots from there.
struct VolleyShape {
    int groupStep;
    int lastStart;
    int shotCount;
    std::array<VolleyShot, 5> shots;
};

constexpr PlayerShotKind kNeedle = PlayerShotKind::Needle;
constexpr PlayerShotKind kWide = PlayerShotKind::Wide;

constexpr std::array<VolleyShape, 5> kVolleys{{
    {1, 100, 1, {{{kNeedle, 14, 0}}}},
    {1, 100, 1, {{{kWide, 0, 0}}}},
    {3, 96, 3, {{{kNeedle, -8, -6}, {kWide, 0, 0}, {kNeedle, 36, 6}}}},
    {3, 96, 3, {{{kWide, -8, -6}, {kWide, 0, 0}, {kWide, 8, 6}}}},
    {5, 95, 5, {{{kWide, -16, -6}, {kWide, -8, -3}, {kWide, 0, 0}, {kWide, 8, 3}, {kWide, 16, 6}}}},
}};

// Only a group's first slot is tested: the others are taken as they are.
int FindVolleyStart(const Game& g, const VolleyShape& shape) {
    for (int i = 0; i <= shape.lastStart; i += shape.groupStep) {
        if (g.PlayerShots[i].State == 0) {
            return i;
        }
    }
    return -1;
}

bool FirePressed(Game& g) {
    return KeyDown(g, GameKey::Z) || g.Joy.Pressed(PadButton::A);
}
bool BombPressed(Game& g) {
    return KeyDown(g, GameKey::X) || g.Joy.Pressed(PadButton::B);
}

void FireStep(Game& g) {
    if (g.ShotTimer == kFireSampleFrame) {
        if (FirePressed(g)) {
            FireVolley(g);
        }
        g.ShotTimer = 0;
    } else {
        g.ShotTimer += 1;
    }
}

void BombStep(Game& g) {
    if (g.BombTimer == kBombFrames) {
        g.BombActive = false;
        g.BombTimer = 0;
    } else if (!g.BombActive) {
        if (BombPressed(g) && g.Bombs >= 1) {
            DropBomb(g);
        }
    } else {
        g.BombTimer += 1;
    }
}

void MoveShot(Game& g, const EnemyBoxes& boxes, int slot) {
    PlayerShot& shot = g.PlayerShots[slot];
    const PlayerShotType& cell = g.PlayerShotTypes[shot.Kind];
    DrawMasked(g, shot.X, shot.Y, cell.SrcX, cell.SrcY, cell.Width, cell.Height);
    shot.X = static_cast<int16_t>(shot.X + shot.VX);
    shot.Y = static_cast<int16_t>(shot.Y + shot.VY);
    if (HitEnemies(g, boxes, shot.X, shot.Y, slot) || shot.Y <= kTopEdge) {
        shot.State = 0;
    }
}

}  // namespace

void UpdatePlayerShots(Game& g) {
    if (g.PlayerDown) {
        return;
    }
    FireStep(g);
    BombStep(g);
    EnemyBoxes boxes;
    FindEnemyBoxes(g, boxes);
    for (int slot = 0; slot < kPlayerShotSlots; ++slot) {
        if (g.PlayerShots[slot].State == 1) {
            MoveShot(g, boxes, slot);
        }
    }
}

void FireVolley(Game& g) {
    if (g.PowerLevel < 1 || g.PowerLevel > static_cast<int16_t>(kVolleys.size())) {
        return;
    }
    const VolleyShape& shape = kVolleys[g.PowerLevel - 1];
    const int start = FindVolleyStart(g, shape);
    if (start < 0) {
        return;
    }
    for (int i = 0; i < shape.shotCount; ++i) {
        const VolleyShot& s = shape.shots[i];
        g.PlayerShots[start + i] = PlayerShot{1,
                                              s.kind,
                                              1,
                                              static_cast<int16_t>(g.PlayerX + s.offset),
                                              static_cast<int16_t>(g.PlayerY - kVolleyStartAbove),
                                              s.vx,
                                              kVolleyRise};
    }
}

void DropBomb(Game& g) {
    PlaySound(g, g.SndBom);
    g.LabelDirty[LabelId::Bombs] = true;
    g.BombActive = true;
    g.BombTimer = 0;
    g.Bombs -= 1;
    for (int slot = kFirstBombSlot; slot < kPlayerShotSlots; ++slot) {
        PlayerShot& shot = g.PlayerShots[slot];
        if (shot.State != 0) {
            continue;
        }
        // Four draws per fragment, in this order.
        const int32_t x = Int(Rnd(g) * (g.ScreenWidth + 5));
        const int32_t y = Int(Rnd(g) * 160) + g.PlayerY - kVolleyStartAbove;
        const int32_t vx = Int(Rnd(g) * 12 - 6);
        const int32_t vy = Int(Rnd(g) * 6 - 15);
        shot = PlayerShot{1,
                          PlayerShotKind::Fragment,
                          1,
                          static_cast<int16_t>(x),
                          static_cast<int16_t>(y),
                          static_cast<int16_t>(vx),
                          static_cast<int16_t>(vy)};
    }
}

}  // namespace volley
