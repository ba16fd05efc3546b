// The SDL services on SDL's dummy drivers, virtual joysticks and this machine's fonts.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <tuple>
#include <utility>

#include "platform/sdl/joystick_mapping.h"
#include "platform/sdl/label_font.h"
#include "platform/sdl/music_synth.h"
#include "platform/sdl/present_path.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_joysticks.h"
#include "platform/sdl/sdl_music.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_sound.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/window_scale.h"
#include "smf_writer.h"
#include "support.h"
#include "wav_writer.h"

namespace volley {
namespace {

using namespace sdl;

class SdlPlatformTest : public ::testing::Test {
  public:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(Start()); }
    void Start() {
        platform_.reset();
        std::string error;
        platform_ = SdlPlatform::Create(error);
        ASSERT_NE(platform_, nullptr) << error;
    }

    Platform Services() { return platform_->Services(); }
    bool Pump() { return Services().events.Pump(); }

    static void PushKey(Uint32 type, SDL_Scancode scancode, SDL_Keycode printed = SDLK_y) {
        SDL_Event event{};
        event.key.type = type;
        event.key.keysym.scancode = scancode;
        event.key.keysym.sym = printed;
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }
    static void Tap(SDL_Scancode scancode) {
        PushKey(SDL_KEYDOWN, scancode);
        PushKey(SDL_KEYUP, scancode);
    }
    static void PushEvent(Uint32 type, Uint8 windowEvent = 0) {
        SDL_Event event{};
        event.window.type = type;
        event.window.event = windowEvent;
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }

    std::unique_ptr<SdlPlatform> platform_;
};

// Each place taps its game key once and no other; keys are read by place, not by what they print.
void ExpectPlaces(SdlPlatformTest& test, const std::vector<const char*>& names) {
    const GameKey keys[] = {GameKey::Escape, GameKey::Left, GameKey::Up, GameKey::Right,
                            GameKey::Down,   GameKey::Z,    GameKey::X,  GameKey::Pause};
    for (size_t i = 0; i < names.size(); ++i) {
        SdlPlatformTest::Tap(SDL_GetScancodeFromName(names[i]));
        ASSERT_FALSE(test.Pump());
        for (size_t j = 0; j < names.size(); ++j) {
            EXPECT_EQ(test.Services().keys.Query(keys[j]), i == j)
                << names[i] << " as " << names[j];
        }
        EXPECT_FALSE(test.Services().keys.Query(keys[i])) << "the tap was used up";
    }
}

TEST_F(SdlPlatformTest, EachKeyPlaceIsOneGameKeyRemappingMovesAllButEscapeAndPauseHeldKeysHold) {
    ExpectPlaces(*this, {"Escape", "Left", "Up", "Right", "Down", "Z", "X", "P"});
    KeyBindingPlaces places;
    for (size_t i = 0; i < places.size(); ++i) {
        places[i] = KeyPlace{SDL_GetScancodeFromName(std::string(1, "AWDSJK"[i]).c_str())};
    }
    platform_->SetKeyBindings(places);
    ExpectPlaces(*this, {"Escape", "A", "W", "D", "S", "J", "K", "P"});
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_LEFT);
    Pump();
    EXPECT_FALSE(Services().keys.Query(GameKey::Left)) << "the old keys no longer play";
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
    for (bool down : {true, true, false}) {
        if (!down) {
            PushKey(SDL_KEYUP, SDL_SCANCODE_A);
        }
        Pump();
        EXPECT_EQ(Services().keys.Query(GameKey::Left), down);
    }
    // Losing the focus lets go of held keys, but a press not yet asked about still counts.
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_D);
    PushEvent(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST);
    Pump();
    EXPECT_TRUE(Services().keys.Query(GameKey::Right));
    EXPECT_FALSE(Services().keys.Query(GameKey::Right));
}

