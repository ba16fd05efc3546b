#include "gauge.h"

namespace assetgen {

Image PaintGaugeBar() {
    Image bar(kGaugeWidth, kGaugeHeight);
    for (int y = 0; y < kGaugeHeight; ++y) {
        const Rgb colour = y < kGaugeFirstBlueRow ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
        for (int x = 0; x < kGaugeWidth; ++x) {
            bar.At(x, y) = colour;
        }
    }
    return bar;
}

}  // namespace assetgen
