// Windows bitmap files as the game reads them: uncompressed, bottom row first, rows padded with
// zeros to four bytes, a 40-byte info header and a fixed 2835 pixels per metre (72 dpi), so the
// same picture always gives the same bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace assetgen {

inline constexpr int kBmpFileHeaderSize = 14;
inline constexpr int kBmpInfoHeaderSize = 40;
inline constexpr int32_t kBmpPixelsPerMetre = 2835;

std::vector<uint8_t> EncodeBmp24(const Image& image);

// Two-colour: palette entry 0 black for a clear bit, entry 1 white for a set one.
std::vector<uint8_t> EncodeBmp1(const BitGrid& bits);

// 256-colour: the palette is written out to 256 entries, black-filled; at most 256 colours and
// every index must name one of them.
std::vector<uint8_t> EncodeBmp8(const IndexedImage& image);

}  // namespace assetgen
