#include "gauge.h"

#include <cmath>
#include <numbers>

#include "colour_math.h"

namespace assetgen {
namespace {

// One row of a tube lit from above: dark at both edges, brightest a quarter of the way down, with
// a pale glint there. Every row keeps its band's hue, so the game's gauge reads as before.
Rgb TubeShade(Rgb hue, int row) {
    const double across = (row + 0.5) / kGaugeShownRows;  // 0 at the top edge, 1 at the bottom
    const double body = 0.45 + 0.55 * std::pow(std::sin(std::numbers::pi * across), 0.7);
    const double glint = std::max(0.0, 1.0 - std::abs(across - 0.27) / 0.14);
    return MixColours(ScaleColour(hue, body), Rgb{255, 255, 255}, 0.45 * glint * glint);
}

}  // namespace

Image PaintGaugeBar() {
    static constexpr Rgb kEmptyRed{236, 28, 36};
    static constexpr Rgb kEnergyBlue{36, 72, 255};
    Image bar(kGaugeWidth, kGaugeHeight);
    for (int y = 0; y < kGaugeHeight; ++y) {
        const bool red = y < kGaugeFirstBlueRow;
        const int shownFrom = red ? 0 : kGaugeEnergyRow;
        const int row = ((y - shownFrom) % kGaugeShownRows + kGaugeShownRows) % kGaugeShownRows;
        const Rgb colour = TubeShade(red ? kEmptyRed : kEnergyBlue, row);
        for (int x = 0; x < kGaugeWidth; ++x) {
            bar.At(x, y) = colour;
        }
    }
    return bar;
}

}  // namespace assetgen
