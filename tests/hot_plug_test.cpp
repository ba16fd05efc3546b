#include <gtest/gtest.h>

#include "input/input.h"
#include "shell/game_loop.h"
#include "shell/scenes.h"
#include "shell/shutdown.h"
#include "shell/startup.h"
#include "support.h"

namespace volley {
namespace {

constexpr JoyReading kPushedLeft{0, 32767, 0};

TEST(HotPlug, APadPluggedInMidStageSteersAndOnePulledOutLetsGo) {
    testing::TestGame t;
    Main(*t, 3);
    StartGame(*t);
    ASSERT_FALSE(t->JoyPresent);
    std::vector<int16_t> xs;
    t.platform.events.OnPump = [&] {
        const int32_t frame = t->StageFrame;
        if (frame == 20) {
            t.platform.joysticks.Set(0, kPushedLeft);
        } else if (frame == 40) {
            t.platform.joysticks.Unplug(0);
        } else if (frame >= 60) {
            t.platform.events.RequestClose();
        }
        xs.resize(std::max(xs.size(), static_cast<size_t>(frame) + 1), t->PlayerX);
    };
    EXPECT_THROW(GameLoop(*t), CloseRequested);
    ASSERT_GE(xs.size(), 60u);
    EXPECT_EQ(xs[10], xs[20]) << "nothing steers before the pad arrives";
    EXPECT_LT(xs[35], xs[21]) << "the new pad's stick pushes the ship left";
    EXPECT_EQ(xs[45], xs[55]) << "a pulled pad reads as centred";
    EXPECT_FALSE(t->JoyPresent);
}

// The first pad that answers is chosen; an unchanged pad count reads without looking again.
TEST(HotPlug, TheFirstOrSecondPadIsChosenAndLookedForOnlyWhenTheCountChanges) {
    testing::TestGame t;
    Main(*t, 3);
    t.platform.joysticks.Set(1, kPushedLeft);
    t.platform.joysticks.SetFailing(0, true);
    ReadJoystick(*t);
    EXPECT_TRUE(t->JoyPresent);
    EXPECT_EQ(t->JoyId, 1);
    t.platform.joysticks.Unplug(0);
    EXPECT_EQ(ReadJoystick(*t).Direction, Direction::Left);
    EXPECT_EQ(t->JoyId, 0) << "the silent pad went: the steering pad became number 0";
    const int reads = t.platform.joysticks.ReadCount();
    for (int i = 0; i < 5; ++i) {
        ReadJoystick(*t);
    }
    EXPECT_EQ(t.platform.joysticks.ReadCount(), reads + 5) << "one read per poll";
}

}  // namespace
}  // namespace volley
