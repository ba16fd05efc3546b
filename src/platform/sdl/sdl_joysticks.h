// Joysticks and game controllers on SDL.
#pragma once

#include <SDL_gamecontroller.h>
#include <SDL_joystick.h>

#include <memory>
#include <vector>

#include "platform/platform.h"

namespace volley::sdl {

struct JoystickDeleter {
    void operator()(SDL_Joystick* joystick) const { SDL_JoystickClose(joystick); }
};
struct GameControllerDeleter {
    void operator()(SDL_GameController* controller) const { SDL_GameControllerClose(controller); }
};
using JoystickPtr = std::unique_ptr<SDL_Joystick, JoystickDeleter>;
using GameControllerPtr = std::unique_ptr<SDL_GameController, GameControllerDeleter>;

// Reads devices by SDL's device index. Each is opened at its first reading and kept open, so
// the handles must go before SDL's joystick subsystem does. Without that subsystem there are
// simply no devices.
class SdlJoysticks final : public Joysticks {
  public:
    int DeviceCount() override;
    bool Read(int device, JoyReading& out) override;

  private:
    // A device SDL knows the layout of is read as a game controller, so A and B are the first two
    // buttons whatever the maker numbered them; anything else is read as a plain joystick.
    struct OpenDevice {
        GameControllerPtr controller;
        JoystickPtr joystick;
        bool IsOpen() const { return controller != nullptr || joystick != nullptr; }
        bool IsAttached() const;
    };

    OpenDevice* Opened(int device);
    static void Open(int device, OpenDevice& slot);

    std::vector<OpenDevice> devices_;
};

}  // namespace volley::sdl
