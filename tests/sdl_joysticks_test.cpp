// Joysticks: the mapping rules on their own, then the SDL service on SDL's virtual devices, which
// behave like plugged-in ones without any hardware.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "platform/sdl/joystick_mapping.h"
#include "platform/sdl/sdl_joysticks.h"
#include "platform/sdl/sdl_platform.h"

namespace volley::sdl {
namespace {

constexpr uint16_t kCentre = 32767;

uint32_t Bit(int n) {
    return uint32_t{1} << n;
}

// Mapping rules.

TEST(JoystickMappingTest, AxisRangeIsShiftedOntoTheReadingsRange) {
    EXPECT_EQ(AxisReading(-32768), 0);
    EXPECT_EQ(AxisReading(32767), 65535);
    EXPECT_EQ(AxisReading(-1), 32767);
    EXPECT_EQ(AxisReading(0), 32768);
    EXPECT_EQ(AxisReading(1000), 33768);
}

TEST(JoystickMappingTest, PressedDirectionOverridesTheStick) {
    const JoyReading stick{.X = 20000, .Y = 40000, .Buttons = 0};
    JoyReading reading = stick;
    ApplyDirectionPad(DirectionPad{.Left = true}, reading);
    EXPECT_EQ(reading.X, 0);
    EXPECT_EQ(reading.Y, 40000);

    reading = stick;
    ApplyDirectionPad(DirectionPad{.Right = true, .Up = true}, reading);
    EXPECT_EQ(reading.X, 65535);
    EXPECT_EQ(reading.Y, 0);

    reading = stick;
    ApplyDirectionPad(DirectionPad{.Down = true}, reading);
    EXPECT_EQ(reading.X, 20000);
    EXPECT_EQ(reading.Y, 65535);
}

TEST(JoystickMappingTest, ReleasedOrOpposedDirectionsLeaveTheStickAlone) {
    const JoyReading stick{.X = 20000, .Y = 40000, .Buttons = 5};
    JoyReading reading = stick;
    ApplyDirectionPad(DirectionPad{}, reading);
    EXPECT_EQ(reading.X, 20000);
    EXPECT_EQ(reading.Y, 40000);
    ApplyDirectionPad(DirectionPad{.Left = true, .Right = true, .Up = true, .Down = true}, reading);
    EXPECT_EQ(reading.X, 20000);
    EXPECT_EQ(reading.Y, 40000);
    EXPECT_EQ(reading.Buttons, 5u);
}

TEST(JoystickMappingTest, HatPositionsBecomeDirections) {
    const DirectionPad centred = HatDirections(SDL_HAT_CENTERED);
    EXPECT_FALSE(centred.Left || centred.Right || centred.Up || centred.Down);

    const DirectionPad leftUp = HatDirections(SDL_HAT_LEFTUP);
    EXPECT_TRUE(leftUp.Left);
    EXPECT_TRUE(leftUp.Up);
    EXPECT_FALSE(leftUp.Right || leftUp.Down);

    const DirectionPad rightDown = HatDirections(SDL_HAT_RIGHTDOWN);
    EXPECT_TRUE(rightDown.Right);
    EXPECT_TRUE(rightDown.Down);
    EXPECT_FALSE(rightDown.Left || rightDown.Up);
}

TEST(JoystickMappingTest, FaceButtonsAAndBFireAndBomb) {
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_A), 0);
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_B), 1);
}

TEST(JoystickMappingTest, OtherControllerButtonsFollowInSdlOrderWithoutTheDirections) {
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_X), 2);
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_Y), 3);
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_BACK), 4);
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_START), 6);
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER), 10);
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_MISC1), 11);
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_PADDLE1), 12);
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_TOUCHPAD), 16);
}

TEST(JoystickMappingTest, DirectionsAndUnknownValuesAreNoButtons) {
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_DPAD_UP), -1);
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_DPAD_DOWN), -1);
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_DPAD_LEFT), -1);
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), -1);
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_INVALID), -1);
    EXPECT_EQ(ControllerButtonBit(SDL_CONTROLLER_BUTTON_MAX), -1);
}

TEST(JoystickMappingTest, EveryControllerButtonHasABitOfItsOwn) {
    std::set<int> bits;
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
        const int bit = ControllerButtonBit(button);
        if (bit >= 0) {
            EXPECT_LT(bit, 32) << "button " << button;
            EXPECT_TRUE(bits.insert(bit).second) << "button " << button << " shares bit " << bit;
        }
    }
    // All but the four directions, packed from bit 0 up.
    EXPECT_EQ(bits.size(), static_cast<size_t>(SDL_CONTROLLER_BUTTON_MAX - 4));
    EXPECT_EQ(*bits.rbegin(), SDL_CONTROLLER_BUTTON_MAX - 5);
}

// Devices.

struct JoystickCloser {
    void operator()(SDL_Joystick* joystick) const { SDL_JoystickClose(joystick); }
};

