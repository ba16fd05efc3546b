// The raster copies under any coordinates: the bytes are a list of operations (copy, AND, OR,
// stretch, set-pixel and the game's masked sprite draw) on three surfaces of 0 to 8 pixels a side,
// with offsets and sizes anywhere in the int range. Each operation is also worked out pixel by
// pixel, straight from its definition, and both results must agree; AddressSanitizer catches any
// touch outside a surface.
#include <array>
#include <cstdint>
#include <memory>

#include "display/blit.h"
#include "game/game.h"
#include "platform/headless.h"
#include "platform/surface.h"

namespace {

using namespace volley;

constexpr int kMaxSide = 8;
constexpr int kMaxOperations = 64;

void Require(bool promise) {
    if (!promise) {
        __builtin_trap();
    }
}

class InputReader {
  public:
    InputReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    // Mostly small offsets around the surfaces, sometimes any int at all.
    int Coordinate() {
        const uint8_t b = Byte();
        if (b < 0xF0) {
            return b % 25 - 12;
        }
        uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) {
            bits = (bits << 8) | Byte();
        }
        return static_cast<int>(bits);
    }

    int Side() { return Byte() % (kMaxSide + 1); }
    RasterOp Op() { return static_cast<RasterOp>(Byte() % 3); }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Every pixel different, so that a pixel taken from the wrong place shows.
Surface Patterned(int width, int height, uint32_t tag) {
    Surface s(width, height);
    for (int y = 0; y < s.Height; ++y) {
        for (int x = 0; x < s.Width; ++x) {
            s.At(x, y) =
                ((tag * 0x9E3779B1u) ^ static_cast<uint32_t>(y * 16 + x) * 0x10101u) & 0xFFFFFF;
        }
    }
    return s;
}

Pixel Combine(RasterOp op, Pixel d, Pixel s) {
    switch (op) {
        case RasterOp::Copy: return s;
        case RasterOp::And: return d & s;
        case RasterOp::Or: return d | s;
    }
    return d;
}

// The copy's definition: destination pixel (dx, dy) lies at (dx - x, dy - y) within the w x h
// rectangle and takes the source pixel at the same place of the rectangle at (sx, sy), when both
// exist.
void ModelBlit(Surface& dst, int64_t x, int64_t y, const Surface& src, int64_t sx, int64_t sy,
               int64_t w, int64_t h, RasterOp op) {
    for (int dy = 0; dy < dst.Height; ++dy) {
        for (int dx = 0; dx < dst.Width; ++dx) {
            const int64_t i = dx - x;
            const int64_t j = dy - y;
            if (i < 0 || j < 0 || i >= w || j >= h) {
                continue;
            }
            const int64_t px = sx + i;
            const int64_t py = sy + j;
            if (px < 0 || py < 0 || px >= src.Width || py >= src.Height) {
                continue;
            }
            dst.At(dx, dy) =
                Combine(op, dst.At(dx, dy), src.At(static_cast<int>(px), static_cast<int>(py)));
        }
    }
}

// The stretch's definition: each destination pixel takes the source pixel under its centre.
void ModelStretch(Surface& dst, const Surface& src, RasterOp op) {
    if (src.Width == 0 || src.Height == 0) {
        return;
    }
    for (int dy = 0; dy < dst.Height; ++dy) {
        for (int dx = 0; dx < dst.Width; ++dx) {
            const double cx = (dx + 0.5) * src.Width / dst.Width;
            const double cy = (dy + 0.5) * src.Height / dst.Height;
            dst.At(dx, dy) =
                Combine(op, dst.At(dx, dy), src.At(static_cast<int>(cx), static_cast<int>(cy)));
        }
    }
}

void RequireSame(const Surface& a, const Surface& b) {
    Require(a.Width == b.Width && a.Height == b.Height && a.Pixels == b.Pixels);
}

// The game whose play surface, sprite sheet and mask the masked draw works on.
Game& DrawingGame() {
    static HeadlessPlatform platform;
    static Game game(platform.Services(), "");
    return game;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputReader in(data, size);
    Game& g = DrawingGame();
    std::array<Surface*, 3> real = {&g.Form1.Picture2, &g.Form1.Chr, &g.Form1.MChr};
    std::array<Surface, 3> model;
    for (size_t i = 0; i < real.size(); ++i) {
        const int width = in.Side();
        *real[i] = Patterned(width, in.Side(), static_cast<uint32_t>(i));
        model[i] = *real[i];
    }
    for (int n = 0; n < kMaxOperations && !in.Empty(); ++n) {
        const uint8_t code = in.Byte();
        const size_t d = in.Byte() % 3;
        const size_t s = in.Byte() % 3;
        switch (code % 7) {
            case 0:
            case 1: {
                const int x = in.Coordinate(), y = in.Coordinate();
                const int sx = in.Coordinate(), sy = in.Coordinate();
                const int w = in.Coordinate(), h = in.Coordinate();
                const RasterOp op = in.Op();
                if (code % 7 == 0) {
                    Blit(*real[d], x, y, *real[s], sx, sy, w, h, op);
                } else {
                    BlitPart(*real[d], x, y, *real[s], sx, sy, w, h, op);
                }
                ModelBlit(model[d], x, y, model[s], sx, sy, w, h, op);
                break;
            }
            case 2: {
                const int x = in.Coordinate(), y = in.Coordinate();
                const RasterOp op = in.Op();
                BlitWhole(*real[d], *real[s], x, y, op);
                ModelBlit(model[d], x, y, model[s], 0, 0, model[s].Width, model[s].Height, op);
                break;
            }
            case 3:
            case 4: {
                const RasterOp op = in.Op();
                if (code % 7 == 3) {
                    StretchBlit(*real[d], *real[s], op);
                } else {
                    StretchWhole(*real[d], *real[s], op);
                }
                ModelStretch(model[d], model[s], op);
                break;
            }
            case 5: {
                const int x = in.Coordinate(), y = in.Coordinate();
                // Kept to 0x00RRGGBB, as every pixel of the game is.
                const Pixel colour = (in.Byte() * 0x010203u) & 0xFFFFFF;
                SetPixel(*real[d], x, y, colour);
                if (model[d].Contains(x, y)) {
                    model[d].At(x, y) = colour;
                }
                break;
            }
            case 6: {
                const int x = in.Coordinate(), y = in.Coordinate();
                const int sx = in.Coordinate(), sy = in.Coordinate();
                const int w = in.Coordinate(), h = in.Coordinate();
                // Found anew, as the game finds them when it loads its sheet.
                g.Form1.ChrRuns = MaskRunsFor(g.Form1.MChr, g.Form1.Chr);
                DrawMasked(g, x, y, sx, sy, w, h);
                ModelBlit(model[0], x, y, model[2], sx, sy, w, h, RasterOp::And);
                ModelBlit(model[0], x, y, model[1], sx, sy, w, h, RasterOp::Or);
                break;
            }
        }
        // A surface copied onto itself is only required to stay in bounds: what an overlapping
        // copy leaves is not defined.
        if (d == s && code % 7 <= 4) {
            model[d] = *real[d];
        }
        for (size_t i = 0; i < real.size(); ++i) {
            RequireSame(*real[i], model[i]);
        }
    }
    return 0;
}
