// Keys and joystick, reduced to one vocabulary of directions and buttons.
#pragma once

#include <cstdint>

#include "game/joy_state.h"
#include "platform/platform.h"

namespace volley {

struct Game;

// Down now, or pressed since the last query of this key; the query forgets the press.
bool KeyDown(Game& g, GameKey key);

// Forgets every press made before now, for all seven keys.
void FlushKeys(Game& g);

// The keyboard's direction: with several keys held the later tests win, so down beats up, left
// beats right, and X beats every direction. Forgets the presses of all seven keys afterwards.
Direction ReadKeys(Game& g);

// The direction of a joystick's position: an axis counts as left or up only at exactly 0, as
// right or down above 60000.
Direction JoyDirection(uint16_t x, uint16_t y);

// Looks for a joystick: device 0, else device 1. Runs at start-up and again whenever the number of
// connected pads changes.
void JoyInit(Game& g);

// One poll of the joystick; all zeros (centred, no buttons) when there is none or it was pulled
// out.
JoyState ReadJoystick(Game& g);

}  // namespace volley
