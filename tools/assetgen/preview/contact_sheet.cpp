#include "contact_sheet.h"

#include <array>
#include <string>

namespace assetgen_preview {
namespace {

constexpr volley::Pixel kCheckerLight = 0x383838;
constexpr volley::Pixel kCheckerDark = 0x282828;
constexpr int kCheckerSize = 12;
constexpr volley::Pixel kFrameColour = 0x00C0C0;
constexpr volley::Pixel kLabelColour = 0xFFFF40;
constexpr volley::Pixel kLabelBackground = 0x000000;
constexpr int kGlyphScale = 2;

// 3 x 5 glyphs, one row per string, '#' lit.
struct Glyph {
    char Character;
    std::array<const char*, 5> Rows;
};

constexpr Glyph kGlyphs[] = {
    {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "###", "#..", "###"}}, {'3', {"###", "..#", ".##", "..#", "###"}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}}, {'5', {"###", "#..", "###", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "###"}}, {'7', {"###", "..#", "..#", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}}, {'9', {"###", "#.#", "###", "..#", "###"}},
    {'E', {"###", "#..", "##.", "#..", "###"}}, {'S', {"###", "#..", "###", "..#", "###"}},
    {'P', {"###", "#.#", "###", "#..", "#.."}},
};

void FillRect(volley::Surface& s, int x, int y, int w, int h, volley::Pixel colour) {
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) {
            volley::SetPixel(s, column, row, colour);
        }
    }
}

void FrameRect(volley::Surface& s, int x, int y, int w, int h) {
    FillRect(s, x, y, w, 1, kFrameColour);
    FillRect(s, x, y + h - 1, w, 1, kFrameColour);
    FillRect(s, x, y, 1, h, kFrameColour);
    FillRect(s, x + w - 1, y, 1, h, kFrameColour);
}

void DrawGlyph(volley::Surface& s, const Glyph& glyph, int x, int y) {
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (glyph.Rows[static_cast<size_t>(row)][column] == '#') {
                FillRect(s, x + column * kGlyphScale, y + row * kGlyphScale, kGlyphScale,
                         kGlyphScale, kLabelColour);
            }
        }
    }
}

void DrawLabel(volley::Surface& s, const std::string& text, int x, int y) {
    const int advance = 4 * kGlyphScale;
    FillRect(s, x, y, static_cast<int>(text.size()) * advance + kGlyphScale, 7 * kGlyphScale,
             kLabelBackground);
    for (size_t i = 0; i < text.size(); ++i) {
        for (const Glyph& glyph : kGlyphs) {
            if (glyph.Character == text[i]) {
                DrawGlyph(s, glyph, x + kGlyphScale + static_cast<int>(i) * advance,
                          y + kGlyphScale);
            }
        }
    }
}

void DrawSheet(volley::Surface& out, const SheetFiles& files) {
    for (int y = 0; y < out.Height; ++y) {
        for (int x = 0; x < out.Width; ++x) {
            const int sx = x / kContactScale;
            const int sy = y / kContactScale;
            const bool clear = files.Mask.At(sx, sy) == volley::kWhite;
            const bool light = ((x / kCheckerSize) + (y / kCheckerSize)) % 2 == 0;
            out.At(x, y) = clear ? (light ? kCheckerLight : kCheckerDark) : files.Sheet.At(sx, sy);
        }
    }
}

}  // namespace

volley::Surface ComposeContactSheet(const SheetFiles& files) {
    volley::Surface out(files.Sheet.Width * kContactScale, files.Sheet.Height * kContactScale);
    DrawSheet(out, files);
    const char prefixes[3] = {'P', 'E', 'S'};
    for (size_t table = 0; table < files.Tables.size(); ++table) {
        for (int kind = 0; kind < volley::kSpriteKinds; ++kind) {
            const volley::SpriteRect& r = files.Tables[table][static_cast<size_t>(kind)];
            if (r.Width <= 0 || r.Height <= 0) {
                continue;
            }
            const int x = r.SrcX * kContactScale;
            const int y = r.SrcY * kContactScale;
            FrameRect(out, x, y, r.Width * kContactScale, r.Height * kContactScale);
            DrawLabel(out, prefixes[table] + std::to_string(kind), x, y);
        }
    }
    return out;
}

}  // namespace assetgen_preview
