// Label text drawn with SDL_ttf in the face fontconfig finds.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/label_font.h"
#include "platform/sdl/sdl_handles.h"

namespace volley::sdl {

// Needs SDL_ttf started. The face is looked for at the first render, and each size is opened
// the first time it is asked for and kept.
class SdlTextRenderer final : public TextRenderer {
  public:
    void Render(std::string_view utf8, int pixelSize, TextImage& out) override;

  private:
    const FontChoice& Choice();
    TTF_Font* FontOfSize(int pixelSize);
    static void CopyCoverage(const SDL_Surface& rendered, TextImage& out);

    std::optional<FontChoice> choice_;
    std::vector<std::pair<int, FontPtr>> fonts_;
    bool warnedOpenFailure_ = false;
    std::string text_;  // a terminated copy of the text, reused between renders
};

}  // namespace volley::sdl
