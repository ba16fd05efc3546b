// The gauge art (SBar.bmp): the game cuts its bars from the red upper band and the blue lower one.
#pragma once

#include "image.h"

namespace assetgen {

inline constexpr int kGaugeWidth = 305;
inline constexpr int kGaugeHeight = 90;
// Rows above this are red, the rest blue.
inline constexpr int kGaugeFirstBlueRow = 46;

Image PaintGaugeBar();

}  // namespace assetgen
