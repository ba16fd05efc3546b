#include "platform/sdl/sdl_display.h"

#include <SDL.h>

namespace volley::sdl {

namespace {

constexpr const char* kNoDisplay =
    "no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set)";

bool Set(const char* name) {
    const char* value = SDL_getenv(name);
    return value != nullptr && *value != '\0';
}

bool AskedFor(const std::string& driver) {
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    return asked != nullptr && SDL_strcasecmp(asked, driver.c_str()) == 0;
}

}  // namespace

bool StartVideo(std::string& error) {
    // Not even tried: the display libraries would only add their own complaints to the line.
    if (!Set("SDL_VIDEODRIVER") && !Set("DISPLAY") && !Set("WAYLAND_DISPLAY")) {
        error = kNoDisplay;
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("no display for the window: ") + SDL_GetError();
        return false;
    }
    const char* current = SDL_GetCurrentVideoDriver();
    const std::string driver = current != nullptr ? current : "";
    if ((driver == "offscreen" || driver == "dummy") && !AskedFor(driver)) {
        // SDL fell back to drawing nowhere: the display named could not be opened.
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        const char* named = Set("DISPLAY") ? SDL_getenv("DISPLAY") : SDL_getenv("WAYLAND_DISPLAY");
        error = named != nullptr ? std::string("could not open the display ") + named : kNoDisplay;
        return false;
    }
    return true;
}

}  // namespace volley::sdl
