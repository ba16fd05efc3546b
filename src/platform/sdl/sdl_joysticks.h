// Joysticks and game controllers on SDL.
#pragma once

#include "platform/platform.h"

namespace volley::sdl {

class SdlJoysticks final : public Joysticks {
  public:
    int DeviceCount() override { return 0; }
    bool Read(int, JoyReading&) override { return false; }
};

}  // namespace volley::sdl