// Each closing is for good; a hangup left over does not close the next platform.
TEST_F(SdlPlatformTest, QuitWindowCloseAndAHangupClose) {
    const std::pair<const char*, std::function<void()>> closings[] = {
        {"SIGHUP", [] { std::raise(SIGHUP); }},
        {"quit", [] { PushEvent(SDL_QUIT); }},
        {"window close", [] { PushEvent(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE); }}};
    for (const auto& [name, close] : closings) {
        SCOPED_TRACE(name);
        ASSERT_NO_FATAL_FAILURE(Start());
        ASSERT_FALSE(Pump());
        PushKey(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE);
        close();
        EXPECT_TRUE(Pump());
        EXPECT_TRUE(Pump());
        EXPECT_TRUE(Services().keys.Query(GameKey::Escape));
    }
    std::string error;
    EXPECT_EQ(SdlPlatform::Create(error), nullptr) << "one platform at a time";
    EXPECT_FALSE(error.empty());
}

// The game's title on the title screen is written in kana.
TEST_F(SdlPlatformTest, TheLabelFontHasKanaAndDrawsThem) {
    EXPECT_TRUE(FindLabelFont().CoversKana);
    TextImage image;
    Services().text.Render("みるてぃあ", 64, image);
    EXPECT_TRUE(image.Height >= 64 && image.Width > 2 * 64) << image.Width;
    EXPECT_EQ(*std::max_element(image.Coverage.begin(), image.Coverage.end()), 255);
}

constexpr int kClientWidth = 445;
constexpr int kClientHeight = 586;
constexpr int kBandHeight = 79;
constexpr Pixel kOutside = MakePixel(255, 0, 255);

WindowSpec GameWindowSpec(const Surface* icon = nullptr) {
    return {"みるてぃあ", kClientWidth, kClientHeight, icon, kBlack};
}

Pixel GradientAt(int x, int y) {
    return MakePixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(x ^ y));
}

// The window's picture in its two parts, a gradient across both, magenta past the client area.
struct GradientPicture {
    GradientPicture() {
        for (int i = 0; i < 451 * 532; ++i) {
            const int x = i % 451, y = i / 451 + kBandHeight;
            play.Pixels[i] = x < kClientWidth && y < kClientHeight ? GradientAt(x, y) : kOutside;
            if (y < 2 * kBandHeight && x < kClientWidth) {
                band.At(x, y - kBandHeight) = GradientAt(x, y - kBandHeight);
            }
        }
    }
    Surface band{kClientWidth, kBandHeight};
    Surface play{451, 532};
};

// One pixel of the window as last shown, from the renderer's output or the window surface.
Pixel ShownPixel(SDL_Window* window, int x, int y) {
    if (SDL_Renderer* renderer = SDL_GetRenderer(window)) {
        uint32_t argb = 0;
        const SDL_Rect one{x, y, 1, 1};
        EXPECT_EQ(SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_ARGB8888, &argb, 4), 0);
        return argb & 0xFFFFFF;
    }
    const SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr || x >= surface->w || y >= surface->h) {
        ADD_FAILURE() << "no window surface at " << x << "," << y;
        return kOutside;
    }
    return static_cast<const uint32_t*>(surface->pixels)[y * surface->pitch / 4 + x] & 0xFFFFFF;
}

TEST(SdlWithoutDisplay, NeitherThePlatformNorAWindowComesUp) {
    std::string windowError, platformError;
    {
        testing::ScopedEnvironment video("SDL_VIDEODRIVER", nullptr);
        testing::ScopedEnvironment x11("DISPLAY", nullptr);
        testing::ScopedEnvironment wayland("WAYLAND_DISPLAY", nullptr);
        sdl::SdlWindow window;
        EXPECT_FALSE(window.Open(GameWindowSpec(), windowError));
        EXPECT_EQ(SdlPlatform::Create(platformError), nullptr);
    }
    EXPECT_NE(windowError.find("no display"), std::string::npos) << windowError;
    EXPECT_NE(platformError.find("no display"), std::string::npos) << platformError;
    {
        testing::ScopedEnvironment video("SDL_VIDEODRIVER", nullptr);
        testing::ScopedEnvironment x11("DISPLAY", ":9999");
        EXPECT_EQ(SdlPlatform::Create(platformError), nullptr);
    }
    EXPECT_NE(platformError.find("could not open the display :9999"), std::string::npos)
        << platformError;
    sdl::SdlWindow later;
    std::string error;
    EXPECT_TRUE(later.Open(GameWindowSpec(), error)) << error;
}

