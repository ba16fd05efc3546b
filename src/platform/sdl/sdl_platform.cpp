#include "platform/sdl/sdl_platform.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_joysticks.h"
#include "platform/sdl/sdl_keyboard.h"
#include "platform/sdl/sdl_music.h"
#include "platform/sdl/sdl_sound.h"
#include "platform/sdl/sdl_text.h"
#include "platform/sdl/sdl_window.h"
#include "platform/system_clock.h"
#include "platform/termination_signals.h"

namespace volley {
namespace {

bool gPlatformExists = false;

void SetHintsBeforeStart() {
    // The game handles termination signals itself (see TerminationSignals).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A small window game has no reason to switch off the desktop's compositor.
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // Nor to keep the screen awake while nobody plays.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_APP_NAME, "volley");
}

// SDL and SDL_ttf for the platform's lifetime; stopped after every service built on them is gone.
class SdlSession {
  public:
    SdlSession() = default;
    ~SdlSession() {
        if (ttfStarted_) {
            TTF_Quit();
        }
        if (sdlStarted_) {
            SDL_Quit();
        }
    }
    SdlSession(const SdlSession&) = delete;
    SdlSession& operator=(const SdlSession&) = delete;

    bool Start(std::string& error) {
        SetHintsBeforeStart();
        if (SDL_Init(SDL_INIT_EVENTS) != 0) {
            error = std::string("cannot start SDL: ") + SDL_GetError();
            return false;
        }
        sdlStarted_ = true;
        // Before anything else is opened: without a display there is no game to play.
        if (!sdl::StartVideo(error)) {
            return false;
        }
        // Joysticks are a bonus: where they cannot be had, there are simply none and the game is
        // played on the keyboard.
        SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
        if (TTF_Init() != 0) {
            error = std::string("cannot start SDL_ttf: ") + TTF_GetError();
            return false;
        }
        ttfStarted_ = true;
        return true;
    }

  private:
    bool sdlStarted_ = false;
    bool ttfStarted_ = false;
};

}  // namespace

// Members are destroyed bottom up: the services first, then SDL, then the signal handlers.
struct SdlPlatform::Parts {
    TerminationSignals signals;
    SdlSession session;
    SystemClock clock;
    sdl::SdlKeyboard keys;
    sdl::SdlTextRenderer text;
    sdl::SdlWindow window;
    sdl::SdlJoysticks joysticks;
    sdl::SdlAudio audio;
    sdl::SdlSound sound{audio};
    sdl::SdlMusic music{audio};
    sdl::SdlEvents events{keys, window};
};

std::unique_ptr<SdlPlatform> SdlPlatform::Create(std::string& error) {
    if (gPlatformExists) {
        error = "an SDL platform already exists";
        return nullptr;
    }
    auto parts = std::make_unique<Parts>();
    if (!parts->session.Start(error)) {
        return nullptr;
    }
    return std::make_unique<SdlPlatform>(PassKey{}, std::move(parts));
}

SdlPlatform::SdlPlatform(PassKey, std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {
    gPlatformExists = true;
}

SdlPlatform::~SdlPlatform() {
    parts_.reset();
    gPlatformExists = false;
}

void SdlPlatform::SetWindowOpening(int scale, bool fullscreen) {
    parts_->window.SetOpening(scale, fullscreen);
}

void SdlPlatform::SetKeyBindings(const KeyBindingPlaces& places) {
    sdl::KeyBindings bindings{};
    for (size_t i = 0; i < bindings.size(); ++i) {
        bindings[i] = static_cast<SDL_Scancode>(places[i]);
    }
    parts_->keys.SetBindings(bindings);
}

void SdlPlatform::SetVolumes(int musicPercent, int effectPercent) {
    parts_->audio.SetVolumes(musicPercent, effectPercent);
}

void SdlPlatform::SetScreenshotFolder(const std::string& folder) {
    parts_->events.SetScreenshotFolder(folder);
}

Platform SdlPlatform::Services() {
    return Platform{parts_->clock,  parts_->keys,      parts_->events, parts_->text,
                    parts_->window, parts_->joysticks, parts_->sound,  parts_->music};
}

}  // namespace volley
