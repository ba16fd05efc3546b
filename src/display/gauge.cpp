#include "display/gauge.h"

#include "display/blit.h"
#include "display/layout.h"
#include "game/game.h"
#include "game/numbers.h"

namespace volley {

void DrawEnergyGauge(Game& g) {
    Form& f = g.Form1;
    const int w = f.Bar.Width;
    const int h = f.Bar.Height;
    BlitPart(f.Bar, 0, 0, f.SBar, 0, 0, w, h, RasterOp::Copy);
    const int filled = RoundEven(g.PlayerEnergy / 100.0 * w);
    if (filled > 0) {
        BlitPart(f.Bar, 0, 0, f.SBar, 0, kGaugeFullRow, filled, h, RasterOp::Copy);
    }
}

}  // namespace volley