TEST_F(SdlPlatformTest, TheWindowOpensOnceItsIconsSeeThroughColourIsTransparentAndPadsAreAwaited) {
    sdl::SdlWindow window;
    const GradientPicture picture;
    window.Present(picture.band, picture.play);  // before the window: harmless
    Surface icon(32, 32, kBlack);                // black, unless marked otherwise, is solid
    std::string error;
    ASSERT_TRUE(window.Open(GameWindowSpec(&icon), error)) << error;
    EXPECT_FALSE(window.Open(GameWindowSpec(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), Uint32{SDL_INIT_GAMECONTROLLER})
        << "the platform is ready for pads plugged in later";
    icon.At(1, 0) = kOutside;
    const sdl::SurfacePtr argb = sdl::MakeIconSurface(icon, kOutside);
    ASSERT_EQ(argb->format->format, SDL_PIXELFORMAT_ARGB8888);
    EXPECT_EQ(static_cast<const uint32_t*>(argb->pixels)[0], 0xFF000000u);
    EXPECT_EQ(static_cast<const uint32_t*>(argb->pixels)[1], 0u);
}

// Both ways of presenting; the dummy driver's software renderer still uploads and scales.
class SdlPresentTest : public SdlPlatformTest,
                       public ::testing::WithParamInterface<sdl::PresentPath> {
  protected:
    testing::ScopedEnvironment present_{
        "VOLLEY_PRESENT", GetParam() == sdl::PresentPath::Surface ? "surface" : "renderer"};
};

TEST_P(SdlPresentTest, ThePictureShowsUnchangedAtEveryScaleAndCentredInFullscreen) {
    for (int scale : {1, 2, 3}) {
        SCOPED_TRACE(scale);
        sdl::SdlWindow window;
        window.SetOpening(scale, false);
        std::string error;
        ASSERT_TRUE(window.Open(GameWindowSpec(), error)) << error;
        EXPECT_EQ(window.Path(), GetParam());
        EXPECT_EQ(window.Scale(), scale);
        int width = 0, height = 0;
        SDL_GetWindowSize(window.Handle(), &width, &height);
        EXPECT_EQ(std::make_pair(width, height),
                  std::make_pair(kClientWidth * scale, kClientHeight * scale));
        const GradientPicture picture;
        window.Present(picture.band, picture.play);
        for (const auto& [x, y] :
             {std::pair{0, 0}, {444, 0}, {0, 78}, {100, 79}, {200, 300}, {0, 585}, {444, 585}}) {
            for (int corner : {0, scale - 1}) {
                EXPECT_EQ(ShownPixel(window.Handle(), x * scale + corner, y * scale + corner),
                          GradientAt(x, y))
                    << x << "," << y << " corner " << corner;
            }
        }
    }
    sdl::SdlWindow window;
    std::string error;
    ASSERT_TRUE(window.Open(GameWindowSpec(), error)) << error;
    const GradientPicture picture;
    window.ToggleFullscreen();
    Pump();  // the change of size arrives as an event
    window.Present(picture.band, picture.play);
    int width = 0, height = 0;
    SDL_GetWindowSize(window.Handle(), &width, &height);
    ASSERT_GT(width, kClientWidth) << "the dummy driver's desktop is 1024 x 768";
    const int left = (width - kClientWidth) / 2, top = (height - kClientHeight) / 2;
    EXPECT_EQ(ShownPixel(window.Handle(), 0, 0), kBlack);
    EXPECT_EQ(ShownPixel(window.Handle(), left - 1, top), kBlack);
    EXPECT_EQ(ShownPixel(window.Handle(), left, top), GradientAt(0, 0));
    EXPECT_EQ(ShownPixel(window.Handle(), left + 200, top + 300), GradientAt(200, 300));
    window.ToggleFullscreen();
    Pump();
    window.Present(picture.band, picture.play);
    EXPECT_EQ(ShownPixel(window.Handle(), 0, 0), GradientAt(0, 0));
}

INSTANTIATE_TEST_SUITE_P(BothPaths, SdlPresentTest,
                         ::testing::Values(sdl::PresentPath::Surface, sdl::PresentPath::Renderer));

// An unknown way is named once, and the machine decides: software rasterisers get the surface.
TEST_F(SdlPlatformTest, ThePresentPathIsChosenByExactNameOrByTheMachine) {
    std::string error;
    const std::pair<const char*, std::optional<sdl::PresentPath>> names[] = {
        {"surface", sdl::PresentPath::Surface},
        {"renderer", sdl::PresentPath::Renderer},
        {nullptr, {}},
        {"", {}},
        {"auto", {}}};
    for (const auto& [name, path] : names) {
        EXPECT_EQ(sdl::ForcedPresentPath(name, error), path) << (name ? name : "none");
    }
    EXPECT_EQ(error, "");
    EXPECT_TRUE(sdl::IsSoftwareRasteriser("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_FALSE(sdl::IsSoftwareRasteriser("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)"));
    testing::ScopedEnvironment present("VOLLEY_PRESENT", "Surface");
    sdl::SdlWindow window;
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(window.Open(GameWindowSpec(), error)) << error;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "volley: VOLLEY_PRESENT=Surface is not surface, renderer or auto; the machine "
              "decides\n");
    if (!sdl::HasGraphicsDevice()) {
        EXPECT_EQ(window.Path(), sdl::PresentPath::Surface);
    }
}

TEST(WindowScale, TheLargestWholeScaleThatFitsAndTheFullscreenKeys) {
    // Client size, desktop size, scale: twice as high and a pixel less, the width deciding, limits.
    const std::tuple<int, int, int, int, int> fits[] = {{445, 586, 1920, 1172, 2},
                                                        {445, 586, 1920, 1171, 1},
                                                        {890, 586, 1779, 2110, 1},
                                                        {445, 586, 300, 200, 1},
                                                        {445, 586, 100000, 100000, sdl::kMaxScale}};
    for (const auto& [w, h, desktopW, desktopH, scale] : fits) {
        EXPECT_EQ(sdl::LargestFittingScale(w, h, desktopW, desktopH), scale) << desktopW;
    }
    const std::tuple<SDL_Scancode, Uint16, Uint8, bool> keys[] = {
        {SDL_SCANCODE_F11, KMOD_NONE, 0, true},      {SDL_SCANCODE_RETURN, KMOD_LALT, 0, true},
        {SDL_SCANCODE_KP_ENTER, KMOD_RALT, 0, true}, {SDL_SCANCODE_RETURN, KMOD_NONE, 0, false},
        {SDL_SCANCODE_F11, KMOD_NONE, 1, false},     {SDL_SCANCODE_Z, KMOD_LALT, 0, false}};
    for (const auto& [code, mod, repeat, toggles] : keys) {
        SDL_KeyboardEvent key{};
        key.type = SDL_KEYDOWN;
        key.repeat = repeat;
        key.keysym.scancode = code;
        key.keysym.mod = mod;
        EXPECT_EQ(sdl::IsFullscreenToggle(key), toggles) << SDL_GetScancodeName(code);
    }
}

uint32_t Bit(int n) {
    return uint32_t{1} << n;
}

struct VirtualDevice {
    VirtualDevice(SDL_JoystickType type, int axes, int buttons, int hats)
        : index(SDL_JoystickAttachVirtual(type, axes, buttons, hats)),
          handle(SDL_JoystickOpen(index)) {}
    ~VirtualDevice() { Detach(); }
    void Detach() {
        if (handle != nullptr) {
            SDL_JoystickClose(handle);
            SDL_JoystickDetachVirtual(index);
            handle = nullptr;
        }
    }

    int index;
    SDL_Joystick* handle;
};

// SDL's joysticks without a whole platform; the service closes its handles while SDL still runs.
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

    std::tuple<int, int, uint32_t> Reading(int index) {
        JoyReading r{.X = 1, .Y = 2, .Buttons = 3};
        EXPECT_TRUE(joysticks_->Read(index, r));
        return {r.X, r.Y, r.Buttons};
    }

    std::unique_ptr<SdlJoysticks> joysticks_;
};

