// The window icon (Icon.bmp): a sprite on a 256-colour palette whose entry 0 is black. The game
// keys out pure black, so transparent sprite pixels become entry 0 and vanish around the ship.
#pragma once

#include "image.h"
#include "sprite.h"

namespace assetgen {

inline constexpr int kIconSize = 32;

// Fails when the sprite is not 32 x 32 or has more than 255 colours besides black. An opaque
// pure-black pixel is keyed out like a transparent one; draw outlines a shade above black.
IndexedImage MakeIcon(const Sprite& sprite);

}  // namespace assetgen
