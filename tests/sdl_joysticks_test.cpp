// Joysticks: the mapping rules on their own, then the SDL service on SDL's virtual devices, which
// behave like plugged-in ones without any hardware.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <tuple>

#include "platform/sdl/joystick_mapping.h"
#include "platform/sdl/sdl_joysticks.h"
#include "platform/sdl/sdl_platform.h"

namespace volley::sdl {
namespace {

uint32_t Bit(int n) {
    return uint32_t{1} << n;
}

TEST(JoystickMappingTest, AxesHatsDirectionPadsAndButtons) {
    const std::pair<int16_t, uint16_t> axes[] = {
        {-32768, 0}, {-1, 32767}, {0, 32768}, {1000, 33768}, {32767, 65535}};
    for (const auto& [sdl, reading] : axes) {
        EXPECT_EQ(AxisReading(sdl), reading) << sdl;
    }
    // A pressed direction pushes its axis to the end; opposed ones leave the stick alone.
    const uint8_t hats[] = {
        SDL_HAT_CENTERED,  SDL_HAT_LEFT, SDL_HAT_RIGHTUP, SDL_HAT_DOWN, SDL_HAT_LEFTUP,
        SDL_HAT_RIGHTDOWN, 0x0F};
    const uint16_t xs[] = {20000, 0, 65535, 20000, 0, 65535, 20000};
    const uint16_t ys[] = {40000, 40000, 0, 65535, 0, 65535, 40000};
    for (size_t i = 0; i < std::size(hats); ++i) {
        JoyReading reading{.X = 20000, .Y = 40000, .Buttons = 5};
        ApplyDirectionPad(HatDirections(hats[i]), reading);
        EXPECT_EQ(std::make_tuple(reading.X, reading.Y, reading.Buttons),
                  std::make_tuple(xs[i], ys[i], 5u))
            << int{hats[i]};
    }
    // A and B fire and bomb; the rest follow in SDL's order without the four directions.
    const int buttons[] = {SDL_CONTROLLER_BUTTON_A,       SDL_CONTROLLER_BUTTON_B,
                           SDL_CONTROLLER_BUTTON_X,       SDL_CONTROLLER_BUTTON_TOUCHPAD,
                           SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                           SDL_CONTROLLER_BUTTON_INVALID, SDL_CONTROLLER_BUTTON_MAX};
    const int bits_of[] = {0, 1, 2, 16, -1, -1, -1, -1};
    for (size_t i = 0; i < std::size(buttons); ++i) {
        EXPECT_EQ(ControllerButtonBit(buttons[i]), bits_of[i]) << buttons[i];
    }
    std::set<int> bits;
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
        if (const int bit = ControllerButtonBit(button); bit >= 0) {
            EXPECT_TRUE(bits.insert(bit).second) << "button " << button << " shares bit " << bit;
        }
    }
    EXPECT_EQ(bits.size(), static_cast<size_t>(SDL_CONTROLLER_BUTTON_MAX - 4));
    EXPECT_EQ(*bits.rbegin(), SDL_CONTROLLER_BUTTON_MAX - 5) << "packed from bit 0 up";
}

// A virtual device for the length of a test, with a handle of the test's own to move it.
class VirtualDevice {
  public:
    VirtualDevice(SDL_JoystickType type, int axes, int buttons, int hats)
        : index_(SDL_JoystickAttachVirtual(type, axes, buttons, hats)),
          handle_(SDL_JoystickOpen(index_)) {}
    ~VirtualDevice() { Detach(); }

    bool Ready() const { return handle_ != nullptr; }
    int Index() const { return index_; }
    void SetAxis(int axis, Sint16 value) { SDL_JoystickSetVirtualAxis(handle_, axis, value); }
    void SetButton(int button, bool pressed) {
        SDL_JoystickSetVirtualButton(handle_, button, pressed);
    }
    void SetHat(int hat, Uint8 position) { SDL_JoystickSetVirtualHat(handle_, hat, position); }
    void Detach() {
        if (handle_ != nullptr) {
            SDL_JoystickClose(handle_);
            SDL_JoystickDetachVirtual(index_);
            handle_ = nullptr;
        }
    }

