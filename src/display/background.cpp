#include "display/background.h"

#include <algorithm>

#include "display/blit.h"
#include "game/game.h"

namespace volley {

namespace {

void Forget(DrawnAreas& drawn, bool whole) {
    drawn.Count = 0;
    drawn.Pixels = 0;
    drawn.Whole = whole;
}

}  // namespace

void BackgroundCopy(Game& g, bool restore) {
    Form& f = g.Form1;
    if (!restore) {
        BlitWhole(f.Def, f.Picture2, 0, 0, RasterOp::Copy);
        Forget(f.Drawn, false);
        return;
    }
    const DrawnAreas& drawn = f.Drawn;
    const bool sameSize = f.Def.Width == f.Picture2.Width && f.Def.Height == f.Picture2.Height;
    const int64_t whole = int64_t{f.Picture2.Width} * f.Picture2.Height;
    if (drawn.Whole || !sameSize || drawn.Pixels >= whole) {
        BlitWhole(f.Picture2, f.Def, 0, 0, RasterOp::Copy);
    } else {
        for (int i = 0; i < drawn.Count; ++i) {
            const DrawnAreas::Area& a = drawn.Areas[i];
            Blit(f.Picture2, a.X, a.Y, f.Def, a.X, a.Y, a.Width, a.Height, RasterOp::Copy);
        }
    }
    Forget(f.Drawn, false);
}

void NoteDrawn(Game& g, int x, int y, int w, int h) {
    DrawnAreas& drawn = g.Form1.Drawn;
    const Surface& play = g.Form1.Picture2;
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const auto right = static_cast<int>(std::min(int64_t{x} + w, int64_t{play.Width}));
    const auto bottom = static_cast<int>(std::min(int64_t{y} + h, int64_t{play.Height}));
    if (drawn.Whole || left >= right || top >= bottom) {
        return;
    }
    if (drawn.Count == DrawnAreas::kCapacity) {
        drawn.Whole = true;
        return;
    }
    drawn.Areas[drawn.Count++] = {static_cast<int16_t>(left), static_cast<int16_t>(top),
                                  static_cast<int16_t>(right - left),
                                  static_cast<int16_t>(bottom - top)};
    drawn.Pixels += int64_t{right - left} * (bottom - top);
}

}  // namespace volley