// A virtual device for the length of a test, with a handle of the test's own to move it.
class VirtualDevice {
  public:
    VirtualDevice(SDL_JoystickType type, int axes, int buttons, int hats)
        : index_(SDL_JoystickAttachVirtual(type, axes, buttons, hats)) {
        if (index_ >= 0) {
            handle_.reset(SDL_JoystickOpen(index_));
        }
    }
    ~VirtualDevice() { Detach(); }
    VirtualDevice(const VirtualDevice&) = delete;
    VirtualDevice& operator=(const VirtualDevice&) = delete;

    bool Ready() const { return handle_ != nullptr; }
    int Index() const { return index_; }

    void SetAxis(int axis, Sint16 value) {
        ASSERT_EQ(SDL_JoystickSetVirtualAxis(handle_.get(), axis, value), 0) << SDL_GetError();
    }
    void SetButton(int button, bool pressed) {
        ASSERT_EQ(SDL_JoystickSetVirtualButton(handle_.get(), button, pressed ? 1 : 0), 0)
            << SDL_GetError();
    }
    void SetHat(int hat, Uint8 position) {
        ASSERT_EQ(SDL_JoystickSetVirtualHat(handle_.get(), hat, position), 0) << SDL_GetError();
    }
    void Detach() {
        handle_.reset();
        if (index_ >= 0) {
            SDL_JoystickDetachVirtual(index_);
            index_ = -1;
        }
    }

  private:
    int index_;
    std::unique_ptr<SDL_Joystick, JoystickCloser> handle_;
};

// SDL's joystick and controller subsystems, started for one test without a whole platform.
class JoystickSubsystem {
  public:
    JoystickSubsystem()
        : started_(SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) == 0) {}
    ~JoystickSubsystem() {
        if (started_) {
            SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
        }
    }
    JoystickSubsystem(const JoystickSubsystem&) = delete;
    JoystickSubsystem& operator=(const JoystickSubsystem&) = delete;

    bool Started() const { return started_; }

  private:
    bool started_;
};

class SdlJoysticksTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(subsystem_.Started()) << SDL_GetError(); }

    // Declared before the service, so the service's handles are closed while SDL still runs.
    JoystickSubsystem subsystem_;
    SdlJoysticks joysticks_;
};

TEST_F(SdlJoysticksTest, CountsAPluggedInJoystick) {
    const int before = joysticks_.DeviceCount();
    VirtualDevice stick(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 12, 1);
    ASSERT_TRUE(stick.Ready()) << SDL_GetError();
    EXPECT_EQ(joysticks_.DeviceCount(), before + 1);
    stick.Detach();
    EXPECT_EQ(joysticks_.DeviceCount(), before);
}

TEST_F(SdlJoysticksTest, PlainJoystickReadsAxesAndButtonsInItsOwnOrder) {
    VirtualDevice stick(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 12, 0);
    ASSERT_TRUE(stick.Ready()) << SDL_GetError();
    ASSERT_FALSE(SDL_IsGameController(stick.Index()));
    stick.SetAxis(0, -32768);
    stick.SetAxis(1, 32767);
    // SDL counts buttons from 0: this is the joystick's button 11, which the reading keeps in
    // bit 10.
    stick.SetButton(10, true);
    stick.SetButton(0, true);

    // No events are pumped: the reading itself must fetch the new state.
    JoyReading reading;
    ASSERT_TRUE(joysticks_.Read(stick.Index(), reading));
    EXPECT_EQ(reading.X, 0);
    EXPECT_EQ(reading.Y, 65535);
    EXPECT_EQ(reading.Buttons, Bit(10) | Bit(0));
}

TEST_F(SdlJoysticksTest, LaterReadingsFollowTheDevice) {
    VirtualDevice stick(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 4, 0);
    ASSERT_TRUE(stick.Ready()) << SDL_GetError();
    stick.SetButton(1, true);
    JoyReading reading;
    ASSERT_TRUE(joysticks_.Read(stick.Index(), reading));
    EXPECT_EQ(reading.Buttons, Bit(1));

    stick.SetButton(1, false);
    stick.SetButton(3, true);
    stick.SetAxis(0, 32767);
    ASSERT_TRUE(joysticks_.Read(stick.Index(), reading));
    EXPECT_EQ(reading.Buttons, Bit(3));
    EXPECT_EQ(reading.X, 65535);
}

TEST_F(SdlJoysticksTest, ButtonsPastThe32ndAreLeftOut) {
    VirtualDevice stick(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 40, 0);
    ASSERT_TRUE(stick.Ready()) << SDL_GetError();
    stick.SetButton(31, true);
    stick.SetButton(32, true);
    stick.SetButton(39, true);
    JoyReading reading;
    ASSERT_TRUE(joysticks_.Read(stick.Index(), reading));
    EXPECT_EQ(reading.Buttons, Bit(31));
}

