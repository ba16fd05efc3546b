// The gauge art (SBar.bmp): the game cuts its bars from the red upper band and the blue lower one.
#pragma once

#include "image.h"

namespace assetgen {

inline constexpr int kGaugeWidth = 305;
inline constexpr int kGaugeHeight = 90;
// Rows above this are red, the rest blue.
inline constexpr int kGaugeFirstBlueRow = 46;
// The game shows 22 rows of each band: the empty gauge from row 0, the energy from row 50. Each
// band is shaded as a lit tube of that height, repeated, so whatever window is cut looks whole.
inline constexpr int kGaugeShownRows = 22;
inline constexpr int kGaugeEnergyRow = 50;

Image PaintGaugeBar();

}  // namespace assetgen
