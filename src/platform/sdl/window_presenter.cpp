#include "platform/sdl/window_presenter.h"

#include <algorithm>
#include <cstring>

#include "platform/sdl/window_scale.h"

namespace volley::sdl {
namespace {

// Where the picture lies in the window: its scale and its top-left corner.
struct Placement {
    int scale = 1;
    int left = 0;
    int top = 0;
};

Placement Place(int width, int height, int windowWidth, int windowHeight) {
    Placement place;
    place.scale = LargestFittingScale(width, height, windowWidth, windowHeight);
    place.left = std::max(0, (windowWidth - width * place.scale) / 2);
    place.top = std::max(0, (windowHeight - height * place.scale) / 2);
    return place;
}

// Copies a row of width pixels to out, each pixel scale times over.
void WidenRow(const Pixel* in, int width, int scale, Pixel* out) {
    if (scale == 1) {
        std::memcpy(out, in, static_cast<size_t>(width) * sizeof(Pixel));
        return;
    }
    for (int x = 0; x < width; ++x) {
        std::fill_n(out + static_cast<ptrdiff_t>(x) * scale, scale, in[x]);
    }
}

class SurfacePresenter final : public WindowPresenter {
  public:
    SurfacePresenter(SDL_Window* window, int width, int height)
        : window_(window), width_(width), height_(height) {}

    void Present(const Surface& band, const Surface& play) override {
        SDL_Surface* surface = SDL_GetWindowSurface(window_);
        if (surface == nullptr || SDL_LockSurface(surface) != 0) {
            return;
        }
        const bool fresh = stale_ || surface != surface_ || surface->w != surfaceWidth_ ||
                           surface->h != surfaceHeight_;
        if (fresh) {
            SDL_FillRect(surface, nullptr, 0);
            surface_ = surface;
            surfaceWidth_ = surface->w;
            surfaceHeight_ = surface->h;
            stale_ = false;
        }
        const Placement place = Place(width_, height_, surface->w, surface->h);
        // A window smaller than the picture (a window manager may insist) shows its top left.
        const int width = std::min(width_, (surface->w - place.left) / place.scale);
        const int height = std::min(height_, (surface->h - place.top) / place.scale);
        const int bandRows = std::min(band.Height, height);
        PutRows(surface, place, band, 0, bandRows, width);
        PutRows(surface, place, play, bandRows, std::min(play.Height, height - bandRows), width);
        SDL_UnlockSurface(surface);
        const SDL_Rect picture{place.left, place.top, width * place.scale, height * place.scale};
        if (fresh) {
            SDL_UpdateWindowSurface(window_);
        } else {
            SDL_UpdateWindowSurfaceRects(window_, &picture, 1);
        }
    }

    void Invalidate() override { stale_ = true; }
    PresentPath Path() const override { return PresentPath::Surface; }

  private:
    // Writes rows [0, rows) of image, at most maxWidth pixels of each, to the picture's rows from
    // top on, enlarged.
    static void PutRows(SDL_Surface* surface, const Placement& place, const Surface& image, int top,
                        int rows, int maxWidth) {
        const int width = std::min(image.Width, maxWidth);
        if (width <= 0) {
            return;
        }
        const size_t rowBytes = static_cast<size_t>(width) * place.scale * sizeof(Pixel);
        auto* base = static_cast<uint8_t*>(surface->pixels) +
                     static_cast<ptrdiff_t>(place.left) * sizeof(Pixel);
        for (int y = 0; y < rows; ++y) {
            const int outY = place.top + (top + y) * place.scale;
            auto* first =
                reinterpret_cast<Pixel*>(base + static_cast<ptrdiff_t>(outY) * surface->pitch);
            WidenRow(image.Row(y), width, place.scale, first);
            for (int copy = 1; copy < place.scale; ++copy) {
                std::memcpy(base + static_cast<ptrdiff_t>(outY + copy) * surface->pitch, first,
                            rowBytes);
            }
        }
    }

    SDL_Window* window_;
    int width_;
    int height_;
    SDL_Surface* surface_ = nullptr;
    int surfaceWidth_ = 0;
    int surfaceHeight_ = 0;
    bool stale_ = true;
};

class RendererPresenter final : public WindowPresenter {
  public:
    RendererPresenter(RendererPtr renderer, TexturePtr texture, int width, int height)
        : renderer_(std::move(renderer)),
          texture_(std::move(texture)),
          width_(width),
          height_(height) {}

    void Present(const Surface& band, const Surface& play) override {
        const int bandRows = std::min(band.Height, height_);
        Upload(band, 0, bandRows);
        Upload(play, bandRows, std::min(play.Height, height_ - bandRows));
        SDL_RenderClear(renderer_.get());
        SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
        SDL_RenderPresent(renderer_.get());
    }

    void Invalidate() override {}
    PresentPath Path() const override { return PresentPath::Renderer; }

  private:
    void Upload(const Surface& image, int top, int rows) {
        if (rows <= 0) {
            return;
        }
        const SDL_Rect area{0, top, std::min(image.Width, width_), rows};
        SDL_UpdateTexture(texture_.get(), &area, image.Pixels.data(),
                          image.Width * static_cast<int>(sizeof(Pixel)));
    }

    RendererPtr renderer_;
    TexturePtr texture_;
    int width_;
    int height_;
};

bool IsGameFormat(const SDL_PixelFormat& format) {
    return format.BytesPerPixel == 4 && format.Rmask == 0xFF0000 && format.Gmask == 0xFF00 &&
           format.Bmask == 0xFF;
}

}  // namespace

std::unique_ptr<WindowPresenter> MakeSurfacePresenter(SDL_Window* window, int width, int height) {
    const SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr || !IsGameFormat(*surface->format)) {
        return nullptr;
    }
    return std::make_unique<SurfacePresenter>(window, width, height);
}

std::unique_ptr<WindowPresenter> MakeRendererPresenter(RendererPtr renderer, int width, int height,
                                                       std::string& error) {
    // Nearest pixel and whole-number enlargements only, so that the pixels stay square and sharp;
    // in fullscreen the picture is centred on black.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    SDL_RenderSetLogicalSize(renderer.get(), width, height);
    SDL_RenderSetIntegerScale(renderer.get(), SDL_TRUE);
    TexturePtr texture(SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_RGB888,
                                         SDL_TEXTUREACCESS_STREAMING, width, height));
    if (!texture) {
        error = std::string("cannot create the window's picture: ") + SDL_GetError();
        return nullptr;
    }
    return std::make_unique<RendererPresenter>(std::move(renderer), std::move(texture), width,
                                               height);
}

}  // namespace volley::sdl
