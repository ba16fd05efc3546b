#include "display/background.h"

#include "display/blit.h"
#include "game/game.h"

namespace volley {

void BackgroundCopy(Game& g, bool restore) {
    Form& f = g.Form1;
    if (restore) {
        BlitWhole(f.Picture2, f.Def, 0, 0, RasterOp::Copy);
    } else {
        BlitWhole(f.Def, f.Picture2, 0, 0, RasterOp::Copy);
    }
}

}  // namespace volley
