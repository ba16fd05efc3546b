// Pixel buffers and the raster copies the game draws with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace volley {

// 0x00RRGGBB; the top byte is unused and kept at zero.
using Pixel = uint32_t;

inline constexpr Pixel kBlack = 0x000000;
inline constexpr Pixel kWhite = 0xFFFFFF;

inline constexpr Pixel MakePixel(uint8_t r, uint8_t g, uint8_t b) {
    return (Pixel{r} << 16) | (Pixel{g} << 8) | Pixel{b};
}

// A picture surface: Width x Height pixels, row after row, allocated once.
struct Surface {
    int Width = 0;
    int Height = 0;
    std::vector<Pixel> Pixels;

    Surface() = default;
    Surface(int width, int height, Pixel fill = kBlack);

    Pixel At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
    Pixel& At(int x, int y) { return Pixels[static_cast<size_t>(y) * Width + x]; }
    Pixel* Row(int y) { return Pixels.data() + static_cast<size_t>(y) * Width; }
    const Pixel* Row(int y) const { return Pixels.data() + static_cast<size_t>(y) * Width; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
};

// How a copied pixel combines with the one it lands on.
enum class RasterOp { Copy, And, Or };

// Copies the w x h rectangle at (sx, sy) of src to (x, y) of dst. Only pixels that exist in both
// surfaces are touched, whatever the coordinates (negative ones included).
void Blit(Surface& dst, int x, int y, const Surface& src, int sx, int sy, int w, int h,
          RasterOp op);

// Draws a masked sprite: the same as an And copy of the w x h rectangle at (sx, sy) of mask to
// (x, y) of dst followed by an Or copy of the same rectangle of sheet, done in one pass when mask
// and sheet are the same size and neither is dst.
void BlitMasked(Surface& dst, int x, int y, const Surface& mask, const Surface& sheet, int sx,
                int sy, int w, int h);

// Scales the whole of src over the whole of dst, nearest pixel.
void StretchBlit(Surface& dst, const Surface& src, RasterOp op);

// Sets one pixel; a point outside the surface is ignored.
void SetPixel(Surface& dst, int x, int y, Pixel colour);

}  // namespace volley