TEST_F(SdlJoysticksTest, PlainJoystickReadsItsOwnAxesButtonsAndFirstHatMissingAxesCentred) {
    const int before = joysticks_->DeviceCount();
    VirtualDevice stick(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 40, 2);
    ASSERT_NE(stick.handle, nullptr) << SDL_GetError();
    ASSERT_FALSE(SDL_IsGameController(stick.index));
    EXPECT_EQ(joysticks_->DeviceCount(), before + 1);
    SDL_JoystickSetVirtualAxis(stick.handle, 0, -32768);
    SDL_JoystickSetVirtualAxis(stick.handle, 1, 32767);
    for (int button : {0, 10, 31, 32, 39}) {  // past the 32nd they are left out
        SDL_JoystickSetVirtualButton(stick.handle, button, true);
    }
    EXPECT_EQ(Reading(stick.index), std::make_tuple(0, 65535, Bit(0) | Bit(10) | Bit(31)));
    SDL_JoystickSetVirtualButton(stick.handle, 10, false);
    SDL_JoystickSetVirtualHat(stick.handle, 0, SDL_HAT_RIGHT);
    SDL_JoystickSetVirtualHat(stick.handle, 1, SDL_HAT_UP);
    EXPECT_EQ(Reading(stick.index), std::make_tuple(65535, 65535, Bit(0) | Bit(31)))
        << "only the first hat steers";
    SDL_JoystickSetVirtualAxis(stick.handle, 0, 1000);
    SDL_JoystickSetVirtualAxis(stick.handle, 1, -1);
    SDL_JoystickSetVirtualHat(stick.handle, 0, SDL_HAT_RIGHTUP | SDL_HAT_LEFTDOWN);
    EXPECT_EQ(Reading(stick.index), std::make_tuple(33768, 32767, Bit(0) | Bit(31)))
        << "opposed directions leave the stick alone";
    JoyReading reading;
    const int index = stick.index;
    stick.Detach();
    EXPECT_EQ(joysticks_->DeviceCount(), before);
    EXPECT_FALSE(joysticks_->Read(index, reading));
    EXPECT_FALSE(joysticks_->Read(index, reading));
    EXPECT_FALSE(joysticks_->Read(joysticks_->DeviceCount(), reading));
    EXPECT_FALSE(joysticks_->Read(-1, reading));
    VirtualDevice bare(SDL_JOYSTICK_TYPE_ARCADE_PAD, 0, 6, 0);
    EXPECT_EQ(Reading(bare.index), std::make_tuple(32767, 32767, 0u)) << "missing axes centred";
}

