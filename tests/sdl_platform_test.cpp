// The SDL services, run on SDL's dummy video driver (set by the test runner) and the fonts of
// this machine. Every test builds its own platform and tears it down, so SDL starts afresh.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "platform/sdl/label_font.h"
#include "platform/sdl/present_path.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_window.h"
#include "test_game.h"

namespace volley {
namespace {

class SdlPlatformTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        platform_ = SdlPlatform::Create(error);
        ASSERT_NE(platform_, nullptr) << error;
    }

    Platform Services() { return platform_->Services(); }

    static void PushKey(Uint32 type, SDL_Scancode scancode, SDL_Keycode keycode) {
        SDL_Event event{};
        event.type = type;
        event.key.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.scancode = scancode;
        event.key.keysym.sym = keycode;
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }
    static void PushKeyDown(SDL_Scancode scancode) {
        PushKey(SDL_KEYDOWN, scancode, SDL_GetKeyFromScancode(scancode));
    }
    static void PushKeyUp(SDL_Scancode scancode) {
        PushKey(SDL_KEYUP, scancode, SDL_GetKeyFromScancode(scancode));
    }
    static void PushWindowEvent(SDL_WindowEventID id) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = id;
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }

    std::unique_ptr<SdlPlatform> platform_;
};

// Keys.

using SdlKeyboardTest = SdlPlatformTest;

TEST_F(SdlKeyboardTest, TapWithinOneFrameCountsAtTheNextQueryOnly) {
    PushKeyDown(SDL_SCANCODE_Z);
    PushKeyUp(SDL_SCANCODE_Z);
    ASSERT_FALSE(Services().events.Pump());
    EXPECT_TRUE(Services().keys.Query(GameKey::Z));
    EXPECT_FALSE(Services().keys.Query(GameKey::Z));
}

TEST_F(SdlKeyboardTest, HeldKeyStaysDownUntilReleased) {
    PushKeyDown(SDL_SCANCODE_LEFT);
    Services().events.Pump();
    EXPECT_TRUE(Services().keys.Query(GameKey::Left));
    EXPECT_TRUE(Services().keys.Query(GameKey::Left));
    Services().events.Pump();
    EXPECT_TRUE(Services().keys.Query(GameKey::Left));
    PushKeyUp(SDL_SCANCODE_LEFT);
    Services().events.Pump();
    EXPECT_FALSE(Services().keys.Query(GameKey::Left));
}

TEST_F(SdlKeyboardTest, TapOfOneKeyLeavesTheOthersAlone) {
    PushKeyDown(SDL_SCANCODE_Z);
    PushKeyUp(SDL_SCANCODE_Z);
    Services().events.Pump();
    EXPECT_FALSE(Services().keys.Query(GameKey::X));
    EXPECT_FALSE(Services().keys.Query(GameKey::Escape));
    EXPECT_FALSE(Services().keys.Query(GameKey::Up));
    // Asking about other keys must not use up this key's press.
    EXPECT_TRUE(Services().keys.Query(GameKey::Z));
}

TEST_F(SdlKeyboardTest, EachGameKeyHasItsOwnPlace) {
    const std::pair<SDL_Scancode, GameKey> places[] = {{SDL_SCANCODE_ESCAPE, GameKey::Escape},
                                                       {SDL_SCANCODE_LEFT, GameKey::Left},
                                                       {SDL_SCANCODE_UP, GameKey::Up},
                                                       {SDL_SCANCODE_RIGHT, GameKey::Right},
                                                       {SDL_SCANCODE_DOWN, GameKey::Down},
                                                       {SDL_SCANCODE_X, GameKey::X},
                                                       {SDL_SCANCODE_Z, GameKey::Z}};
    for (const auto& [scancode, key] : places) {
        PushKeyDown(scancode);
        PushKeyUp(scancode);
        Services().events.Pump();
        for (const auto& [otherScancode, other] : places) {
            EXPECT_EQ(Services().keys.Query(other), other == key)
                << SDL_GetScancodeName(scancode) << " seen as "
                << SDL_GetScancodeName(otherScancode);
        }
    }
}

TEST_F(SdlKeyboardTest, KeysAreReadByPositionNotByLetter) {
    // A German layout prints Y where English prints Z: the key at Z's place is still the game's Z.
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_Z, SDLK_y);
    Services().events.Pump();
    EXPECT_TRUE(Services().keys.Query(GameKey::Z));
    PushKey(SDL_KEYUP, SDL_SCANCODE_Z, SDLK_y);
    // And the key printed Z, in Y's place, is not.
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_Y, SDLK_z);
    Services().events.Pump();
    EXPECT_FALSE(Services().keys.Query(GameKey::Z));
}

