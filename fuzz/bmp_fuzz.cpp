// Damaged pictures: the bytes go to the BMP reader the game loads Graphics/ with. A picture it
// accepts must have the size its header promised, within the reader's limits, with every pixel's
// unused top byte clear; one it refuses must say why.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/bmp.h"

namespace {

void Require(bool promise) {
    if (!promise) {
        __builtin_trap();
    }
}

int32_t StoredInt32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) |
                                (uint32_t{p[3]} << 24));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    volley::Surface picture;
    std::string error;
    if (!volley::DecodeBmp(data, size, picture, error)) {
        Require(!error.empty());
        return 0;
    }
    // Only a whole header gets this far: width at 18, height at 22 (negative: stored top down).
    Require(size >= 26);
    const int32_t width = StoredInt32(data + 18);
    const int32_t height = StoredInt32(data + 22);
    Require(picture.Width == width && width > 0 && width <= volley::kMaxPictureSide);
    Require(picture.Height == (height < 0 ? -static_cast<int64_t>(height) : height));
    Require(picture.Height > 0 && picture.Height <= volley::kMaxPictureSide);
    Require(picture.Pixels.size() == static_cast<size_t>(picture.Width) * picture.Height);
    for (volley::Pixel pixel : picture.Pixels) {
        Require((pixel & 0xFF000000u) == 0);
    }
    return 0;
}