TEST_F(SdlJoysticksTest, GameControllerIsReadByItsLayoutAndItsDPadOverridesTheStick) {
    VirtualDevice pad(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                      SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_NE(pad.handle, nullptr) << SDL_GetError();
    // SDL maps its virtual controllers in its own button order, so these indices are the layout's.
    ASSERT_TRUE(SDL_IsGameController(pad.index));
    SDL_JoystickSetVirtualAxis(pad.handle, SDL_CONTROLLER_AXIS_LEFTX, 32767);
    SDL_JoystickSetVirtualAxis(pad.handle, SDL_CONTROLLER_AXIS_LEFTY, -32768);
    SDL_JoystickSetVirtualAxis(pad.handle, SDL_CONTROLLER_AXIS_RIGHTX, -32768);
    for (int button :
         {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_MISC1}) {
        SDL_JoystickSetVirtualButton(pad.handle, button, true);
    }
    EXPECT_EQ(Reading(pad.index), std::make_tuple(65535, 0, Bit(0) | Bit(6) | Bit(11)));
    SDL_JoystickSetVirtualButton(pad.handle, SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    SDL_JoystickSetVirtualButton(pad.handle, SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    EXPECT_EQ(Reading(pad.index), std::make_tuple(0, 65535, Bit(0) | Bit(6) | Bit(11)))
        << "the D-pad steers and is no button";
    for (int outside : {SDL_CONTROLLER_BUTTON_INVALID, SDL_CONTROLLER_BUTTON_MAX}) {
        EXPECT_EQ(ControllerButtonBit(outside), -1) << outside;
    }
}

using Bytes = std::vector<uint8_t>;

// A WAV file image as the game holds it: 16-bit mono at 44.1 kHz, then one zero byte.
Bytes SineWavImage(double hertz, int milliseconds) {
    std::vector<double> samples(44100 * milliseconds / 1000);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = 0.37 * std::sin(2 * std::numbers::pi * hertz * static_cast<double>(i) / 44100);
    }
    Bytes image = assetgen::EncodeWav16Mono(samples, 44100);
    image.push_back(0);
    return image;
}

Bytes OneNoteMidi(uint8_t note, uint32_t ticks = 96) {
    assetgen::MidiTrack tempo, melody;
    tempo.Events = {assetgen::TempoChange(0, 120)};
    melody.Events = {assetgen::NoteOn(0, 0, note, 100), assetgen::NoteOff(ticks, 0, note)};
    return assetgen::EncodeSmf({tempo, melody}, 96, ticks);
}

int CountLines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

void ExpectOneWarning(const std::string& warnings, const std::string& start) {
    EXPECT_EQ(CountLines(warnings), 1) << warnings;
    EXPECT_EQ(warnings.rfind(start, 0), 0u) << warnings;
}

bool DeviceOpen() {
    return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0;
}

// SDL_mixer 2.6 does not tell which SDL device it opened, so every playing one is paused.
void HoldTheDeviceStill() {
    for (SDL_AudioDeviceID id = 1; id < 64; ++id) {
        if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) {
            SDL_PauseAudioDevice(id, 1);
        }
    }
}

class SdlAudioTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(DeviceOpen()); }
    void TearDown() override { music_.Close(); }

    void OpenStill() {
        music_.Open();
        HoldTheDeviceStill();
        ASSERT_TRUE(music_.WaitForSynth());
    }

    // The loudness of a tenth of a second of music, 0 for silence.
    double MixedLoudness() {
        std::vector<int16_t> samples(2 * 4410, 0);
        music_.Mix(reinterpret_cast<uint8_t*>(samples.data()),
                   static_cast<int>(samples.size() * sizeof(int16_t)));
        double sum = 0;
        for (int16_t sample : samples) {
            sum += static_cast<double>(sample) * sample;
        }
        return std::sqrt(sum / static_cast<double>(samples.size()));
    }

    std::string WriteFile(const std::string& name, const Bytes& bytes) {
        testing::WriteBytes(folder_.Path() / name, bytes);
        return (folder_.Path() / name).string();
    }

    testing::TempDir folder_;
    testing::ScopedEnvironment driver_{"SDL_AUDIODRIVER", "dummy"};
    SdlAudio audio_;
    SdlSound sound_{audio_};
    SdlMusic music_{audio_};
};

