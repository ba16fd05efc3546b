#include "shell/pacing.h"

#include <gtest/gtest.h>

#include <vector>

#include "display/layout.h"
#include "shell/game_loop.h"
#include "shell/reset.h"
#include "shell/shutdown.h"
#include "shell/startup.h"
#include "support.h"

namespace volley {
namespace {

using testing::TestGame;

TEST(WaitMs, ReturnsAtTheFirstReadingStrictlyPastTheWait) {
    for (int32_t ms : {0, 1, 2, 3, 15, 1000}) {
        TestGame t;
        const uint32_t start = t.platform.clock.NowMs();
        WaitMs(*t, ms);
        EXPECT_EQ(t.platform.clock.NowMs() - start, static_cast<uint32_t>(ms) + 1) << ms;
    }
}

TEST(WaitMs, YieldsAtLeastOnceEvenForNothing) {
    TestGame t;
    WaitMs(*t, 0);
    EXPECT_GE(t.platform.events.PumpCount(), 2);
    TestGame negative;
    WaitMs(*negative, -5);
    EXPECT_EQ(negative.platform.events.PumpCount(), 1);
    EXPECT_EQ(negative.platform.clock.NowMs(), 0u);
}

TEST(WaitMs, LooksAtEventsAfterEachSleepAndOnceAfterTheSpinNeverDuringIt) {
    TestGame t;
    std::vector<uint64_t> pumpMicros;
    t.platform.events.OnPump = [&] { pumpMicros.push_back(t.platform.clock.Micros()); };
    WaitMs(*t, 15);
    // 10 ms and 5 ms of sleep, then the last millisecond spun.
    EXPECT_EQ(pumpMicros, (std::vector<uint64_t>{0, 10000, 15000, 16000}));
}

TEST(WaitMs, KeepsItsMeaningAcrossTheClockWrap) {
    TestGame t(testing::BuiltGameDir(), UINT32_MAX - 5);
    WaitMs(*t, 15);
    EXPECT_EQ(t.platform.clock.NowMs(), 10u);  // 16 ms after 2^32 - 6
}

TEST(WaitMs, ACloseRequestDuringTheWaitEndsTheProcess) {
    TestGame t;
    t.platform.events.OnPump = [&] {
        if (t.platform.clock.NowMs() >= 500) {
            t.platform.events.RequestClose();
        }
    };
    EXPECT_THROW(WaitMs(*t, 1000), CloseRequested);
    EXPECT_LT(t.platform.clock.NowMs(), 510u);
}

// Runs frames of a started game, each taking workMs of work at its yield, and returns the time
// from each frame's start to the next.
std::vector<uint32_t> FramePeriods(uint32_t clockStart, uint32_t workMs, int frames) {
    TestGame t(testing::BuiltGameDir(), clockStart);
    Main(*t, 1);
    ResetGame(*t);
    // The frame's own yield comes after all its work, so the work is done there.
    long framePump = 0;
    t.platform.events.OnPump = [&] {
        if (framePump == 0) {
            t.platform.clock.Advance(workMs);
        }
        ++framePump;
    };
    t.platform.window.RecordTimes = true;
    for (int i = 0; i < frames; ++i) {
        framePump = 0;
        EXPECT_FALSE(RunFrame(*t));
    }
    std::vector<uint32_t> periods;
    const auto& times = t.platform.window.PresentTimes;
    for (size_t i = 1; i < times.size(); ++i) {
        periods.push_back(times[i] - times[i - 1]);
    }
    return periods;
}

TEST(FramePacing, AShortFrameIsWaitedOutToThePeriodALongerOneIsNot) {
    struct Case {
        uint32_t clockStart;
        uint32_t workMs;
        uint32_t period;
    };
    const Case cases[] = {
        // 10 ms of work, then a wait of 15 ms that ends strictly after 15: 26 ms per frame.
        {0, 10, 26},
        {0, 25, 25},
        {0, 30, 30},
        // 60 ms before the clock wraps: the frames step across it at the same period.
        {UINT32_MAX - 60, 10, 26},
    };
    for (const Case& c : cases) {
        for (uint32_t period : FramePeriods(c.clockStart, c.workMs, 8)) {
            EXPECT_EQ(period, c.period) << c.clockStart << " " << c.workMs;
        }
    }
}

}  // namespace
}  // namespace volley
