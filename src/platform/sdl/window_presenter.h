// The two ways the window's picture reaches the screen (see present_path.h).
#pragma once

#include <memory>
#include <string>

#include "platform/sdl/present_path.h"
#include "platform/sdl/sdl_handles.h"
#include "platform/surface.h"

namespace volley::sdl {

class WindowPresenter {
  public:
    virtual ~WindowPresenter() = default;
    // Puts band at the top of the picture and play below it, clipped to the width x height picture
    // the window was opened for, enlarged by the largest whole number that fits the window and
    // centred on black; then shows it.
    virtual void Present(const Surface& band, const Surface& play) = 0;
    // The next present redraws the whole window, margins too: its size or its contents were lost.
    virtual void Invalidate() = 0;
    virtual PresentPath Path() const = 0;
};

// Writes the picture straight into SDL's window surface. Null when the window surface cannot be
// had or its pixels are not 32-bit XRGB, the game's own format.
std::unique_ptr<WindowPresenter> MakeSurfacePresenter(SDL_Window* window, int width, int height);

// Uploads the picture to a streaming texture of renderer, which the presenter then owns.
std::unique_ptr<WindowPresenter> MakeRendererPresenter(RendererPtr renderer, int width, int height,
                                                       std::string& error);

}  // namespace volley::sdl