TEST_F(SdlAudioTest, EffectsOpenTheDevicePlayDecodedOnceAndCutEachOtherOff) {
    const Bytes low = SineWavImage(220, 200), high = SineWavImage(1760, 100);
    sound_.PlayEffect(low);
    ASSERT_TRUE(DeviceOpen()) << "opened by the first effect";
    HoldTheDeviceStill();
    const Mix_Chunk* lowChunk = Mix_GetChunk(kEffectChannel);
    ASSERT_NE(lowChunk, nullptr);
    sound_.PlayEffect(high);
    EXPECT_NE(Mix_GetChunk(kEffectChannel), lowChunk);
    EXPECT_EQ(Mix_Playing(-1), 1);
    sound_.PlayEffect(low);
    EXPECT_EQ(Mix_GetChunk(kEffectChannel), lowChunk) << "decoded once";
    // The lone zero byte of a missing file and a MIDI image are no effects, and say nothing.
    Bytes midi = OneNoteMidi(60);
    midi.push_back(0);
    ::testing::internal::CaptureStderr();
    sound_.PlayEffect(Bytes(1, 0));
    sound_.PlayEffect(midi);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(Mix_GetChunk(kEffectChannel), lowChunk);
    EXPECT_EQ(Mix_Playing(kEffectChannel), 1);
}

TEST_F(SdlAudioTest, DamagedWavsAreReportedOnceAndNeverPlay) {
    // Nothing but a RIFF WAVE header: the chunks fit, SDL refuses it.
    const Bytes bare = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E', 0};
    // A damaged length: SDL would set aside the 4 GB it claims before reading any of it.
    Bytes huge = SineWavImage(440, 50);
    huge[42] = 0xF9;
    huge[43] = 0xFF;
    for (const auto& [wav, warning] :
         {std::pair{bare, "volley: cannot play a sound effect: "},
          {huge, "volley: cannot play a sound effect: the WAV file is cut short or damaged\n"}}) {
        ::testing::internal::CaptureStderr();
        sound_.PlayEffect(wav);
        HoldTheDeviceStill();
        sound_.PlayEffect(wav);
        ExpectOneWarning(::testing::internal::GetCapturedStderr(), warning);
        EXPECT_EQ(Mix_Playing(-1), 0);
    }
}

