#include "platform/system_clock.h"

#include <thread>

namespace volley {

uint32_t SystemClock::NowMs() {
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    // Truncation is the contract: the game only ever subtracts two readings.
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void SystemClock::Sleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Yielding rather than a bare pause lets the X server or a sound thread sharing this core run
// during the last millisecond of a frame; with nothing else runnable it returns at once.
void SystemClock::Spin() {
    std::this_thread::yield();
}

}  // namespace volley
