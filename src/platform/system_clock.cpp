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

// A turn of the last millisecond's wait is a sleep of a twentieth of it: Linux wakes the thread
// within a tenth of a millisecond or so, close enough for the frame's pace, where yielding in a
// loop kept the core busy for the whole millisecond, the larger part of the game's own processor
// time.
void SystemClock::Spin() {
    std::this_thread::sleep_for(std::chrono::microseconds(50));
}

}  // namespace volley
