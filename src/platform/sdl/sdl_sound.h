// Sound effects on SDL.
#pragma once

#include "platform/platform.h"

namespace volley::sdl {

// No audio device is opened yet: effects are silent.
class SdlSound final : public Sound {
  public:
    void PlayEffect(const std::vector<uint8_t>&) override {}
};

}  // namespace volley::sdl