  private:
    int index_;
    SDL_Joystick* handle_;
};

// SDL's joysticks started for one test without a whole platform; the service goes first, so its
// handles are closed while SDL still runs.
class SdlJoysticksTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0)
            << SDL_GetError();
        joysticks_ = std::make_unique<SdlJoysticks>();
    }
    void TearDown() override {
        joysticks_.reset();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    }

    // A reading of the device, over a reading of nonsense.
    std::tuple<int, int, uint32_t> Reading(int index) {
        JoyReading r{.X = 1, .Y = 2, .Buttons = 3};
        EXPECT_TRUE(joysticks_->Read(index, r));
        return {r.X, r.Y, r.Buttons};
    }

    std::unique_ptr<SdlJoysticks> joysticks_;
};

// Plugged in, read without pumping any events, pulled out.
TEST_F(SdlJoysticksTest, PlainJoystickReadsItsOwnAxesButtonsAndFirstHat) {
    const int before = joysticks_->DeviceCount();
    VirtualDevice stick(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 40, 2);
    ASSERT_TRUE(stick.Ready()) << SDL_GetError();
    ASSERT_FALSE(SDL_IsGameController(stick.Index()));
    EXPECT_EQ(joysticks_->DeviceCount(), before + 1);
    stick.SetAxis(0, -32768);
    stick.SetAxis(1, 32767);
    for (int button : {0, 10, 31, 32, 39}) {  // past the 32nd they are left out
        stick.SetButton(button, true);
    }
    EXPECT_EQ(Reading(stick.Index()), std::make_tuple(0, 65535, Bit(0) | Bit(10) | Bit(31)));
    stick.SetButton(10, false);
    stick.SetHat(0, SDL_HAT_RIGHT);
    stick.SetHat(1, SDL_HAT_UP);
    EXPECT_EQ(Reading(stick.Index()), std::make_tuple(65535, 65535, Bit(0) | Bit(31)))
        << "only the first hat steers";
    JoyReading reading;
    const int index = stick.Index();
    stick.Detach();
    EXPECT_EQ(joysticks_->DeviceCount(), before);
    EXPECT_FALSE(joysticks_->Read(index, reading));
    EXPECT_FALSE(joysticks_->Read(index, reading));
    for (int absent : {joysticks_->DeviceCount(), joysticks_->DeviceCount() + 1000000, -1}) {
        EXPECT_FALSE(joysticks_->Read(absent, reading)) << absent;
    }
}

TEST_F(SdlJoysticksTest, MissingAxesReadCentred) {
    VirtualDevice pad(SDL_JOYSTICK_TYPE_ARCADE_PAD, 0, 6, 0);
    ASSERT_TRUE(pad.Ready()) << SDL_GetError();
    EXPECT_EQ(Reading(pad.Index()), std::make_tuple(32767, 32767, 0u));
}

TEST_F(SdlJoysticksTest, GameControllerIsReadByItsLayoutAndItsDPadOverridesTheStick) {
    VirtualDevice pad(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                      SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_TRUE(pad.Ready()) << SDL_GetError();
    // SDL maps its virtual controllers in its own button order, so these indices are the layout's.
    ASSERT_TRUE(SDL_IsGameController(pad.Index()));
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pad.SetAxis(SDL_CONTROLLER_AXIS_RIGHTX, -32768);
    for (int button :
         {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_MISC1}) {
        pad.SetButton(button, true);
    }
    EXPECT_EQ(Reading(pad.Index()), std::make_tuple(65535, 0, Bit(0) | Bit(6) | Bit(11)));
    pad.SetButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    EXPECT_EQ(Reading(pad.Index()), std::make_tuple(0, 65535, Bit(0) | Bit(6) | Bit(11)))
        << "the D-pad steers and is no button";
}

TEST(SdlPlatformJoysticksTest, NoJoysticksWithoutSdlAndThePlatformStartsThem) {
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) {
        SdlJoysticks joysticks;
        JoyReading reading;
        EXPECT_EQ(joysticks.DeviceCount(), 0);
        EXPECT_FALSE(joysticks.Read(0, reading));
    }
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
