// How large the window is drawn.
#pragma once

namespace volley::sdl {

inline constexpr int kMaxScale = 8;

// The largest whole-number scale, 1 to kMaxScale, at which a width x height picture fits in a
// usable area of usableWidth x usableHeight; 1 when even that does not fit.
int LargestFittingScale(int width, int height, int usableWidth, int usableHeight);

}  // namespace volley::sdl
