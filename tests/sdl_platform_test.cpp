// The SDL services, run on SDL's dummy video driver (set by the test runner) and the fonts of
// this machine. Every test builds its own platform and tears it down, so SDL starts afresh.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "platform/sdl/label_font.h"
#include "platform/sdl/present_path.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/window_scale.h"
#include "test_game.h"

namespace volley {
namespace {

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

    // The key at the place of scancode, whatever the layout prints on it.
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
    static void PushWindowEvent(Uint8 id) {
        SDL_Event event{};
        event.window.type = SDL_WINDOWEVENT;
        event.window.event = id;
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }

    std::unique_ptr<SdlPlatform> platform_;
};

// The places (SDL's key names) of Escape, Left, Up, Right, Down, Z, X and Pause tap their game
// key and no other, once. Keys are read by their place: each is pushed as the letter Y prints.
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

TEST_F(SdlPlatformTest, EachKeyPlaceIsOneGameKeyAndRemappingMovesAllButEscapeAndPause) {
    ExpectPlaces(*this, {"Escape", "Left", "Up", "Right", "Down", "Z", "X", "P"});
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_Y, SDLK_z);
    Pump();
    EXPECT_FALSE(Services().keys.Query(GameKey::Z)) << "Z printed in Y's place is not Z";
    KeyBindingPlaces places;
    for (size_t i = 0; i < places.size(); ++i) {
        places[i] = KeyPlace{SDL_GetScancodeFromName(std::string(1, "AWDSJK"[i]).c_str())};
    }
    platform_->SetKeyBindings(places);
    ExpectPlaces(*this, {"Escape", "A", "W", "D", "S", "J", "K", "P"});
    for (SDL_Scancode old : {SDL_SCANCODE_LEFT, SDL_SCANCODE_Z, SDL_SCANCODE_X}) {
        PushKey(SDL_KEYDOWN, old);
    }
    Pump();
    for (GameKey key : {GameKey::Left, GameKey::Z, GameKey::X}) {
        EXPECT_FALSE(Services().keys.Query(key)) << "the old keys no longer play";
    }
}

TEST_F(SdlPlatformTest, HeldKeyStaysDownUntilReleasedOrTheFocusGoes) {
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_LEFT);
    Pump();
    EXPECT_TRUE(Services().keys.Query(GameKey::Left));
    Pump();
    EXPECT_TRUE(Services().keys.Query(GameKey::Left));
    PushKey(SDL_KEYUP, SDL_SCANCODE_LEFT);
    Pump();
    EXPECT_FALSE(Services().keys.Query(GameKey::Left));
    // Losing the focus lets go of held keys, but a press not yet asked about still counts.
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_RIGHT);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    Pump();
    EXPECT_TRUE(Services().keys.Query(GameKey::Right));
    EXPECT_FALSE(Services().keys.Query(GameKey::Right));
}

// Each way of closing closes for good, keys pressed before it still count, and a platform made
// after a signal starts open: a hangup left over must not close the next game.
TEST_F(SdlPlatformTest, QuitWindowCloseAndTerminationSignalsClose) {
    const std::pair<const char*, std::function<void()>> closings[] = {
        {"SIGHUP", [] { std::raise(SIGHUP); }},
        {"quit",
         [] {
             SDL_Event quit{};
             quit.type = SDL_QUIT;
             SDL_PushEvent(&quit);
         }},
        {"SIGINT", [] { std::raise(SIGINT); }},
        {"window close", [] { PushWindowEvent(SDL_WINDOWEVENT_CLOSE); }},
        {"SIGTERM", [] { std::raise(SIGTERM); }}};
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

TEST_F(SdlPlatformTest, SleepGivesAwayAboutTheTimeAsked) {
    Clock& clock = Services().clock;
    const auto before = std::chrono::steady_clock::now();
    const uint32_t startMs = clock.NowMs();
    clock.Sleep(30);
    const uint32_t sleptMs = clock.NowMs() - startMs;
    const auto measured = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - before);
    EXPECT_GE(measured.count(), 30);
    EXPECT_TRUE(sleptMs >= 29 && sleptMs <= measured.count() + 1) << sleptMs;
}

