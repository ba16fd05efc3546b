// Colour arithmetic shared by the procedural painters.
#pragma once

#include <algorithm>
#include <cmath>

#include "image.h"

namespace assetgen {

inline uint8_t ToChannel(double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0l, 255l));
}

// t = 0 gives a, t = 1 gives b.
inline Rgb MixColours(Rgb a, Rgb b, double t) {
    return {ToChannel(a.R + (b.R - a.R) * t), ToChannel(a.G + (b.G - a.G) * t),
            ToChannel(a.B + (b.B - a.B) * t)};
}

inline Rgb ScaleColour(Rgb colour, double factor) {
    return {ToChannel(colour.R * factor), ToChannel(colour.G * factor),
            ToChannel(colour.B * factor)};
}

}  // namespace assetgen
