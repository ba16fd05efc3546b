#include <gtest/gtest.h>

#include "input/input.h"
#include "player/ship.h"
#include "shell/reset.h"
#include "shell/startup.h"
#include "test_game.h"

namespace volley {
namespace {

using testing::TestGame;

class Ship : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 1);
        ResetGame(*t);
        t->PlayerX = 200;
        t->PlayerY = 300;
    }
    void Hold(std::initializer_list<GameKey> keys) {
        for (GameKey k : keys) {
            t.platform.keys.Hold(k, true);
        }
    }
    TestGame t;
};

TEST_F(Ship, OppositeArrowsGiveDownAndLeftAndXBeatsEverything) {
    Hold({GameKey::Up, GameKey::Down});
    EXPECT_EQ(ReadKeys(*t), Direction::Down);
    t.platform.keys = HeadlessKeyboard();
    Hold({GameKey::Left, GameKey::Right});
    EXPECT_EQ(ReadKeys(*t), Direction::Left);
    Hold({GameKey::Up});
    EXPECT_EQ(ReadKeys(*t), Direction::LeftUp) << "with three arrows the last matching pair wins";
    Hold({GameKey::X});
    EXPECT_EQ(ReadKeys(*t), Direction::BombHeld);
}

TEST_F(Ship, ReadKeysForgetsTapsOfAllKeys) {
    t.platform.keys.Tap(GameKey::Z);
    t.platform.keys.Tap(GameKey::Right);
    EXPECT_EQ(ReadKeys(*t), Direction::Right);
    EXPECT_EQ(ReadKeys(*t), Direction::None);
    EXPECT_FALSE(t.platform.keys.Query(GameKey::Z)) << "the fire tap was flushed too";
}

TEST_F(Ship, MovesByItsSpeedAndBanks) {
    struct Case {
        std::initializer_list<GameKey> keys;
        int dx, dy, frame;
    };
    const Case cases[] = {
        {{}, 0, 0, 2},
        {{GameKey::Up}, 0, -8, 2},
        {{GameKey::Right}, 8, 0, 3},
        {{GameKey::Down}, 0, 8, 2},
        {{GameKey::Left}, -8, 0, 1},
        {{GameKey::Up, GameKey::Right}, 8, -8, 4},
        {{GameKey::Right, GameKey::Down}, 8, 8, 4},
        {{GameKey::Down, GameKey::Left}, -8, 8, 0},
        {{GameKey::Left, GameKey::Up}, -8, -8, 0},
        {{GameKey::X, GameKey::Left}, 0, 0, 2},
    };
    for (const Case& c : cases) {
        t.platform.keys = HeadlessKeyboard();
        Hold(c.keys);
        t->PlayerX = 200;
        t->PlayerY = 300;
        MovePlayer(*t);
        EXPECT_EQ(t->PlayerX, 200 + c.dx);
        EXPECT_EQ(t->PlayerY, 300 + c.dy);
        EXPECT_EQ(t->PlayerFrame, c.frame);
    }
}

TEST_F(Ship, TheEarlierDirectionWinsWhicheverDeviceGivesIt) {
    Hold({GameKey::Left});
    t->Joy.Direction = Direction::Up;
    MovePlayer(*t);
    EXPECT_EQ(t->PlayerX, 200);
    EXPECT_EQ(t->PlayerY, 292);
}

TEST_F(Ship, StaysOnThePlaySurface) {
    Hold({GameKey::Left, GameKey::Up});
    t->PlayerX = 3;
    t->PlayerY = 5;
    MovePlayer(*t);
    EXPECT_EQ(t->PlayerX, 0);
    EXPECT_EQ(t->PlayerY, 0);
    t.platform.keys = HeadlessKeyboard();
    Hold({GameKey::Right, GameKey::Down});
    t->PlayerX = static_cast<int16_t>(t->ScreenWidth - 35);
    t->PlayerY = static_cast<int16_t>(t->ScreenHeight - 55);
    MovePlayer(*t);
    EXPECT_EQ(t->PlayerX, t->ScreenWidth - 32);
    EXPECT_EQ(t->PlayerY, t->ScreenHeight - 52);
}

TEST_F(Ship, ADownedShipNeitherMovesNorReadsKeys) {
    Hold({GameKey::Left});
    t->PlayerDown = true;
    MovePlayer(*t);
    EXPECT_EQ(t->PlayerX, 200);
    EXPECT_EQ(t.platform.keys.QueryCount(GameKey::Left), 0);
}

TEST(Joystick, AxesCountAsEndsOnlyAtTheirExtremes) {
    EXPECT_EQ(JoyDirection(0, 32767), Direction::Left);
    EXPECT_EQ(JoyDirection(1, 32767), Direction::None) << "a stick resting at 1 is not left";
    EXPECT_EQ(JoyDirection(60000, 32767), Direction::None);
    EXPECT_EQ(JoyDirection(60001, 32767), Direction::Right);
    EXPECT_EQ(JoyDirection(32767, 0), Direction::Up);
    EXPECT_EQ(JoyDirection(32767, 65535), Direction::Down);
    EXPECT_EQ(JoyDirection(0, 0), Direction::LeftUp);
    EXPECT_EQ(JoyDirection(65535, 0), Direction::UpRight);
    EXPECT_EQ(JoyDirection(65535, 65535), Direction::RightDown);
    EXPECT_EQ(JoyDirection(0, 65535), Direction::DownLeft);
}

TEST(Joystick, PicksDeviceZeroOrOneAndReadsTenButtons) {
    TestGame t;
    JoyInit(*t);
    EXPECT_FALSE(t->JoyPresent) << "no joystick connected";
    EXPECT_EQ(t.platform.joysticks.ReadCount(), 0);

    t.platform.joysticks.Set(1, JoyReading{0, 32767, (1u << 11) | (1u << 0) | (1u << 9)});
    t.platform.joysticks.SetFailing(0, true);
    JoyInit(*t);
    ASSERT_TRUE(t->JoyPresent);
    EXPECT_EQ(t->JoyId, 1);
    JoyState state = ReadJoystick(*t);
    EXPECT_EQ(state.Direction, Direction::Left);
    EXPECT_TRUE(state.Button[0]);
    EXPECT_TRUE(state.Button[9]);
    for (int b = 1; b < 9; ++b) {
        EXPECT_FALSE(state.Button[b]) << b;
    }

    t.platform.joysticks.Set(1, JoyReading{32767, 32767, 1u << 10});
    state = ReadJoystick(*t);
    for (bool pressed : state.Button) {
        EXPECT_FALSE(pressed) << "only button 11 is pressed, beyond the ten read";
    }

    t.platform.joysticks.SetFailing(1, true);
    state = ReadJoystick(*t);
    EXPECT_EQ(state.Direction, Direction::None) << "a failed poll reads as centred";
    JoyInit(*t);
    EXPECT_FALSE(t->JoyPresent);
}

}  // namespace
}  // namespace volley
