#include "shell/pacing.h"

#include <algorithm>

#include "game/game.h"
#include "shell/shutdown.h"

namespace volley {

namespace {

// Within this many milliseconds of the deadline the wait stops sleeping and spins: a sleep may
// wake a little late, and the frame period is worth keeping to a fraction of a millisecond.
constexpr uint32_t kSpinMarginMs = 1;

// A long wait still looks at the window's events this often, so a close is answered at once.
constexpr uint32_t kSleepSliceMs = 10;

}  // namespace

void DoEvents(Game& g) {
    if (g.Sys.events.Pump()) {
        RequestClose();
    }
}

void WaitMs(Game& g, int32_t ms) {
    Clock& clock = g.Sys.clock;
    const uint32_t start = clock.NowMs();
    DoEvents(g);
    if (ms < 0) {
        return;  // any reading is already more than a negative wait after the start
    }
    const uint32_t limit = static_cast<uint32_t>(ms);
    bool spun = false;
    for (uint32_t elapsed = ElapsedMs(start, clock.NowMs()); elapsed <= limit;
         elapsed = ElapsedMs(start, clock.NowMs())) {
        const uint32_t remaining = limit + 1 - elapsed;
        if (remaining > kSpinMarginMs) {
            clock.Sleep(std::min(remaining - kSpinMarginMs, kSleepSliceMs));
            DoEvents(g);
        } else {
            // Looking at the window's events means asking the X server: the spin only reads the
            // clock, and the events are looked at once more when it ends.
            clock.Spin();
            spun = true;
        }
    }
    if (spun) {
        DoEvents(g);
    }
}

void WaitRestOfFrame(Game& g, uint32_t t0) {
    const uint32_t elapsed = ElapsedMs(t0, g.Sys.clock.NowMs());
    if (elapsed < static_cast<uint32_t>(kFrameMs)) {
        WaitMs(g, kFrameMs - static_cast<int32_t>(elapsed));
    }
}

}  // namespace volley
