#include "platform/sdl/sdl_window.h"

#include "platform/screenshot.h"

#include "platform/sdl/sdl_display.h"
#include "platform/sdl/window_scale.h"

#include <cstdio>

namespace volley::sdl {
namespace {

std::string SdlFailure(const char* what) {
    return std::string(what) + ": " + SDL_GetError();
}

}  // namespace

SurfacePtr MakeIconSurface(const Surface& icon, Pixel transparent) {
    SurfacePtr surface(
        SDL_CreateRGBSurfaceWithFormat(0, icon.Width, icon.Height, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!surface) {
        return surface;
    }
    auto* bytes = static_cast<uint8_t*>(surface->pixels);
    for (int y = 0; y < icon.Height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(bytes + static_cast<size_t>(y) * surface->pitch);
        for (int x = 0; x < icon.Width; ++x) {
            const Pixel colour = icon.At(x, y) & 0xFFFFFF;
            row[x] = colour == transparent ? 0 : 0xFF000000u | colour;
        }
    }
    return surface;
}

SdlWindow::~SdlWindow() {
    Close();
}

bool SdlWindow::Open(const WindowSpec& request, std::string& error) {
    if (window_) {
        error = "the window is already open";
        return false;
    }
    if (!StartVideo(error)) {
        return false;
    }
    videoStarted_ = true;
    if (!CreateParts(request, error)) {
        Close();
        return false;
    }
    if (request.Icon != nullptr && request.Icon->Width > 0 && request.Icon->Height > 0) {
        SetIcon(*request.Icon, request.IconTransparent);
    }
    width_ = request.ClientWidth;
    height_ = request.ClientHeight;
    return true;
}

bool SdlWindow::CreateParts(const WindowSpec& request, std::string& error) {
    openedScale_ = ChooseScale(request.ClientWidth, request.ClientHeight);
    const Uint32 flags = SDL_WINDOW_SHOWN | (fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window_.reset(SDL_CreateWindow(request.Caption.c_str(), SDL_WINDOWPOS_CENTERED,
                                   SDL_WINDOWPOS_CENTERED, request.ClientWidth * openedScale_,
                                   request.ClientHeight * openedScale_, flags));
    if (!window_) {
        error = SdlFailure("cannot create the window");
        return false;
    }
    // No vsync: the game paces its own frames, and a vsynced present under a virtual X server
    // blocks for a whole refresh.
    renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
    if (!renderer_) {
        error = SdlFailure("cannot create a renderer for the window");
        return false;
    }
    // Nearest pixel and whole-number enlargements only, so that the pixels stay square and sharp;
    // in fullscreen the picture is centred on black.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    SDL_RenderSetLogicalSize(renderer_.get(), request.ClientWidth, request.ClientHeight);
    SDL_RenderSetIntegerScale(renderer_.get(), SDL_TRUE);
    texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB888,
                                     SDL_TEXTUREACCESS_STREAMING, request.ClientWidth,
                                     request.ClientHeight));
    if (!texture_) {
        error = SdlFailure("cannot create the window's picture");
        return false;
    }
    return true;
}

void SdlWindow::SetIcon(const Surface& icon, Pixel transparent) {
    const SurfacePtr surface = MakeIconSurface(icon, transparent);
    if (!surface) {
        // A window without its icon still plays; say why once.
        std::fprintf(stderr, "volley: no window icon: %s\n", SDL_GetError());
        return;
    }
    SDL_SetWindowIcon(window_.get(), surface.get());
}

void SdlWindow::Present(const Surface& image) {
    // A picture of another size would be read out of bounds; the game never sends one.
    if (!texture_ || image.Width != width_ || image.Height != height_) {
        return;
    }
    SDL_UpdateTexture(texture_.get(), nullptr, image.Pixels.data(),
                      image.Width * static_cast<int>(sizeof(Pixel)));
    shown_ = &image;
    Represent();
}

void SdlWindow::SaveScreenshot(const std::string& folder) {
    if (shown_ == nullptr) {
        return;
    }
    std::string error;
    const std::string path = volley::SaveScreenshot(*shown_, folder, std::time(nullptr), error);
    if (path.empty()) {
        std::fprintf(stderr, "volley: no screenshot: %s\n", error.c_str());
    } else {
        std::printf("volley: screenshot saved as %s\n", path.c_str());
        std::fflush(stdout);
    }
}

void SdlWindow::Represent() {
    if (!texture_) {
        return;
    }
    SDL_RenderClear(renderer_.get());
    SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
    SDL_RenderPresent(renderer_.get());
}

int SdlWindow::ChooseScale(int width, int height) const {
    if (scale_ > 0) {
        return scale_;
    }
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        return 1;
    }
    return LargestFittingScale(width, height, usable.w, usable.h);
}

void SdlWindow::ToggleFullscreen() {
    if (!window_) {
        return;
    }
    const bool full = (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(window_.get(), full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    Represent();
}

void SdlWindow::Close() {
    texture_.reset();
    renderer_.reset();
    window_.reset();
    if (videoStarted_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        videoStarted_ = false;
    }
    width_ = 0;
    height_ = 0;
}

}  // namespace volley::sdl
