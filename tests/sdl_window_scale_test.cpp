#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/window_scale.h"

namespace volley::sdl {
namespace {

TEST(WindowScale, TheLargestWholeScaleThatFitsTheScreen) {
    EXPECT_EQ(LargestFittingScale(445, 586, 1920, 1050), 1) << "a 1080p screen with a panel";
    EXPECT_EQ(LargestFittingScale(445, 586, 1920, 1172), 2) << "exactly twice as high fits";
    EXPECT_EQ(LargestFittingScale(445, 586, 1920, 1171), 1);
    EXPECT_EQ(LargestFittingScale(445, 586, 3840, 2110), 3) << "a 4K screen";
    EXPECT_EQ(LargestFittingScale(445, 586, 300, 200), 1) << "never below 1";
    EXPECT_EQ(LargestFittingScale(445, 586, 100000, 100000), kMaxScale);
}

TEST(WindowScale, TheWindowOpensAtTheChosenScale) {
    for (int scale : {1, 2, 3}) {
        SdlWindow window;
        window.SetOpening(scale, false);
        WindowSpec request;
        request.Caption = "scale";
        request.ClientWidth = 445;
        request.ClientHeight = 586;
        std::string error;
        ASSERT_TRUE(window.Open(request, error)) << error;
        int w = 0;
        int h = 0;
        SDL_GetWindowSize(window.Handle(), &w, &h);
        EXPECT_EQ(w, 445 * scale);
        EXPECT_EQ(h, 586 * scale);
        EXPECT_EQ(window.Scale(), scale);
        window.ToggleFullscreen();
        window.ToggleFullscreen();
        window.Present(Surface(445, 79), Surface(451, 532));
    }
}

SDL_KeyboardEvent Key(SDL_Scancode code, Uint16 mod, Uint8 repeat = 0) {
    SDL_KeyboardEvent key{};
    key.type = SDL_KEYDOWN;
    key.repeat = repeat;
    key.keysym.scancode = code;
    key.keysym.mod = mod;
    return key;
}

TEST(WindowScale, FullscreenIsToggledByF11OrAltEnter) {
    EXPECT_TRUE(IsFullscreenToggle(Key(SDL_SCANCODE_F11, KMOD_NONE)));
    EXPECT_TRUE(IsFullscreenToggle(Key(SDL_SCANCODE_RETURN, KMOD_LALT)));
    EXPECT_TRUE(IsFullscreenToggle(Key(SDL_SCANCODE_KP_ENTER, KMOD_RALT)));
    EXPECT_FALSE(IsFullscreenToggle(Key(SDL_SCANCODE_RETURN, KMOD_NONE)));
    EXPECT_FALSE(IsFullscreenToggle(Key(SDL_SCANCODE_F11, KMOD_NONE, 1))) << "not on a repeat";
    EXPECT_FALSE(IsFullscreenToggle(Key(SDL_SCANCODE_Z, KMOD_LALT)));
}

}  // namespace
}  // namespace volley::sdl