TEST_F(SdlAudioTest, VolumesScaleTheGamesOwnBalanceAndMutedSoundNeverOpensTheDevice) {
    audio_.SetVolumes(0, 0);
    ::testing::internal::CaptureStderr();
    sound_.PlayEffect(SineWavImage(440, 100));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "muting is not a failure";
    EXPECT_FALSE(DeviceOpen());
    audio_.SetVolumes(50, 20);
    ASSERT_TRUE(audio_.Ready());
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME / 2);
    EXPECT_EQ(Mix_Volume(kEffectChannel, -1), 15) << "a fifth of the effects' 75 of 128, rounded";
    audio_.SetVolumes(100, 0);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    EXPECT_EQ(Mix_Volume(kEffectChannel, -1), 0);
}

TEST_F(SdlAudioTest, APieceThatCannotBePlayedHasHandleZeroAndIsReportedOnce) {
    if (ChooseSoundFont().empty()) {
        GTEST_SKIP() << "no soundfont on this machine";
    }
    OpenStill();
    Bytes damaged = OneNoteMidi(60);
    damaged.resize(damaged.size() - 2);
    WriteFile("Damaged.mid", damaged);
    WriteFile("Instant.mid", OneNoteMidi(60, 0));  // lasts no time
    for (const char* name : {"Nothing.mid", "Damaged.mid", "Instant.mid"}) {
        SCOPED_TRACE(name);
        const std::string path = (folder_.Path() / name).string();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(music_.Load(path), 0);
        EXPECT_EQ(music_.Load(path), 0);
        const std::string warnings = ::testing::internal::GetCapturedStderr();
        ExpectOneWarning(warnings, "volley: cannot load music: ");
        EXPECT_NE(warnings.find(path), std::string::npos) << warnings;
        music_.Play(0);
        EXPECT_EQ(MixedLoudness(), 0);
    }
}

TEST_F(SdlAudioTest, ASoundFontThatCannotBeLoadedIsNamedOnceAndTheMusicIsSilent) {
    testing::ScopedEnvironment fonts("SDL_SOUNDFONTS", "/nowhere/Chosen.sf2:/usr/share/Other.sf2");
    const std::string path = WriteFile("Tune.mid", OneNoteMidi(60));
    ::testing::internal::CaptureStderr();
    music_.Open();
    EXPECT_FALSE(music_.WaitForSynth());
    const int handle = music_.Load(path);
    music_.Play(handle);
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_GT(handle, 0) << "the piece itself is fine";
    EXPECT_EQ(MixedLoudness(), 0);
    EXPECT_NE(warnings.find("volley: no music: cannot load the soundfont /nowhere/Chosen.sf2\n"),
              std::string::npos)
        << warnings;
    EXPECT_LE(CountLines(warnings), 1 + 3) << "FluidSynth's own words are few" << warnings;
}

TEST(SdlWithoutAudioDevice, MissingDeviceIsReportedOnceAndEverythingStaysSilent) {
    ASSERT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    SdlAudio audio;
    SdlSound sound(audio);
    SdlMusic music(audio);
    const Bytes beep = SineWavImage(440, 100);
    {
        testing::ScopedEnvironment driver("SDL_AUDIODRIVER", "volley_no_such_driver");
        ::testing::internal::CaptureStderr();
        music.Open();
        sound.PlayEffect(beep);
        music.Preload("/nowhere/Tune.mid");
        const int handle = music.Load("/nowhere/Tune.mid");
        music.Play(handle);
        music.Free(handle);
        music.Stop();
        const std::string warnings = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(handle, 0);
        ExpectOneWarning(warnings, "volley: no sound: ");
    }
    // Once refused, the device is not asked for again, even where it could now be had.
    sound.PlayEffect(beep);
    music.Open();
    EXPECT_FALSE(DeviceOpen());
    music.Close();
}

}  // namespace
}  // namespace volley
