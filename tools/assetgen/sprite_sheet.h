// The sprite sheet the game draws from (Chr.bmp) and its mask (MChr.bmp): every sprite pasted into
// its own cell, black and transparent everywhere else.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "game/data_layout.h"
#include "image.h"
#include "sprite.h"

namespace assetgen {

// The sheet's size is the game's own.
using volley::kSheetHeight;
using volley::kSheetWidth;

struct SpriteSheet {
    Image Colours;   // black wherever Opaque is clear, so the game's AND/OR drawing leaves no trace
    BitGrid Opaque;  // the sprites' own transparency, never guessed from colour
};

// Fails naming the sprite when it leaves the sheet, when its name is taken, or when its cell
// overlaps another sprite's.
SpriteSheet ComposeSheet(const std::vector<Sprite>& sprites, int width, int height);

// The mask as MChr.bmp stores it: set (white, palette entry 1) where the sheet is transparent.
BitGrid MaskBits(const SpriteSheet& sheet);

// The cell a named sprite occupies, if there is one.
struct CellRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};
std::optional<CellRect> FindCell(const std::vector<Sprite>& sprites, std::string_view name);

}  // namespace assetgen
