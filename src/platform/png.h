// Pictures as PNG files, for screenshots.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/surface.h"

namespace volley {

// The surface as a whole PNG file: 8-bit RGB, not interlaced, deflated. With a see-through colour,
// 8-bit RGBA where pixels of that colour are fully transparent (for icons).
std::vector<uint8_t> EncodePng(const Surface& image, std::optional<Pixel> transparent = {});

}  // namespace volley
