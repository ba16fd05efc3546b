// The ship's state and the frame counters shared by the shots and the explosions.
#pragma once

#include <cstdint>

#include "game/kinds.h"

namespace volley {

// The ship's sprite cell, which is also its hit box.
inline constexpr int kShipSize = 32;
// The lowest rows of the play surface stay free of the ship: it flies no lower than this above the
// bottom edge.
inline constexpr int kShipBottomMargin = 52;
// Whatever touches the ship or is hit by its shots counts this many pixels smaller on every side.
inline constexpr int kHitMargin = 2;

struct Player {
    int16_t PlayerX = 0;
    int16_t PlayerY = 0;
    int16_t PowerLevel = 0;   // 1..5, selects the volley
    int16_t PowerGuard = 0;   // hits left before the power level drops
    int16_t PlayerSpeed = 0;  // pixels per frame along each pressed axis
    int16_t Bombs = 0;
    int16_t PlayerFrame = 0;  // ship cell 0..4, from banking left to banking right
    int16_t PlayerEnergy = 0;
    bool PlayerDown = false;
};

// Never reset by a new game: the counters carry on from where the last game left them.
struct FrameTimers {
    uint8_t ShotTimer = 0;
    uint8_t BombTimer = 0;
    bool BombActive = false;
    uint8_t WreckDelay = 0;
    uint8_t WreckFrame = 0;
    uint8_t BlastDelay = 0;
};

// One shot of the ship or one fragment of a bomb; slot free when State is 0.
struct PlayerShot {
    uint8_t State = 0;  // 0 free, 1 flying
    PlayerShotKind Kind = PlayerShotKind::Needle;
    int16_t Power = 0;  // hit points it takes from an enemy
    int16_t X = 0;
    int16_t Y = 0;
    int16_t VX = 0;
    int16_t VY = 0;
};

inline constexpr int kPlayerShotSlots = 201;

}  // namespace volley
