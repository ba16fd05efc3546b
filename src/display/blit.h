// The blit routines every picture of the game is drawn with.
#pragma once

#include "platform/surface.h"

namespace volley {

struct Game;

// Scales the whole of src over the whole of dst.
void StretchWhole(Surface& dst, const Surface& src, RasterOp rop);

// Copies the whole of src, unscaled, to (x, y) of dst.
void BlitWhole(Surface& dst, const Surface& src, int x, int y, RasterOp rop);

// Copies the w x h rectangle at (sx, sy) of src to (x, y) of dst.
void BlitPart(Surface& dst, int x, int y, const Surface& src, int sx, int sy, int w, int h,
              RasterOp rop);

// Draws the sprite cell (sx, sy, w, h) at (x, y) on the play surface: the mask cell ANDed in
// first blackens the sprite's shape, then the sheet's cell ORed in paints it.
void DrawMasked(Game& g, int x, int y, int sx, int sy, int w, int h);

}  // namespace volley