TEST_F(SdlPlatformTest, KanaRenderVisiblyLongerTextWiderAndLargerSizesLarger) {
    const FontChoice choice = FindLabelFont();
    EXPECT_TRUE(choice.CoversKana);
    if (std::filesystem::exists("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf")) {
        EXPECT_EQ(std::filesystem::path(choice.Path).filename(), "ipagp.ttf");
        EXPECT_TRUE(choice.SynthesizeBold) << "IPA P Gothic comes in one weight only";
    }
    TextImage five, small, empty;
    Services().text.Render("みるてぃあ", 64, five);
    ASSERT_EQ(five.Coverage.size(), static_cast<size_t>(five.Width) * five.Height);
    EXPECT_TRUE(five.Height >= 64 && five.Width > 2 * 64 && five.Width < 6 * 64) << five.Width;
    EXPECT_GT(
        std::count_if(five.Coverage.begin(), five.Coverage.end(), [](uint8_t c) { return c; }),
        five.Width);
    EXPECT_EQ(*std::max_element(five.Coverage.begin(), five.Coverage.end()), 255);
    if (choice.SynthesizeBold) {  // the one weight is made bold: wider than the face as it comes
        TTF_Font* regular = TTF_OpenFontIndex(choice.Path.c_str(), 64, choice.Index);
        int regularWidth = 0;
        TTF_SizeUTF8(regular, "みるてぃあ", &regularWidth, nullptr);
        TTF_CloseFont(regular);
        EXPECT_GT(five.Width, regularWidth);
    }
    // A smaller size, or a reused image, takes the size of the new text.
    Services().text.Render("みるてぃあ", 21, small);
    EXPECT_TRUE(small.Width < five.Width && small.Height >= 21 && small.Height < five.Height);
    Services().text.Render("みるてぃあ", 21, five);
    EXPECT_EQ(std::make_pair(five.Width, five.Coverage.size()),
              std::make_pair(small.Width, small.Coverage.size()));
    empty.Coverage.assign(7, 1);
    Services().text.Render("", 21, empty);
    EXPECT_EQ(std::make_pair(empty.Width, empty.Height), std::make_pair(0, small.Height));
    EXPECT_TRUE(empty.Coverage.empty());
}

// The window.

constexpr int kClientWidth = 445;
constexpr int kClientHeight = 586;
// The play surface as the game hands it over reaches past the client area's right and bottom.
constexpr int kBandHeight = 79;
constexpr Pixel kOutside = MakePixel(255, 0, 255);

WindowSpec GameWindowSpec(const Surface* icon = nullptr) {
    return {"みるてぃあ", kClientWidth, kClientHeight, icon, kBlack};
}

Pixel GradientAt(int x, int y) {
    return MakePixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(x ^ y));
}

// The window's picture in its two parts, a gradient across both; what the play surface holds
// outside the client area is magenta.
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

// One pixel of the window as last shown, as 0x00RRGGBB: from the renderer's output, or from the
// window surface.
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

// Without a display neither the platform nor a window comes up, each with the reason, and a later
// try on a display still works.
TEST(SdlWithoutDisplay, NeitherThePlatformNorAWindowComesUp) {
    for (const char* driver : {static_cast<const char*>(nullptr), "no_such_display"}) {
        SCOPED_TRACE(driver != nullptr ? driver : "no driver named");
        const std::string reason = driver != nullptr ? driver : "no display";
        std::string windowError, platformError;
        {
            testing::ScopedEnvironment video("SDL_VIDEODRIVER", driver);
            testing::ScopedEnvironment x11("DISPLAY", nullptr);
            testing::ScopedEnvironment wayland("WAYLAND_DISPLAY", nullptr);
            sdl::SdlWindow window;
            EXPECT_FALSE(window.Open(GameWindowSpec(), windowError));
            EXPECT_EQ(SdlPlatform::Create(platformError), nullptr);
        }
        EXPECT_NE(windowError.find(reason), std::string::npos) << windowError;
        EXPECT_NE(platformError.find(reason), std::string::npos) << platformError;
        sdl::SdlWindow later;
        std::string error;
        EXPECT_TRUE(later.Open(GameWindowSpec(), error)) << error;
    }
}

