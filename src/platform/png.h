// Pictures as PNG files, for screenshots.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/surface.h"

namespace volley {

// The surface as a whole PNG file: 8-bit RGB, not interlaced, deflated.
std::vector<uint8_t> EncodePng(const Surface& image);

}  // namespace volley