TEST_F(SdlKeyboardTest, RemappedKeysReplaceTheArrowsZAndXButNotEscapeOrPause) {
    platform_->SetKeyBindings({KeyPlace{SDL_SCANCODE_A}, KeyPlace{SDL_SCANCODE_W},
                               KeyPlace{SDL_SCANCODE_D}, KeyPlace{SDL_SCANCODE_S},
                               KeyPlace{SDL_SCANCODE_J}, KeyPlace{SDL_SCANCODE_K}});
    const std::pair<SDL_Scancode, GameKey> places[] = {
        {SDL_SCANCODE_A, GameKey::Left},        {SDL_SCANCODE_W, GameKey::Up},
        {SDL_SCANCODE_D, GameKey::Right},       {SDL_SCANCODE_S, GameKey::Down},
        {SDL_SCANCODE_J, GameKey::Z},           {SDL_SCANCODE_K, GameKey::X},
        {SDL_SCANCODE_ESCAPE, GameKey::Escape}, {SDL_SCANCODE_P, GameKey::Pause}};
    for (const auto& [scancode, key] : places) {
        PushKeyDown(scancode);
        PushKeyUp(scancode);
        Services().events.Pump();
        EXPECT_TRUE(Services().keys.Query(key)) << SDL_GetScancodeName(scancode);
    }
    for (SDL_Scancode old : {SDL_SCANCODE_LEFT, SDL_SCANCODE_Z, SDL_SCANCODE_X}) {
        PushKeyDown(old);
        Services().events.Pump();
    }
    for (GameKey key : {GameKey::Left, GameKey::Z, GameKey::X}) {
        EXPECT_FALSE(Services().keys.Query(key)) << "the old keys no longer play";
    }
}

TEST_F(SdlKeyboardTest, LosingFocusReleasesHeldKeysButKeepsThePress) {
    PushKeyDown(SDL_SCANCODE_RIGHT);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    Services().events.Pump();
    EXPECT_TRUE(Services().keys.Query(GameKey::Right));
    EXPECT_FALSE(Services().keys.Query(GameKey::Right));
}

// Closing.

using SdlEventsTest = SdlPlatformTest;

TEST_F(SdlEventsTest, NothingPendingKeepsTheGameRunning) {
    EXPECT_FALSE(Services().events.Pump());
    EXPECT_FALSE(Services().events.Pump());
}

TEST_F(SdlEventsTest, QuitEventClosesForGood) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    EXPECT_TRUE(Services().events.Pump());
    EXPECT_TRUE(Services().events.Pump());
}

TEST_F(SdlEventsTest, WindowCloseButtonCloses) {
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    EXPECT_TRUE(Services().events.Pump());
}

TEST_F(SdlEventsTest, KeysBeforeTheCloseAreStillSeen) {
    PushKeyDown(SDL_SCANCODE_ESCAPE);
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    EXPECT_TRUE(Services().events.Pump());
    EXPECT_TRUE(Services().keys.Query(GameKey::Escape));
}

TEST_F(SdlEventsTest, SecondPlatformIsRefusedWhileOneExists) {
    std::string error;
    EXPECT_EQ(SdlPlatform::Create(error), nullptr);
    EXPECT_FALSE(error.empty());
}

TEST_F(SdlEventsTest, HangupFromAnEarlierPlatformDoesNotCloseTheNext) {
    std::raise(SIGHUP);
    EXPECT_TRUE(Services().events.Pump());
    platform_.reset();
    std::string error;
    platform_ = SdlPlatform::Create(error);
    ASSERT_NE(platform_, nullptr) << error;
    EXPECT_FALSE(Services().events.Pump());
}

class SdlSignalTest : public SdlPlatformTest, public ::testing::WithParamInterface<int> {};

TEST_P(SdlSignalTest, TerminationSignalClosesInsteadOfKilling) {
    ASSERT_FALSE(Services().events.Pump());
    ASSERT_EQ(std::raise(GetParam()), 0);
    EXPECT_TRUE(Services().events.Pump());
    EXPECT_TRUE(Services().events.Pump());
}

INSTANTIATE_TEST_SUITE_P(SdlTermination, SdlSignalTest, ::testing::Values(SIGHUP, SIGINT, SIGTERM));

// Time.

using SdlClockTest = SdlPlatformTest;

