// Reading Windows bitmap files (1, 4, 8, 24 and 32 bits per pixel, uncompressed) into surfaces.
#pragma once

#include <string>

#include "platform/surface.h"

namespace volley {

// Four times the largest picture of the game on either side; a picture this size takes 16 MB.
inline constexpr int32_t kMaxPictureSide = 2048;

// Reads the whole file at path into out (top row first). On failure returns false and leaves a
// one-line reason in error; out is then unspecified.
bool LoadBmp(const std::string& path, Surface& out, std::string& error);

// The same from a file image already in memory.
bool DecodeBmp(const uint8_t* data, size_t size, Surface& out, std::string& error);

}  // namespace volley
