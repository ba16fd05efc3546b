#include "platform/sdl/joystick_mapping.h"

#include <SDL_gamecontroller.h>
#include <SDL_joystick.h>

namespace volley::sdl {
namespace {

constexpr uint16_t kLowest = 0;
constexpr uint16_t kHighest = 65535;

void PushAxis(bool towardLow, bool towardHigh, uint16_t& axis) {
    if (towardLow && !towardHigh) {
        axis = kLowest;
    } else if (towardHigh && !towardLow) {
        axis = kHighest;
    }
}

bool IsDirection(int button) {
    return button >= SDL_CONTROLLER_BUTTON_DPAD_UP && button <= SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
}

}  // namespace

uint16_t AxisReading(int16_t sdlAxis) {
    return static_cast<uint16_t>(static_cast<int32_t>(sdlAxis) + 32768);
}

void ApplyDirectionPad(const DirectionPad& pad, JoyReading& reading) {
    PushAxis(pad.Left, pad.Right, reading.X);
    PushAxis(pad.Up, pad.Down, reading.Y);
}

DirectionPad HatDirections(uint8_t hat) {
    return DirectionPad{.Left = (hat & SDL_HAT_LEFT) != 0,
                        .Right = (hat & SDL_HAT_RIGHT) != 0,
                        .Up = (hat & SDL_HAT_UP) != 0,
                        .Down = (hat & SDL_HAT_DOWN) != 0};
}

// The pad's named buttons are where this mapping puts SDL's.
static_assert(SDL_CONTROLLER_BUTTON_START < SDL_CONTROLLER_BUTTON_DPAD_UP &&
              SDL_CONTROLLER_BUTTON_START == static_cast<int>(PadButton::Start));
static_assert(SDL_CONTROLLER_BUTTON_A == static_cast<int>(PadButton::A) &&
              SDL_CONTROLLER_BUTTON_B == static_cast<int>(PadButton::B));

int ControllerButtonBit(int sdlControllerButton) {
    if (sdlControllerButton < 0 || sdlControllerButton >= SDL_CONTROLLER_BUTTON_MAX ||
        IsDirection(sdlControllerButton)) {
        return -1;
    }
    constexpr int kDirectionCount =
        SDL_CONTROLLER_BUTTON_DPAD_RIGHT - SDL_CONTROLLER_BUTTON_DPAD_UP + 1;
    // SDL's order already begins A, B; the buttons after the D-pad close up the gap it leaves.
    return sdlControllerButton < SDL_CONTROLLER_BUTTON_DPAD_UP
               ? sdlControllerButton
               : sdlControllerButton - kDirectionCount;
}

}  // namespace volley::sdl
