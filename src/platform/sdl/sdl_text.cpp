#include "platform/sdl/sdl_text.h"

#include <cstdio>

namespace volley::sdl {

const FontChoice& SdlTextRenderer::Choice() {
    if (!choice_) {
        choice_ = FindLabelFont();
        if (!choice_->CoversKana) {
            std::fprintf(stderr, "volley: no Japanese font found; labels use %s\n",
                         choice_->Path.empty() ? "no font at all" : choice_->Path.c_str());
        }
    }
    return *choice_;
}

TTF_Font* SdlTextRenderer::FontOfSize(int pixelSize) {
    for (const auto& [size, font] : fonts_) {
        if (size == pixelSize) {
            return font.get();
        }
    }
    const FontChoice& choice = Choice();
    // At SDL_ttf's 72 dpi a point is a pixel, so the point size is the em in pixels.
    FontPtr font(choice.Path.empty()
                     ? nullptr
                     : TTF_OpenFontIndex(choice.Path.c_str(), pixelSize, choice.Index));
    if (!font) {
        if (!warnedOpenFailure_) {
            std::fprintf(stderr, "volley: cannot open a label font of %d pixels: %s\n", pixelSize,
                         choice.Path.empty() ? "none installed" : TTF_GetError());
            warnedOpenFailure_ = true;
        }
    } else if (choice.SynthesizeBold) {
        TTF_SetFontStyle(font.get(), TTF_STYLE_BOLD);
    }
    // A size that failed is remembered too, so that it is not tried again at every frame.
    return fonts_.emplace_back(pixelSize, std::move(font)).second.get();
}

void SdlTextRenderer::Render(std::string_view utf8, int pixelSize, TextImage& out) {
    out.Width = 0;
    out.Coverage.clear();
    TTF_Font* font = FontOfSize(pixelSize);
    if (font == nullptr) {
        out.Height = pixelSize;  // an invisible line of about the right height
        return;
    }
    out.Height = TTF_FontHeight(font);
    if (utf8.empty()) {
        return;  // SDL_ttf refuses to render nothing
    }
    text_.assign(utf8);
    const SurfacePtr rendered(
        TTF_RenderUTF8_Blended(font, text_.c_str(), SDL_Color{255, 255, 255, 255}));
    // Blended text is always 32-bit ARGB; anything else would be read wrongly.
    if (rendered && rendered->format->BytesPerPixel == 4) {
        CopyCoverage(*rendered, out);
    }
}

void SdlTextRenderer::CopyCoverage(const SDL_Surface& rendered, TextImage& out) {
    out.Width = rendered.w;
    out.Height = rendered.h;
    out.Coverage.resize(static_cast<size_t>(rendered.w) * rendered.h);
    const SDL_PixelFormat& format = *rendered.format;
    const auto* bytes = static_cast<const uint8_t*>(rendered.pixels);
    uint8_t* coverage = out.Coverage.data();
    for (int y = 0; y < rendered.h; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(bytes + static_cast<size_t>(y) * rendered.pitch);
        for (int x = 0; x < rendered.w; ++x) {
            *coverage++ = static_cast<uint8_t>((row[x] & format.Amask) >> format.Ashift);
        }
    }
}

}  // namespace volley::sdl
