#include "platform/sdl/sdl_window.h"

#include "platform/screenshot.h"

#include "platform/sdl/sdl_display.h"
#include "platform/sdl/window_scale.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace volley::sdl {
namespace {

std::string SdlFailure(const char* what) {
    return std::string(what) + ": " + SDL_GetError();
}

// True when renderer draws through OpenGL on the processor rather than on a graphics device.
bool DrawsOnTheProcessor(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_SOFTWARE) != 0) {
        return true;
    }
    if (std::string_view(info.name).find("opengl") == std::string_view::npos) {
        return false;
    }
    // The renderer's context is the current one just after its creation.
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int kGlRenderer = 0x1F01;
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
    return name == nullptr || IsSoftwareRasteriser(reinterpret_cast<const char*>(name));
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
    width_ = request.ClientWidth;
    height_ = request.ClientHeight;
    if (!CreateParts(request, error)) {
        Close();
        return false;
    }
    if (request.Icon != nullptr && request.Icon->Width > 0 && request.Icon->Height > 0) {
        SetIcon(*request.Icon, request.IconTransparent);
    }
    // Everything is in place: the window is mapped once, never mapped, dropped and mapped again.
    SDL_ShowWindow(window_.get());
    return true;
}

bool SdlWindow::CreateParts(const WindowSpec& request, std::string& error) {
    openedScale_ = ChooseScale(request.ClientWidth, request.ClientHeight);
    std::string refusal;
    const std::optional<PresentPath> forced =
        ForcedPresentPath(std::getenv("VOLLEY_PRESENT"), refusal);
    if (!refusal.empty()) {
        std::fprintf(stderr, "volley: %s\n", refusal.c_str());
    }
    if (forced == PresentPath::Renderer) {
        return OpenWithRenderer(request, true, error);
    }
    if (!forced && HasGraphicsDevice() && OpenWithRenderer(request, false, error)) {
        return true;
    }
    return OpenWithSurface(request, error);
}

bool SdlWindow::MakeWindow(const WindowSpec& request, Uint32 flags, std::string& error) {
    flags |= SDL_WINDOW_HIDDEN | (fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window_.reset(SDL_CreateWindow(request.Caption.c_str(), SDL_WINDOWPOS_CENTERED,
                                   SDL_WINDOWPOS_CENTERED, request.ClientWidth * openedScale_,
                                   request.ClientHeight * openedScale_, flags));
    if (!window_) {
        error = SdlFailure("cannot create the window");
        return false;
    }
    return true;
}

bool SdlWindow::OpenWithRenderer(const WindowSpec& request, bool forced, std::string& error) {
    // Chosen by the machine, the window is made for OpenGL from the start, so that SDL need not
    // make it again for the renderer.
    if (!MakeWindow(request, forced ? 0 : SDL_WINDOW_OPENGL, error)) {
        return false;
    }
    // No vsync: the game paces its own frames, and a vsynced present under a virtual X server
    // blocks for a whole refresh.
    RendererPtr renderer(
        SDL_CreateRenderer(window_.get(), -1, forced ? 0 : SDL_RENDERER_ACCELERATED));
    if (!renderer) {
        error = SdlFailure("cannot create a renderer for the window");
        window_.reset();
        return false;
    }
    if (!forced && DrawsOnTheProcessor(renderer.get())) {
        renderer.reset();
        window_.reset();
        return false;
    }
    presenter_ = MakeRendererPresenter(std::move(renderer), request.ClientWidth,
                                       request.ClientHeight, error);
    return presenter_ != nullptr;
}

bool SdlWindow::OpenWithSurface(const WindowSpec& request, std::string& error) {
    // Otherwise SDL would back the window surface with an OpenGL texture of its own.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!MakeWindow(request, 0, error)) {
        return false;
    }
    presenter_ = MakeSurfacePresenter(window_.get(), request.ClientWidth, request.ClientHeight);
    if (presenter_) {
        return true;
    }
    // A window surface of another pixel format: SDL's software renderer converts.
    RendererPtr renderer(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
    if (!renderer) {
        error = SdlFailure("cannot create a renderer for the window");
        return false;
    }
    presenter_ = MakeRendererPresenter(std::move(renderer), request.ClientWidth,
                                       request.ClientHeight, error);
    return presenter_ != nullptr;
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

void SdlWindow::Present(const Surface& band, const Surface& play) {
    if (!presenter_) {
        return;
    }
    band_ = &band;
    play_ = &play;
    presenter_->Present(band, play);
}

void SdlWindow::SaveScreenshot(const std::string& folder) {
    if (band_ == nullptr) {
        return;
    }
    Surface shown(width_, height_);
    Blit(shown, 0, 0, *band_, 0, 0, band_->Width, band_->Height, RasterOp::Copy);
    Blit(shown, 0, band_->Height, *play_, 0, 0, play_->Width, play_->Height, RasterOp::Copy);
    std::string error;
    const std::string path = volley::SaveScreenshot(shown, folder, std::time(nullptr), error);
    if (path.empty()) {
        std::fprintf(stderr, "volley: no screenshot: %s\n", error.c_str());
    } else {
        std::printf("volley: screenshot saved as %s\n", path.c_str());
        std::fflush(stdout);
    }
}

void SdlWindow::Represent() {
    if (!presenter_ || band_ == nullptr) {
        return;
    }
    presenter_->Invalidate();
    presenter_->Present(*band_, *play_);
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
    presenter_.reset();
    window_.reset();
    band_ = nullptr;
    play_ = nullptr;
    if (videoStarted_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        videoStarted_ = false;
    }
    width_ = 0;
    height_ = 0;
}

}  // namespace volley::sdl
