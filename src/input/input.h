// Keys and joystick, reduced to one vocabulary of directions and buttons.
#pragma once

#include <array>
#include <cstdint>

#include "platform/platform.h"

namespace volley {

struct Game;

// A direction code (0 none, 37 left, 38 up, 39 right, 40 down, the product of two for a diagonal)
// and the joystick's first ten buttons; Button[0] acts as Z, Button[1] as X.
struct JoyState {
    int32_t Direction = 0;
    std::array<bool, 10> Button{};
};

// Down now, or pressed since the last query of this key; the query forgets the press.
bool KeyDown(Game& g, GameKey key);

// Forgets every press made before now, for all seven keys.
void FlushKeys(Game& g);

// Direction codes shared by the keyboard and the joystick.
inline constexpr int32_t kLeft = 37;
inline constexpr int32_t kUp = 38;
inline constexpr int32_t kRight = 39;
inline constexpr int32_t kDown = 40;
inline constexpr int32_t kUpRight = kUp * kRight;
inline constexpr int32_t kRightDown = kRight * kDown;
inline constexpr int32_t kDownLeft = kDown * kLeft;
inline constexpr int32_t kLeftUp = kLeft * kUp;
inline constexpr int32_t kBombKeyCode = 88;  // the X key, held: no movement

// The keyboard's direction: with several keys held the later tests win, so down beats up, left
// beats right, and X beats every direction. Forgets the presses of all seven keys afterwards.
int32_t ReadKeys(Game& g);

// The direction of a joystick's position: an axis counts as left or up only at exactly 0, as
// right or down above 60000.
int32_t JoyDirection(uint16_t x, uint16_t y);

// Looks for a joystick: device 0, else device 1. Runs at start-up and again whenever the number of
// connected pads changes.
void JoyInit(Game& g);

// One poll of the joystick; all zeros (centred, no buttons) when there is none or it was pulled
// out.
JoyState ReadJoystick(Game& g);

}  // namespace volley
