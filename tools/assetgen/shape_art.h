// Sprites painted from simple shapes instead of drawn pixel by pixel: the larger craft, the
// bosses and the shots would be unwieldy as text grids. A file holds colour ramps and sprites:
//
//   ramp hull 1c2a1c 2e5a2e 4c8c3c 9ccc6c   # a name, then its colours, darkest first
//   outline 10101c                          # dark rim drawn around the following sprites
//   outline none                            #   (or none at all)
//   sprite gunship 0 128 72 48 mirror       # name, slot x y width height, mirror or plain
//   ellipse hull 36 20 10 18                # shapes in slot pixels, later ones on top
//   end
//
// Shapes: ellipse <ramp> cx cy rx ry (a lit dome), poly <ramp> x y x y ... (a flat plate with a lit
// top edge and a shaded bottom edge), rect <ramp> x y w h (the same), glow <ramp> cx cy rx ry
// (brightest in the middle), ring <ramp> cx cy outer inner (brightest half-way), line <ramp> x y x
// y (one pixel wide, darkest colour: seams and gun barrels). In a mirror sprite every shape is also
// painted reflected about the slot's middle, so a symmetric craft is described once.
//
// The painted sprite is cropped to its opaque pixels, so its cell, which is also its hit box,
// holds no empty border: the slot is where the sprite may go, the cell is what it covers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sprite.h"

namespace assetgen {

std::vector<Sprite> ParseShapeArt(std::string_view text, const std::string& file);

}  // namespace assetgen
