// The game's one window: a fixed-size client area showing the game's own picture.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "platform/sdl/present_path.h"
#include "platform/sdl/sdl_handles.h"
#include "platform/sdl/window_presenter.h"

namespace volley::sdl {

// The icon as SDL wants it: ARGB with the see-through colour fully transparent. Null when SDL
// cannot make the surface.
SurfacePtr MakeIconSurface(const Surface& icon, Pixel transparent);

// The window opens hidden and is shown once, when the way of presenting has been settled: where
// OpenGL would draw on the processor (no graphics device, or Mesa's software rasteriser) the
// picture goes into the window surface, elsewhere through an accelerated renderer; the
// VOLLEY_PRESENT variable (surface, renderer or auto) overrides the choice.
class SdlWindow final : public Window {
  public:
    SdlWindow() = default;
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    bool Open(const WindowSpec& request, std::string& error) override;
    void Present(const Surface& band, const Surface& play) override;

    // How the window opens: `scale` times the game's size (0: the largest that fits the screen),
    // and whether in fullscreen. Takes effect at Open.
    void SetOpening(int scale, bool fullscreen) {
        scale_ = scale;
        fullscreen_ = fullscreen;
    }
    // Switches between the window and the desktop's fullscreen, where the picture is enlarged by
    // the largest whole number that fits, centred on black.
    void ToggleFullscreen();
    // The whole-number scale the window opened at.
    int Scale() const { return openedScale_; }

    // Saves the last presented picture, at the game's own size, as a PNG file in folder; says on
    // the standard output where, or on the error output why not.
    void SaveScreenshot(const std::string& folder);

    // Shows the last presented picture again, for when the window system lost what was shown.
    void Represent();
    // The SDL window while open, null before; lets checks look at what the window system got.
    SDL_Window* Handle() const { return window_.get(); }
    // The way pictures reach the screen, once open.
    PresentPath Path() const { return presenter_ ? presenter_->Path() : PresentPath::Surface; }

  private:
    bool CreateParts(const WindowSpec& request, std::string& error);
    bool MakeWindow(const WindowSpec& request, Uint32 flags, std::string& error);
    bool OpenWithRenderer(const WindowSpec& request, bool forced, std::string& error);
    bool OpenWithSurface(const WindowSpec& request, std::string& error);
    void SetIcon(const Surface& icon, Pixel transparent);
    void Close();

    int ChooseScale(int width, int height) const;

    bool videoStarted_ = false;
    int scale_ = 0;
    bool fullscreen_ = false;
    int openedScale_ = 1;
    // The game presents the same two surfaces, which live as long as the game: kept for the
    // screenshots and for showing again.
    const Surface* band_ = nullptr;
    const Surface* play_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    WindowPtr window_;
    std::unique_ptr<WindowPresenter> presenter_;
};

}  // namespace volley::sdl
