// The window's design: sizes and places of the surfaces and labels, in pixels.
#pragma once

#include "game/data_layout.h"

namespace volley {

// The window's design unit: 15 twips to the pixel.
inline constexpr int kTwipsPerPixel = 15;

inline constexpr int kClientWidth = 445;
inline constexpr int kClientHeight = 586;

// The window's frame around the client area (3 pixels at the sides and bottom, 22 at the top,
// title bar included). The play surface is sized from the outer size, so it reaches a little past
// the client area's right and bottom edges.
inline constexpr int kFrameSideTwips = 45;
inline constexpr int kFrameTopTwips = 330;
inline constexpr int kOuterWidthTwips = kClientWidth * kTwipsPerPixel + 2 * kFrameSideTwips;
inline constexpr int kOuterHeightTwips =
    kClientHeight * kTwipsPerPixel + kFrameTopTwips + kFrameSideTwips;

// The play surface Picture2: left 0, top 1180 twips.
inline constexpr int kPlayTopTwips = 1180;
inline constexpr int kPlayWidthTwips = kOuterWidthTwips;
inline constexpr int kPlayHeightTwips = kOuterHeightTwips - kPlayTopTwips;
// Where its top row lands in the window: 78 2/3 pixels, shown from row 79.
inline constexpr int kPlayTop = (kPlayTopTwips + kTwipsPerPixel - 1) / kTwipsPerPixel;

// The energy gauge Bar and its art SBar.
inline constexpr int kBarLeft = 126;
inline constexpr int kBarTop = 52;
inline constexpr int kBarWidth = 296;
inline constexpr int kBarHeight = 22;
// The filled part of the gauge is taken from this row of the gauge art on.
inline constexpr int kGaugeFullRow = 50;

// The sprite sheet and its mask: kSheetWidth x kSheetHeight (game/data_layout.h).

// Label text sizes: 15.75, 36 and 48 points at 96 dots per inch.
inline constexpr int kSmallText = 21;
inline constexpr int kLargeText = 48;
inline constexpr int kTitleText = 64;

}  // namespace volley