TEST_F(SdlClockTest, SleepGivesAwayAboutTheTimeAsked) {
    Clock& clock = Services().clock;
    const auto before = std::chrono::steady_clock::now();
    const uint32_t startMs = clock.NowMs();
    clock.Sleep(30);
    const uint32_t sleptMs = clock.NowMs() - startMs;
    const auto measured = std::chrono::steady_clock::now() - before;
    EXPECT_GE(measured, std::chrono::milliseconds(30));
    // The clock's reading follows real time to within its millisecond resolution.
    EXPECT_GE(sleptMs, 29u);
    EXPECT_LE(sleptMs, std::chrono::duration_cast<std::chrono::milliseconds>(measured).count() + 1);
}

// Text.

TEST(SdlLabelFontTest, FindsAFaceThatShowsKana) {
    const FontChoice choice = FindLabelFont();
    EXPECT_TRUE(choice.CoversKana);
    ASSERT_FALSE(choice.Path.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(choice.Path)) << choice.Path;
}

TEST(SdlLabelFontTest, PrefersTheProportionalIpaGothic) {
    if (!std::filesystem::exists("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf")) {
        GTEST_SKIP() << "IPA P Gothic is not installed";
    }
    const FontChoice choice = FindLabelFont();
    EXPECT_EQ(std::filesystem::path(choice.Path).filename(), "ipagp.ttf");
    // IPA P Gothic comes in one regular weight only.
    EXPECT_TRUE(choice.SynthesizeBold);
}

using SdlTextTest = SdlPlatformTest;

int CountCovered(const TextImage& image) {
    return static_cast<int>(std::count_if(image.Coverage.begin(), image.Coverage.end(),
                                          [](uint8_t c) { return c != 0; }));
}

TEST_F(SdlTextTest, KanaRenderAsVisiblePixels) {
    TextImage image;
    Services().text.Render("みるてぃあ", 64, image);
    ASSERT_GT(image.Width, 0);
    EXPECT_GE(image.Height, 64);
    ASSERT_EQ(image.Coverage.size(), static_cast<size_t>(image.Width) * image.Height);
    EXPECT_GT(CountCovered(image), image.Width);
    // Thick strokes have fully covered pixels inside them.
    EXPECT_EQ(*std::max_element(image.Coverage.begin(), image.Coverage.end()), 255);
    // Five characters of a 64-pixel em are far wider than one em and narrower than six.
    EXPECT_GT(image.Width, 2 * 64);
    EXPECT_LT(image.Width, 6 * 64);
}

TEST_F(SdlTextTest, LongerTextIsWider) {
    TextImage one;
    TextImage two;
    TextImage five;
    Services().text.Render("み", 48, one);
    Services().text.Render("みる", 48, two);
    Services().text.Render("みるてぃあ", 48, five);
    EXPECT_LT(one.Width, two.Width);
    EXPECT_LT(two.Width, five.Width);
    EXPECT_EQ(one.Height, five.Height);
}

TEST_F(SdlTextTest, LargerSizesGiveLargerImages) {
    TextImage small;
    TextImage medium;
    TextImage large;
    Services().text.Render("SCORE", 21, small);
    Services().text.Render("SCORE", 48, medium);
    Services().text.Render("SCORE", 64, large);
    EXPECT_LT(small.Width, medium.Width);
    EXPECT_LT(medium.Width, large.Width);
    EXPECT_GE(small.Height, 21);
    EXPECT_LT(small.Height, medium.Height);
    EXPECT_LT(medium.Height, large.Height);
}

TEST_F(SdlTextTest, EmptyTextIsALineWithNoWidth) {
    TextImage text;
    TextImage empty;
    Services().text.Render("あ", 21, text);
    empty.Width = 5;
    empty.Coverage.assign(7, 1);
    Services().text.Render("", 21, empty);
    EXPECT_EQ(empty.Width, 0);
    EXPECT_EQ(empty.Height, text.Height);
    EXPECT_TRUE(empty.Coverage.empty());
}

TEST_F(SdlTextTest, ReusedImageTakesTheSizeOfTheNewText) {
    TextImage image;
    Services().text.Render("みるてぃあ", 64, image);
    const int longWidth = image.Width;
    Services().text.Render("あ", 64, image);
    EXPECT_LT(image.Width, longWidth);
    EXPECT_EQ(image.Coverage.size(), static_cast<size_t>(image.Width) * image.Height);
}

