// Music on SDL.
#pragma once

#include "platform/platform.h"

namespace volley::sdl {

// No music player is opened yet: the game is silent.
class SdlMusic final : public Music {
  public:
    void Open() override {}
    void Preload(const std::string&) override {}
    int Load(const std::string&) override { return 0; }
    void Play(int) override {}
    void Stop() override {}
    void Free(int) override {}
    void Close() override {}
};

}  // namespace volley::sdl
