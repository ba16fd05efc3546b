// Reads what the window system and the process's signals have sent.
#pragma once

#include <SDL_events.h>

#include <string>

#include "platform/platform.h"
#include "platform/sdl/sdl_keyboard.h"
#include "platform/sdl/sdl_window.h"

namespace volley::sdl {

// F11, or Alt with Enter: the window goes to fullscreen and back.
bool IsFullscreenToggle(const SDL_KeyboardEvent& key);

class SdlEvents final : public Events {
  public:
    SdlEvents(SdlKeyboard& keys, SdlWindow& window) : keys_(keys), window_(window) {}
    // Where F12 puts its screenshots; none are taken while this is empty.
    void SetScreenshotFolder(std::string folder) { screenshotFolder_ = std::move(folder); }
    bool Pump() override;
    bool TakeFocusLoss() override {
        const bool lost = focusLost_;
        focusLost_ = false;
        return lost;
    }

  private:
    void Handle(const SDL_Event& event);
    void HandleWindowEvent(const SDL_WindowEvent& event);

    SdlKeyboard& keys_;
    SdlWindow& window_;
    std::string screenshotFolder_;
    bool closeRequested_ = false;
    bool focusLost_ = false;
};

}  // namespace volley::sdl
