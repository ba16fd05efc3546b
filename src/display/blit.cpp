#include "display/blit.h"

#include "display/background.h"
#include "game/game.h"

namespace volley {

void StretchWhole(Surface& dst, const Surface& src, RasterOp rop) {
    StretchBlit(dst, src, rop);
}

void BlitWhole(Surface& dst, const Surface& src, int x, int y, RasterOp rop) {
    Blit(dst, x, y, src, 0, 0, src.Width, src.Height, rop);
}

void BlitPart(Surface& dst, int x, int y, const Surface& src, int sx, int sy, int w, int h,
              RasterOp rop) {
    Blit(dst, x, y, src, sx, sy, w, h, rop);
}

void DrawMasked(Game& g, int x, int y, int sx, int sy, int w, int h) {
    Form& f = g.Form1;
    BlitMasked(f.Picture2, x, y, f.MChr, f.Chr, f.ChrRuns, sx, sy, w, h);
    NoteDrawn(g, x, y, w, h);
}

}  // namespace volley
