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

// Looks for a joystick once at start-up.
void JoyInit(Game& g);

// One poll of the joystick; all zeros when there is none.
JoyState ReadJoystick(Game& g);

}  // namespace volley