TEST_F(SdlJoysticksTest, MissingAxesReadCentred) {
    VirtualDevice pad(SDL_JOYSTICK_TYPE_ARCADE_PAD, 0, 6, 0);
    ASSERT_TRUE(pad.Ready()) << SDL_GetError();
    JoyReading reading{.X = 1, .Y = 2, .Buttons = 3};
    ASSERT_TRUE(joysticks_.Read(pad.Index(), reading));
    EXPECT_EQ(reading.X, kCentre);
    EXPECT_EQ(reading.Y, kCentre);
    EXPECT_EQ(reading.Buttons, 0u);
}

TEST_F(SdlJoysticksTest, FirstHatSteersOverTheAxes) {
    VirtualDevice stick(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 2, 2);
    ASSERT_TRUE(stick.Ready()) << SDL_GetError();
    stick.SetAxis(0, 0);
    stick.SetAxis(1, 0);
    stick.SetHat(0, SDL_HAT_LEFT);
    stick.SetHat(1, SDL_HAT_DOWN);
    JoyReading reading;
    ASSERT_TRUE(joysticks_.Read(stick.Index(), reading));
    EXPECT_EQ(reading.X, 0);
    EXPECT_EQ(reading.Y, 32768);
}

TEST_F(SdlJoysticksTest, GameControllerIsReadByItsLayout) {
    VirtualDevice pad(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                      SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_TRUE(pad.Ready()) << SDL_GetError();
    // SDL maps its virtual controllers in its own button order, so these indices are the layout's.
    ASSERT_TRUE(SDL_IsGameController(pad.Index()));
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pad.SetAxis(SDL_CONTROLLER_AXIS_RIGHTX, -32768);
    pad.SetButton(SDL_CONTROLLER_BUTTON_A, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_START, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_MISC1, true);
    JoyReading reading;
    ASSERT_TRUE(joysticks_.Read(pad.Index(), reading));
    EXPECT_EQ(reading.X, 65535);
    EXPECT_EQ(reading.Y, 0);
    EXPECT_EQ(reading.Buttons, Bit(0) | Bit(6) | Bit(11));
}

TEST_F(SdlJoysticksTest, ControllerDPadOverridesTheLeftStickAndIsNoButton) {
    VirtualDevice pad(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                      SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_TRUE(pad.Ready()) << SDL_GetError();
    ASSERT_TRUE(SDL_IsGameController(pad.Index()));
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pad.SetButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_B, true);
    JoyReading reading;
    ASSERT_TRUE(joysticks_.Read(pad.Index(), reading));
    EXPECT_EQ(reading.X, 0);
    EXPECT_EQ(reading.Y, 65535);
    EXPECT_EQ(reading.Buttons, Bit(1));
}

TEST_F(SdlJoysticksTest, UnpluggedDeviceNoLongerReads) {
    VirtualDevice stick(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 2, 0);
    ASSERT_TRUE(stick.Ready()) << SDL_GetError();
    const int index = stick.Index();
    JoyReading reading;
    ASSERT_TRUE(joysticks_.Read(index, reading));
    stick.Detach();
    EXPECT_FALSE(joysticks_.Read(index, reading));
    EXPECT_FALSE(joysticks_.Read(index, reading));
}

TEST_F(SdlJoysticksTest, DeviceThatIsNotThereDoesNotRead) {
    JoyReading reading;
    EXPECT_FALSE(joysticks_.Read(joysticks_.DeviceCount(), reading));
    EXPECT_FALSE(joysticks_.Read(joysticks_.DeviceCount() + 1000000, reading));
    EXPECT_FALSE(joysticks_.Read(-1, reading));
}

TEST(SdlJoysticksWithoutSdlTest, NoJoystickSubsystemMeansNoJoysticks) {
    if (SDL_WasInit(SDL_INIT_JOYSTICK) != 0) {
        GTEST_SKIP() << "an earlier test left SDL's joysticks running";
    }
    SdlJoysticks joysticks;
    JoyReading reading;
    EXPECT_EQ(joysticks.DeviceCount(), 0);
    EXPECT_FALSE(joysticks.Read(0, reading));
}

TEST(SdlPlatformJoysticksTest, PlatformStartsTheJoysticks) {
    std::string error;
    auto platform = SdlPlatform::Create(error);
    ASSERT_NE(platform, nullptr) << error;
    Joysticks& joysticks = platform->Services().joysticks;
    const int before = joysticks.DeviceCount();
    VirtualDevice stick(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 2, 0);
    ASSERT_TRUE(stick.Ready()) << SDL_GetError();
    EXPECT_EQ(joysticks.DeviceCount(), before + 1);
    stick.SetButton(1, true);
    JoyReading reading;
    ASSERT_TRUE(joysticks.Read(stick.Index(), reading));
    EXPECT_EQ(reading.Buttons, Bit(1));
}

}  // namespace
}  // namespace volley::sdl