TEST_F(SdlTextTest, BoldFaceCoversMoreThanTheRegularWeight) {
    const FontChoice choice = FindLabelFont();
    if (!choice.SynthesizeBold) {
        GTEST_SKIP() << "the face found is bold by itself";
    }
    TextImage bold;
    Services().text.Render("みるてぃあ", 64, bold);
    TTF_Font* regular = TTF_OpenFontIndex(choice.Path.c_str(), 64, choice.Index);
    ASSERT_NE(regular, nullptr) << TTF_GetError();
    SDL_Surface* plain =
        TTF_RenderUTF8_Blended(regular, "みるてぃあ", SDL_Color{255, 255, 255, 255});
    ASSERT_NE(plain, nullptr) << TTF_GetError();
    int plainCovered = 0;
    for (int y = 0; y < plain->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(plain->pixels) + static_cast<size_t>(y) * plain->pitch);
        plainCovered += static_cast<int>(
            std::count_if(row, row + plain->w, [](uint32_t p) { return (p >> 24) != 0; }));
    }
    SDL_FreeSurface(plain);
    TTF_CloseFont(regular);
    EXPECT_GT(CountCovered(bold), plainCovered * 11 / 10);
}

// The window.

constexpr int kClientWidth = 445;
constexpr int kClientHeight = 586;
// The band and the play surface as the game hands them over: the play surface reaches past the
// client area's right and bottom edges.
constexpr int kBandHeight = 79;
constexpr int kPlayWidth = 451;
constexpr int kPlayHeight = 532;
constexpr Pixel kOutside = MakePixel(255, 0, 255);

WindowSpec GameWindowSpec(const Surface* icon = nullptr) {
    WindowSpec request;
    request.Caption = "みるてぃあ";
    request.ClientWidth = kClientWidth;
    request.ClientHeight = kClientHeight;
    request.Icon = icon;
    return request;
}

Pixel GradientAt(int x, int y) {
    return MakePixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(x ^ y));
}

// The window's picture in its two parts, a gradient across both; what the play surface holds
// outside the client area is magenta.
struct GradientPicture {
    GradientPicture() {
        for (int y = 0; y < band.Height; ++y) {
            for (int x = 0; x < band.Width; ++x) {
                band.At(x, y) = GradientAt(x, y);
            }
        }
        for (int y = 0; y < play.Height; ++y) {
            for (int x = 0; x < play.Width; ++x) {
                const bool inside = x < kClientWidth && kBandHeight + y < kClientHeight;
                play.At(x, y) = inside ? GradientAt(x, kBandHeight + y) : kOutside;
            }
        }
    }
    Surface band{kClientWidth, kBandHeight};
    Surface play{kPlayWidth, kPlayHeight};
};

// Reads one pixel of the window as last shown, as 0x00RRGGBB: from the renderer's output, or
// from the window surface.
Pixel ShownPixel(SDL_Window* window, int x, int y) {
    if (SDL_Renderer* renderer = SDL_GetRenderer(window)) {
        uint32_t argb = 0;
        const SDL_Rect one{x, y, 1, 1};
        if (SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_ARGB8888, &argb, 4) != 0) {
            ADD_FAILURE() << SDL_GetError();
        }
        return argb & 0xFFFFFF;
    }
    const SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr || x >= surface->w || y >= surface->h) {
        ADD_FAILURE() << "no window surface at " << x << "," << y;
        return kOutside;
    }
    const auto* row =
        static_cast<const uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch;
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
}

using SdlWindowTest = SdlPlatformTest;

TEST_F(SdlWindowTest, OpensAndPresentsAtTheGameSize) {
    std::string error;
    ASSERT_TRUE(Services().window.Open(GameWindowSpec(), error)) << error;
    const GradientPicture picture;
    Services().window.Present(picture.band, picture.play);
    Services().window.Present(picture.band, picture.play);
    EXPECT_FALSE(Services().events.Pump());
}

