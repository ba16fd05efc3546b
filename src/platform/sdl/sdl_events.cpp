#include "platform/sdl/sdl_events.h"

#include "platform/termination_signals.h"

namespace volley::sdl {

bool SdlEvents::Pump() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        Handle(event);
    }
    if (volley::TerminationSignals::Requested()) {
        closeRequested_ = true;
    }
    return closeRequested_;
}

bool IsFullscreenToggle(const SDL_KeyboardEvent& key) {
    if (key.repeat != 0) {
        return false;
    }
    const SDL_Scancode code = key.keysym.scancode;
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    return code == SDL_SCANCODE_F11 ||
           (alt && (code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER));
}

void SdlEvents::Handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
            // Repeats need no filtering: they only arrive while the key is held anyway.
            keys_.OnKeyDown(event.key.keysym.scancode);
            if (IsFullscreenToggle(event.key)) {
                window_.ToggleFullscreen();
            }
            if (event.key.keysym.scancode == SDL_SCANCODE_F12 && event.key.repeat == 0 &&
                !screenshotFolder_.empty()) {
                window_.SaveScreenshot(screenshotFolder_);
            }
            break;
        case SDL_KEYUP: keys_.OnKeyUp(event.key.keysym.scancode); break;
        case SDL_QUIT: closeRequested_ = true; break;
        case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
        default: break;
    }
}

void SdlEvents::HandleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE: closeRequested_ = true; break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            keys_.ReleaseAll();
            focusLost_ = true;
            break;
        // The window surface is made anew at a change of size, and starts black.
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_EXPOSED: window_.Represent(); break;
        default: break;
    }
}

}  // namespace volley::sdl
