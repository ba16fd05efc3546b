// Waiting and yielding: how every loop keeps time and stays responsive.
#pragma once

#include <cstdint>

namespace volley {

struct Game;

inline constexpr int32_t kFrameMs = 25;

// Handles the window's and the system's events; a close request leaves the scene loop from here.
void DoEvents(Game& g);

// Yields at least once, then returns at the first clock reading strictly more than ms after the
// call. Sleeps while more than a millisecond remains, so the wait does not burn a core, and yields
// after every sleep; the last millisecond is spun on the clock alone and followed by one more
// yield, so a close is answered within a sleep's slice and a key pressed during the spin counts.
void WaitMs(Game& g, int32_t ms);

// Waits out the rest of a frame that began at clock reading t0; a frame that has already taken its
// 25 ms or more is not waited for (the game slows down rather than skip).
void WaitRestOfFrame(Game& g, uint32_t t0);

// Milliseconds from start to now, across the wrap of the 32-bit clock.
inline uint32_t ElapsedMs(uint32_t start, uint32_t now) {
    return now - start;
}

}  // namespace volley