// Without a display neither the platform nor a window comes up, each with the reason, and a later
// try on a display still works.
TEST(SdlWithoutDisplay, NeitherThePlatformNorAWindowComesUp) {
    struct Case {
        const char* driver;
        const char* errorHas;
    };
    for (const Case& c :
         {Case{nullptr, "no display"}, Case{"no_such_display", "no_such_display"}}) {
        SCOPED_TRACE(c.driver != nullptr ? c.driver : "no driver named");
        std::string windowError;
        std::string platformError;
        bool windowOpened = false;
        bool platformMade = false;
        {
            testing::ScopedEnvironment driver("SDL_VIDEODRIVER", c.driver);
            testing::ScopedEnvironment x11("DISPLAY", nullptr);
            testing::ScopedEnvironment wayland("WAYLAND_DISPLAY", nullptr);
            {
                sdl::SdlWindow window;
                windowOpened = window.Open(GameWindowSpec(), windowError);
            }
            platformMade = SdlPlatform::Create(platformError) != nullptr;
        }
        EXPECT_FALSE(windowOpened);
        EXPECT_FALSE(platformMade);
        EXPECT_NE(windowError.find(c.errorHas), std::string::npos) << windowError;
        EXPECT_NE(platformError.find(c.errorHas), std::string::npos) << platformError;
        sdl::SdlWindow later;
        std::string error;
        EXPECT_TRUE(later.Open(GameWindowSpec(), error)) << error;
    }
}

TEST_F(SdlWindowTest, WindowHasTheCaptionAndFixedClientSize) {
    sdl::SdlWindow window;
    std::string error;
    ASSERT_TRUE(window.Open(GameWindowSpec(), error)) << error;
    SDL_Window* handle = window.Handle();
    ASSERT_NE(handle, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(handle), "みるてぃあ");
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(handle, &width, &height);
    EXPECT_EQ(width, kClientWidth);
    EXPECT_EQ(height, kClientHeight);
    EXPECT_EQ(SDL_GetWindowFlags(handle) & SDL_WINDOW_RESIZABLE, 0u);
    EXPECT_NE(SDL_GetWindowFlags(handle) & SDL_WINDOW_SHOWN, 0u);
}

// Both ways of presenting, forced by VOLLEY_PRESENT: on the dummy video driver the renderer is
// SDL's software one, which still takes the path of the texture upload and its scaling.
class SdlPresentTest : public SdlPlatformTest,
                       public ::testing::WithParamInterface<sdl::PresentPath> {
  protected:
    static const char* Name(sdl::PresentPath path) {
        return path == sdl::PresentPath::Surface ? "surface" : "renderer";
    }
    testing::ScopedEnvironment present_{"VOLLEY_PRESENT", Name(GetParam())};
};

TEST_P(SdlPresentTest, ThePictureShowsUnchangedAndNothingPastTheClientArea) {
    sdl::SdlWindow window;
    std::string error;
    ASSERT_TRUE(window.Open(GameWindowSpec(), error)) << error;
    EXPECT_EQ(window.Path(), GetParam());
    const GradientPicture picture;
    window.Present(picture.band, picture.play);
    const std::pair<int, int> probes[] = {{0, 0},
                                          {kClientWidth - 1, 0},
                                          {0, kBandHeight - 1},
                                          {0, kBandHeight},
                                          {200, 300},
                                          {0, 585},
                                          {kClientWidth - 1, kClientHeight - 1}};
    for (const auto& [x, y] : probes) {
        EXPECT_EQ(ShownPixel(window.Handle(), x, y), GradientAt(x, y)) << x << "," << y;
    }
}

TEST_P(SdlPresentTest, EachPixelBecomesASquareOfTheScale) {
    for (int scale : {2, 3}) {
        SCOPED_TRACE(scale);
        sdl::SdlWindow window;
        window.SetOpening(scale, false);
        std::string error;
        ASSERT_TRUE(window.Open(GameWindowSpec(), error)) << error;
        const GradientPicture picture;
        window.Present(picture.band, picture.play);
        for (const auto& [x, y] : {std::pair{0, 0}, {100, 78}, {100, 79}, {444, 585}}) {
            for (int corner : {0, scale - 1}) {
                EXPECT_EQ(ShownPixel(window.Handle(), x * scale + corner, y * scale + corner),
                          GradientAt(x, y))
                    << x << "," << y << " corner " << corner;
            }
        }
    }
}

TEST_P(SdlPresentTest, FullscreenCentresThePictureOnBlackAndTheWindowComesBack) {
    sdl::SdlWindow window;
    std::string error;
    ASSERT_TRUE(window.Open(GameWindowSpec(), error)) << error;
    const GradientPicture picture;
    window.Present(picture.band, picture.play);
    window.ToggleFullscreen();
    Services().events.Pump();  // the change of size arrives as an event
    window.Present(picture.band, picture.play);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window.Handle(), &width, &height);
    ASSERT_GT(width, kClientWidth) << "the dummy driver's desktop is 1024 x 768";
    const int left = (width - kClientWidth) / 2;
    const int top = (height - kClientHeight) / 2;
    EXPECT_EQ(ShownPixel(window.Handle(), 0, 0), kBlack);
    EXPECT_EQ(ShownPixel(window.Handle(), left - 1, top), kBlack);
    EXPECT_EQ(ShownPixel(window.Handle(), left, top), GradientAt(0, 0));
    EXPECT_EQ(ShownPixel(window.Handle(), left + 200, top + 300), GradientAt(200, 300));
    window.ToggleFullscreen();
    Services().events.Pump();
    window.Present(picture.band, picture.play);
    EXPECT_EQ(ShownPixel(window.Handle(), 0, 0), GradientAt(0, 0));
}

