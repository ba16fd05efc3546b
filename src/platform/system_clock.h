// Real time for the game's frame pacing, from the steady clock.
#pragma once

#include <chrono>

#include "platform/platform.h"

namespace volley {

class SystemClock final : public Clock {
  public:
    uint32_t NowMs() override;
    void Sleep(uint32_t ms) override;
    void Spin() override;

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace volley
