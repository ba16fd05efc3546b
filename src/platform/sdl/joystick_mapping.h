// How SDL's view of a joystick or game controller becomes a JoyReading. Kept apart from the
// devices so the rules can be checked without one.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace volley::sdl {

// SDL axis value (-32768 left/up .. 32767 right/down) to the reading's 0 .. 65535.
uint16_t AxisReading(int16_t sdlAxis);

// A direction pad (or a hat) held in some direction. A pressed direction pushes its axis to
// the extreme, whatever the stick says; opposite directions held together cancel out and leave
// the stick's value.
struct DirectionPad {
    bool Left = false;
    bool Right = false;
    bool Up = false;
    bool Down = false;
};
void ApplyDirectionPad(const DirectionPad& pad, JoyReading& reading);

// The directions of a joystick hat position (SDL_HAT_* bits).
DirectionPad HatDirections(uint8_t hat);

// The reading's bit for a game controller button (an SDL_GameControllerButton value), or -1 for
// buttons that are directions rather than buttons (the D-pad) and for unknown values. A is the
// first button (fire) and B the second (bomb), the places the two face buttons have on every
// controller; the rest follow in SDL's order.
int ControllerButtonBit(int sdlControllerButton);

// A plain joystick's buttons go to bits 0, 1, ... in its own order, as far as the reading has
// room.
inline constexpr int kReadingButtonCount = 32;

}  // namespace volley::sdl