INSTANTIATE_TEST_SUITE_P(BothPaths, SdlPresentTest,
                         ::testing::Values(sdl::PresentPath::Surface, sdl::PresentPath::Renderer));

TEST_F(SdlWindowTest, AnUnknownPresentPathIsNamedOnceAndTheMachineDecides) {
    testing::ScopedEnvironment present("VOLLEY_PRESENT", "opengl");
    sdl::SdlWindow window;
    std::string error;
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(window.Open(GameWindowSpec(), error)) << error;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "volley: VOLLEY_PRESENT=opengl is not surface, renderer or auto; the machine "
              "decides\n");
    if (!sdl::HasGraphicsDevice()) {
        EXPECT_EQ(window.Path(), sdl::PresentPath::Surface);
    }
}

TEST(SdlPresentPathTest, ChoicesAndSoftwareRasterisersAreRecognised) {
    std::string error;
    EXPECT_EQ(sdl::ForcedPresentPath("surface", error), sdl::PresentPath::Surface);
    EXPECT_EQ(sdl::ForcedPresentPath("renderer", error), sdl::PresentPath::Renderer);
    for (const char* none : {static_cast<const char*>(nullptr), "", "auto"}) {
        EXPECT_EQ(sdl::ForcedPresentPath(none, error), std::nullopt);
    }
    EXPECT_TRUE(error.empty()) << error;
    EXPECT_EQ(sdl::ForcedPresentPath("Surface", error), std::nullopt) << "names are exact";
    EXPECT_FALSE(error.empty());
    for (const char* software :
         {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer", "swrast"}) {
        EXPECT_TRUE(sdl::IsSoftwareRasteriser(software)) << software;
    }
    for (const char* hardware : {"AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)",
                                 "NVIDIA GeForce GTX 1080/PCIe/SSE2", "Mesa Intel(R) UHD 620"}) {
        EXPECT_FALSE(sdl::IsSoftwareRasteriser(hardware)) << hardware;
    }
}

TEST_F(SdlWindowTest, PresentBeforeOpenIsHarmless) {
    const GradientPicture picture;
    Services().window.Present(picture.band, picture.play);
    EXPECT_FALSE(Services().events.Pump());
}

TEST_F(SdlWindowTest, SecondOpenIsRefused) {
    std::string error;
    ASSERT_TRUE(Services().window.Open(GameWindowSpec(), error)) << error;
    EXPECT_FALSE(Services().window.Open(GameWindowSpec(), error));
    EXPECT_FALSE(error.empty());
}

TEST_F(SdlWindowTest, OpensWithAnIcon) {
    Surface icon(32, 32, kBlack);
    icon.At(10, 10) = kWhite;
    std::string error;
    EXPECT_TRUE(Services().window.Open(GameWindowSpec(&icon), error)) << error;
}

TEST(SdlIconTest, SeeThroughColourBecomesTransparent) {
    Surface icon(3, 2, MakePixel(1, 2, 3));
    icon.At(1, 0) = MakePixel(255, 0, 255);
    icon.At(2, 1) = MakePixel(255, 0, 255);
    const sdl::SurfacePtr surface = sdl::MakeIconSurface(icon, MakePixel(255, 0, 255));
    ASSERT_NE(surface, nullptr) << SDL_GetError();
    ASSERT_EQ(surface->format->format, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_EQ(surface->w, 3);
    ASSERT_EQ(surface->h, 2);
    auto argbAt = [&](int x, int y) {
        return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) +
                                                 static_cast<size_t>(y) * surface->pitch)[x];
    };
    EXPECT_EQ(argbAt(0, 0), 0xFF010203u);
    EXPECT_EQ(argbAt(1, 0) >> 24, 0u);
    EXPECT_EQ(argbAt(2, 0), 0xFF010203u);
    EXPECT_EQ(argbAt(0, 1), 0xFF010203u);
    EXPECT_EQ(argbAt(2, 1) >> 24, 0u);
}

}  // namespace
}  // namespace volley
