// Hand-drawn sprites as text. A file holds a palette and any number of sprites:
//
//   colour o 141428            # a character and the colour RRGGBB it paints
//   sprite ship_level 64 0 32 32   # name, cell x y on the sheet, width height
//   ....oo....                 # then exactly <height> rows of <width> characters:
//   ...                        #   '.' is transparent, any other must be in the palette
//   end
//   mirror ship_right 96 0 ship_left   # a left-right flip of an earlier sprite of this file
//
// '#' starts a comment anywhere, so it cannot be a palette character; blank lines are ignored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sprite.h"

namespace assetgen {

inline constexpr char kTransparentChar = '.';

std::vector<Sprite> ParsePixelArt(std::string_view text, const std::string& file);

// The left-right flip the mirror line makes.
Sprite MirrorSprite(const Sprite& source, std::string name, int x, int y);

}  // namespace assetgen
