// The game's one window: a fixed-size client area showing the game's own picture.
#pragma once

#include "platform/platform.h"
#include "platform/sdl/sdl_handles.h"

namespace volley::sdl {

// The icon as SDL wants it: ARGB with the see-through colour fully transparent. Null when SDL
// cannot make the surface.
SurfacePtr MakeIconSurface(const Surface& icon, Pixel transparent);

class SdlWindow final : public Window {
  public:
    SdlWindow() = default;
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    bool Open(const WindowSpec& request, std::string& error) override;
    void Present(const Surface& image) override;

    // Shows the last presented picture again, for when the window system lost what was shown.
    void Represent();
    // The SDL window while open, null before; lets checks look at what the window system got.
    SDL_Window* Handle() const { return window_.get(); }

  private:
    bool CreateParts(const WindowSpec& request, std::string& error);
    void SetIcon(const Surface& icon, Pixel transparent);
    void Close();

    bool videoStarted_ = false;
    int width_ = 0;
    int height_ = 0;
    WindowPtr window_;
    RendererPtr renderer_;
    TexturePtr texture_;
};

}  // namespace volley::sdl
