// The pictures assetgen paints: true-colour images and one-bit coverage grids.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace assetgen {

struct Rgb {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};

// Width x Height colours, top row first.
struct Image {
    int Width = 0;
    int Height = 0;
    std::vector<Rgb> Pixels;

    Image() = default;
    Image(int width, int height, Rgb fill = kBlack)
        : Width(width), Height(height), Pixels(static_cast<size_t>(width) * height, fill) {}

    Rgb At(int x, int y) const { return Pixels[Index(x, y)]; }
    Rgb& At(int x, int y) { return Pixels[Index(x, y)]; }

  private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * Width + x; }
};

// One yes/no per pixel, top row first; for sprites, "yes" means the pixel is opaque.
struct BitGrid {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Bits;

    BitGrid() = default;
    BitGrid(int width, int height, bool fill = false)
        : Width(width), Height(height), Bits(static_cast<size_t>(width) * height, fill ? 1 : 0) {}

    bool At(int x, int y) const { return Bits[Index(x, y)] != 0; }
    void Set(int x, int y, bool value) { Bits[Index(x, y)] = value ? 1 : 0; }

  private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * Width + x; }
};

// Up to 256 colours and one palette index per pixel, top row first.
struct IndexedImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Indices;
    std::vector<Rgb> Palette;
};

}  // namespace assetgen
