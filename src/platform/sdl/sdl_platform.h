// The platform services backed by SDL2, SDL_ttf and fontconfig. Only the files beside this one
// see SDL; whoever creates the platform gets the plain interfaces of platform.h.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace volley {

class SdlPlatform {
  public:
    // Starts SDL's events, joysticks and SDL_ttf and takes over SIGINT, SIGTERM and SIGHUP so that
    // they ask for a close instead of killing the game. The video subsystem only starts in
    // Window::Open, so a machine without a display still gets a platform and learns why when it
    // opens the window. Returns null with the reason in error; only one platform may exist at a
    // time.
    static std::unique_ptr<SdlPlatform> Create(std::string& error);
    ~SdlPlatform();

    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    // The services, valid for as long as this platform lives.
    Platform Services();

    // How the game's window will open: `scale` times its size (0: the largest that fits the
    // screen), and whether in fullscreen.
    void SetWindowOpening(int scale, bool fullscreen);
    // The keys for left, up, right, down, fire and bomb.
    void SetKeyBindings(const KeyBindingPlaces& places);
    // Loudness of the music and of the effects, 0 to 100; both 0 leaves the sound device alone.
    void SetVolumes(int musicPercent, int effectPercent);
    // Where F12 saves its screenshots.
    void SetScreenshotFolder(const std::string& folder);

    struct Parts;
    // Only Create can make the key, so only Create builds platforms.
    class PassKey {
        friend class SdlPlatform;
        PassKey() = default;
    };
    SdlPlatform(PassKey, std::unique_ptr<Parts> parts);

  private:
    std::unique_ptr<Parts> parts_;
};

}  // namespace volley
