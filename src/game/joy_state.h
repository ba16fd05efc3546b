// The one vocabulary the keyboard and the joystick are reduced to: a direction and the buttons.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

namespace volley {

// A direction. The numbers are the game's own codes (a key code, or the product of two for a
// diagonal); they are kept because the state's hash holds them.
enum class Direction : int32_t {
    None = 0,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    UpRight = 1482,    // Up x Right
    RightDown = 1560,  // Right x Down
    DownLeft = 1480,   // Down x Left
    LeftUp = 1406,     // Left x Up
    BombHeld = 88,     // the keyboard's X held: no movement
};

// The joystick's direction and its first ten buttons: A (or a plain joystick's button 1) fires
// as Z does, B (button 2) bombs as X does.
struct JoyState {
    volley::Direction Direction = volley::Direction::None;
    std::array<bool, 10> Button{};

    bool Pressed(PadButton button) const { return Button[static_cast<size_t>(button)]; }
};

}  // namespace volley