TEST_F(SdlPlatformTest, TheWindowHasItsCaptionIconAndFixedSizeAndOpensOnce) {
    sdl::SdlWindow window;
    const GradientPicture picture;
    window.Present(picture.band, picture.play);  // before the window: harmless
    Surface icon(32, 32, kBlack);                // black, unless marked otherwise, is solid
    std::string error;
    ASSERT_TRUE(window.Open(GameWindowSpec(&icon), error)) << error;
    EXPECT_FALSE(window.Open(GameWindowSpec(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_STREQ(SDL_GetWindowTitle(window.Handle()), "みるてぃあ");
    int width = 0, height = 0;
    SDL_GetWindowSize(window.Handle(), &width, &height);
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(kClientWidth, kClientHeight));
    EXPECT_EQ(SDL_GetWindowFlags(window.Handle()) & (SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN),
              Uint32{SDL_WINDOW_SHOWN});
    EXPECT_FALSE(Pump());
    // The icon's see-through colour becomes transparent.
    icon.At(1, 0) = kOutside;
    const sdl::SurfacePtr argb = sdl::MakeIconSurface(icon, kOutside);
    ASSERT_EQ(argb->format->format, SDL_PIXELFORMAT_ARGB8888);
    EXPECT_EQ(static_cast<const uint32_t*>(argb->pixels)[0], 0xFF000000u);
    EXPECT_EQ(static_cast<const uint32_t*>(argb->pixels)[1], 0u);
}

// Both ways of presenting, forced by VOLLEY_PRESENT: on the dummy video driver the renderer is
// SDL's software one, which still takes the path of the texture upload and its scaling.
class SdlPresentTest : public SdlPlatformTest,
                       public ::testing::WithParamInterface<sdl::PresentPath> {
  protected:
    testing::ScopedEnvironment present_{
        "VOLLEY_PRESENT", GetParam() == sdl::PresentPath::Surface ? "surface" : "renderer"};
};

// Each pixel shows unchanged as a square of the scale, nothing past the client area shows; in
// fullscreen the picture is centred on black, and the window comes back.
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
    for (const auto& [name, path] :
         std::initializer_list<std::pair<const char*, std::optional<sdl::PresentPath>>>{
             {"surface", sdl::PresentPath::Surface},
             {"renderer", sdl::PresentPath::Renderer},
             {nullptr, std::nullopt},
             {"", std::nullopt},
             {"auto", std::nullopt}}) {
        EXPECT_EQ(sdl::ForcedPresentPath(name, error), path) << (name ? name : "unset");
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
    EXPECT_EQ(sdl::LargestFittingScale(445, 586, 1920, 1050), 1) << "1080p with a panel";
    EXPECT_EQ(sdl::LargestFittingScale(445, 586, 1920, 1172), 2) << "exactly twice as high";
    EXPECT_EQ(sdl::LargestFittingScale(445, 586, 1920, 1171), 1);
    EXPECT_EQ(sdl::LargestFittingScale(890, 586, 1779, 2110), 1) << "the width decides";
    EXPECT_EQ(sdl::LargestFittingScale(445, 586, 300, 200), 1) << "never below 1";
    EXPECT_EQ(sdl::LargestFittingScale(445, 586, 100000, 100000), sdl::kMaxScale);
    const struct {
        SDL_Scancode code;
        Uint16 mod;
        Uint8 repeat;
        bool toggles;
    } keys[] = {
        {SDL_SCANCODE_F11, KMOD_NONE, 0, true},      {SDL_SCANCODE_RETURN, KMOD_LALT, 0, true},
        {SDL_SCANCODE_KP_ENTER, KMOD_RALT, 0, true}, {SDL_SCANCODE_RETURN, KMOD_NONE, 0, false},
        {SDL_SCANCODE_F11, KMOD_NONE, 1, false},     {SDL_SCANCODE_Z, KMOD_LALT, 0, false}};
    for (const auto& k : keys) {
        SDL_KeyboardEvent key{};
        key.type = SDL_KEYDOWN;
        key.repeat = k.repeat;
        key.keysym.scancode = k.code;
        key.keysym.mod = k.mod;
        EXPECT_EQ(sdl::IsFullscreenToggle(key), k.toggles) << SDL_GetScancodeName(k.code);
    }
}

}  // namespace
}  // namespace volley
