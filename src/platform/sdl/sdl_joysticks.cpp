#include "platform/sdl/sdl_joysticks.h"

#include <algorithm>

#include "platform/sdl/joystick_mapping.h"

namespace volley::sdl {
namespace {

bool Pressed(SDL_GameController* controller, int button) {
    return SDL_GameControllerGetButton(controller, static_cast<SDL_GameControllerButton>(button)) !=
           0;
}

// A stick the mapping does not have stays centred rather than reading SDL's 0 for "no axis",
// which is a hair off centre.
void ReadControllerAxis(SDL_GameController* controller, SDL_GameControllerAxis axis,
                        uint16_t& out) {
    if (SDL_GameControllerHasAxis(controller, axis)) {
        out = AxisReading(SDL_GameControllerGetAxis(controller, axis));
    }
}

JoyReading ReadController(SDL_GameController* controller) {
    JoyReading reading;
    ReadControllerAxis(controller, SDL_CONTROLLER_AXIS_LEFTX, reading.X);
    ReadControllerAxis(controller, SDL_CONTROLLER_AXIS_LEFTY, reading.Y);
    ApplyDirectionPad(DirectionPad{.Left = Pressed(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT),
                                   .Right = Pressed(controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
                                   .Up = Pressed(controller, SDL_CONTROLLER_BUTTON_DPAD_UP),
                                   .Down = Pressed(controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN)},
                      reading);
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
        const int bit = ControllerButtonBit(button);
        if (bit >= 0 && Pressed(controller, button)) {
            reading.Buttons |= uint32_t{1} << bit;
        }
    }
    return reading;
}

JoyReading ReadJoystick(SDL_Joystick* joystick) {
    JoyReading reading;
    const int axes = SDL_JoystickNumAxes(joystick);
    if (axes > 0) {
        reading.X = AxisReading(SDL_JoystickGetAxis(joystick, 0));
    }
    if (axes > 1) {
        reading.Y = AxisReading(SDL_JoystickGetAxis(joystick, 1));
    }
    if (SDL_JoystickNumHats(joystick) > 0) {
        ApplyDirectionPad(HatDirections(SDL_JoystickGetHat(joystick, 0)), reading);
    }
    const int buttons = std::min(SDL_JoystickNumButtons(joystick), kReadingButtonCount);
    for (int button = 0; button < buttons; ++button) {
        if (SDL_JoystickGetButton(joystick, button) != 0) {
            reading.Buttons |= uint32_t{1} << button;
        }
    }
    return reading;
}

}  // namespace

bool SdlJoysticks::OpenDevice::IsAttached() const {
    if (controller != nullptr) {
        return SDL_GameControllerGetAttached(controller.get()) == SDL_TRUE;
    }
    return joystick != nullptr && SDL_JoystickGetAttached(joystick.get()) == SDL_TRUE;
}

int SdlJoysticks::DeviceCount() {
    return std::max(SDL_NumJoysticks(), 0);
}

bool SdlJoysticks::Read(int device, JoyReading& out) {
    // The game reads at its own moment in the frame, not necessarily right after the event pump,
    // so the state is brought up to date here.
    SDL_JoystickUpdate();
    const OpenDevice* opened = Opened(device);
    if (opened == nullptr) {
        return false;
    }
    out = opened->controller != nullptr ? ReadController(opened->controller.get())
                                        : ReadJoystick(opened->joystick.get());
    return true;
}

SdlJoysticks::OpenDevice* SdlJoysticks::Opened(int device) {
    if (device < 0) {
        return nullptr;
    }
    if (static_cast<size_t>(device) < devices_.size()) {
        OpenDevice& slot = devices_[static_cast<size_t>(device)];
        if (slot.IsOpen()) {
            if (slot.IsAttached()) {
                return &slot;
            }
            // Unplugged: let go of it, so whatever SDL numbers this way later is opened afresh.
            slot = OpenDevice{};
            return nullptr;
        }
    }
    if (device >= DeviceCount()) {
        return nullptr;
    }
    if (static_cast<size_t>(device) >= devices_.size()) {
        devices_.resize(static_cast<size_t>(device) + 1);
    }
    OpenDevice& slot = devices_[static_cast<size_t>(device)];
    Open(device, slot);
    return slot.IsOpen() ? &slot : nullptr;
}

void SdlJoysticks::Open(int device, OpenDevice& slot) {
    if (SDL_IsGameController(device) == SDL_TRUE) {
        slot.controller.reset(SDL_GameControllerOpen(device));
        if (slot.controller != nullptr) {
            return;
        }
    }
    // A controller whose mapping cannot be used is still a joystick.
    slot.joystick.reset(SDL_JoystickOpen(device));
}

}  // namespace volley::sdl
