#include "sprite_sheet.h"

#include <string>

namespace assetgen {
namespace {

CellRect CellOf(const Sprite& sprite) {
    return {sprite.X, sprite.Y, sprite.Width(), sprite.Height()};
}

bool Overlap(const CellRect& a, const CellRect& b) {
    return a.X < b.X + b.Width && b.X < a.X + a.Width && a.Y < b.Y + b.Height &&
           b.Y < a.Y + a.Height;
}

std::string Describe(const Sprite& sprite) {
    return sprite.Name + " (" + sprite.Source.File + ":" + std::to_string(sprite.Source.Line) + ")";
}

void CheckPlacement(const std::vector<Sprite>& sprites, size_t index, int width, int height) {
    const Sprite& sprite = sprites[index];
    const CellRect cell = CellOf(sprite);
    if (cell.X < 0 || cell.Y < 0 || cell.X + cell.Width > width || cell.Y + cell.Height > height) {
        FailAt(sprite.Source, "sprite " + sprite.Name + " at " + std::to_string(cell.X) + "," +
                                  std::to_string(cell.Y) + " leaves the " + std::to_string(width) +
                                  "x" + std::to_string(height) + " sheet");
    }
    for (size_t other = 0; other < index; ++other) {
        if (sprites[other].Name == sprite.Name) {
            FailAt(sprite.Source,
                   "sprite name '" + sprite.Name + "' is also used by " + Describe(sprites[other]));
        }
        if (Overlap(cell, CellOf(sprites[other]))) {
            FailAt(sprite.Source,
                   "sprite " + sprite.Name + " overlaps sprite " + Describe(sprites[other]));
        }
    }
}

void Paste(SpriteSheet& sheet, const Sprite& sprite) {
    for (int y = 0; y < sprite.Height(); ++y) {
        for (int x = 0; x < sprite.Width(); ++x) {
            if (sprite.Opaque.At(x, y)) {
                sheet.Colours.At(sprite.X + x, sprite.Y + y) = sprite.Colours.At(x, y);
                sheet.Opaque.Set(sprite.X + x, sprite.Y + y, true);
            }
        }
    }
}

}  // namespace

SpriteSheet ComposeSheet(const std::vector<Sprite>& sprites, int width, int height) {
    SpriteSheet sheet{Image(width, height, kBlack), BitGrid(width, height, false)};
    for (size_t i = 0; i < sprites.size(); ++i) {
        CheckPlacement(sprites, i, width, height);
        Paste(sheet, sprites[i]);
    }
    return sheet;
}

BitGrid MaskBits(const SpriteSheet& sheet) {
    BitGrid mask(sheet.Opaque.Width, sheet.Opaque.Height);
    for (size_t i = 0; i < mask.Bits.size(); ++i) {
        mask.Bits[i] = sheet.Opaque.Bits[i] != 0 ? 0 : 1;
    }
    return mask;
}

std::optional<CellRect> FindCell(const std::vector<Sprite>& sprites, std::string_view name) {
    for (const Sprite& sprite : sprites) {
        if (sprite.Name == name) {
            return CellOf(sprite);
        }
    }
    return std::nullopt;
}

}  // namespace assetgen
