#include "platform/surface.h"

#include "platform/mask_runs.h"

#include <gtest/gtest.h>

#include <string>

namespace volley {
namespace {

Surface Numbered(int w, int h, Pixel base) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            s.At(x, y) = base + static_cast<Pixel>((y << 8) | x);
        }
    }
    return s;
}

Surface Scrambled(int w, int h, uint32_t seed) {
    Surface s(w, h);
    for (Pixel& p : s.Pixels) {
        seed = seed * 1664525u + 1013904223u;
        p = seed >> 8;
    }
    return s;
}

// Origins before, on and past every edge and sizes from negative to too large, axis by axis.
template <typename Check>
void ForEachClip(Check check) {
    const int places[] = {-9, -3, -1, 0, 1, 3, 4, 5, 6, 7, 8, 12};
    const int sizes[] = {-2, 0, 1, 3, 6, 8, 20};
    for (int x : places) {
        for (int sx : places) {
            for (int w : sizes) {
                check(x, 2, sx, 1, w, 3);
                check(2, x, 1, sx, 3, w);
            }
        }
    }
}

std::string Where(int x, int y, int sx, int sy, int w, int h) {
    return "at " + std::to_string(x) + "," + std::to_string(y) + " from " + std::to_string(sx) +
           "," + std::to_string(sy) + " size " + std::to_string(w) + "x" + std::to_string(h);
}

TEST(RasterOps, CopyAndOrCombinePixelByPixel) {
    Surface src(2, 1);
    src.Pixels = {0x00FF00FF, 0x00123456};
    const std::pair<RasterOp, std::vector<Pixel>> ops[] = {
        {RasterOp::Copy, {0x00FF00FF, 0x00123456}},
        {RasterOp::And, {0x00F000F0, 0x00020406}},
        {RasterOp::Or, {0x00FFF0FF, 0x001F3F5F}}};
    for (const auto& [op, expected] : ops) {
        Surface dst(2, 1);
        dst.Pixels = {0x00F0F0F0, 0x000F0F0F};
        Blit(dst, 0, 0, src, 0, 0, 2, 1, op);
        EXPECT_EQ(dst.Pixels, expected) << static_cast<int>(op);
    }
}

TEST(RasterOps, ClipsToBothSurfacesWhateverTheCoordinates) {
    const Surface src = Numbered(7, 5, 0x00100000);
    ForEachClip([&](int x, int y, int sx, int sy, int w, int h) {
        Surface expected(6, 4, 0x00ABCDEF), actual = expected;
        for (int row = 0; row < h; ++row) {
            for (int col = 0; col < w; ++col) {
                if (expected.Contains(x + col, y + row) && src.Contains(sx + col, sy + row)) {
                    expected.At(x + col, y + row) = src.At(sx + col, sy + row);
                }
            }
        }
        Blit(actual, x, y, src, sx, sy, w, h, RasterOp::Copy);
        EXPECT_EQ(actual.Pixels, expected.Pixels) << Where(x, y, sx, sy, w, h);
    });
}

TEST(RasterOps, ExtremeCoordinatesTouchNothing) {
    Surface dst(4, 4, 0x00010203);
    Surface src(4, 4, kWhite);
    const Surface before = dst;
    Blit(dst, INT32_MAX, 0, src, 0, 0, 4, 4, RasterOp::Copy);
    Blit(dst, INT32_MIN, INT32_MIN, src, 0, 0, INT32_MAX, INT32_MAX, RasterOp::Copy);
    Blit(dst, 0, 0, src, INT32_MAX - 1, 0, INT32_MAX, 4, RasterOp::Copy);
    Blit(dst, 0, 0, src, INT32_MIN, INT32_MIN, 4, 4, RasterOp::Copy);
    EXPECT_EQ(dst.Pixels, before.Pixels);
    Blit(dst, 0, 0, src, 0, 0, INT32_MAX, INT32_MAX, RasterOp::Copy);
    EXPECT_EQ(dst.Pixels, src.Pixels);
}

// A masked sprite, by pixels or by runs, equals the mask ANDed in, then the sheet ORed in.
void ExpectMaskedSameAsTwoCopies(const Surface& mask, const Surface& sheet, MaskRuns& runs, int x,
                                 int y, int sx, int sy, int w, int h) {
    const Surface start = Scrambled(9, 7, 99);
    Surface expected = start, actual = start, byRuns = start;
    Blit(expected, x, y, mask, sx, sy, w, h, RasterOp::And);
    Blit(expected, x, y, sheet, sx, sy, w, h, RasterOp::Or);
    BlitMasked(actual, x, y, mask, sheet, sx, sy, w, h);
    BlitMasked(byRuns, x, y, mask, sheet, runs, sx, sy, w, h);
    EXPECT_EQ(actual.Pixels, expected.Pixels) << Where(x, y, sx, sy, w, h);
    EXPECT_EQ(byRuns.Pixels, expected.Pixels) << "by runs " << Where(x, y, sx, sy, w, h);
}

// Masks see-through, solid, white over a painting sheet, or (unless black and white) neither.
TEST(RasterOps, AMaskedSpriteIsTheMaskAndThenTheSheetWhateverTheClipping) {
    for (bool blackAndWhite : {false, true}) {
        Surface mask = Scrambled(8, 6, 1);
        Surface sheet = Scrambled(8, 6, 2);
        for (size_t i = 0; i < mask.Pixels.size(); ++i) {
            const size_t kind = (i * 2654435761u >> 7) % 6;
            if (kind < 2) {
                sheet.Pixels[i] = kBlack;
            }
            if (kind < 5) {
                mask.Pixels[i] = kind == 2 || kind == 3 ? kBlack : kWhite;
            } else if (blackAndWhite) {
                mask.Pixels[i] = kBlack;
            }
        }
        // Shared by every draw, so most cells are drawn again by the runs their first draw found.
        MaskRuns runs = MaskRunsFor(mask, sheet);
        ForEachClip([&](int x, int y, int sx, int sy, int w, int h) {
            ExpectMaskedSameAsTwoCopies(mask, sheet, runs, x, y, sx, sy, w, h);
        });
    }
}

TEST(RasterOps, AMaskAndSheetOfDifferentSizesOrOfOneSurfaceKeepTheOrderOfTheTwoCopies) {
    // The sheet is smaller: near its edge the mask still darkens where the sheet paints nothing.
    const Surface mask = Scrambled(8, 6, 3);
    const Surface smaller = Scrambled(5, 4, 4);
    MaskRuns none = MaskRunsFor(mask, smaller);
    for (int s : {0, 2, 3, 4, 6}) {
        ExpectMaskedSameAsTwoCopies(mask, smaller, none, 1, 1, s, s, 4, 4);
    }
    // Drawn up and left of its cell, its pixels are read after the mask reached them.
    Surface sheet = Scrambled(8, 6, 5);
    Surface expected = sheet;
    Blit(expected, 0, 0, mask, 2, 1, 5, 4, RasterOp::And);
    Blit(expected, 0, 0, expected, 2, 1, 5, 4, RasterOp::Or);
    Surface byRuns = sheet;
    MaskRuns runs = MaskRunsFor(mask, byRuns);
    BlitMasked(sheet, 0, 0, mask, sheet, 2, 1, 5, 4);
    BlitMasked(byRuns, 0, 0, mask, byRuns, runs, 2, 1, 5, 4);
    EXPECT_EQ(sheet.Pixels, expected.Pixels);
    EXPECT_EQ(byRuns.Pixels, expected.Pixels);
}

// A sheet of more cells than the runs have slots for, and a cell of more runs than they have room
// for: those cells are drawn pixel by pixel, and the runs never grow past the room they started
// with (a frame allocates nothing).
TEST(RasterOps, CellsBeyondTheRoomForRunsAreStillDrawnExactly) {
    constexpr int kSide = 256;
    Surface mask(kSide, kSide, kWhite), sheet = Scrambled(kSide, kSide, 6);
    for (size_t i = 0; i < mask.Pixels.size(); i += 2) {
        mask.Pixels[i] = kBlack;
        sheet.Pixels[i + 1] = kBlack;
    }
    MaskRuns runs = MaskRunsFor(mask, sheet);
    const size_t room = runs.Runs.capacity();
    auto expectExact = [&](int x, int y, int sx, int sy, int w, int h) {
        Surface expected(40, 40, 0x00123456), actual = expected;
        Blit(expected, x, y, mask, sx, sy, w, h, RasterOp::And);
        Blit(expected, x, y, sheet, sx, sy, w, h, RasterOp::Or);
        BlitMasked(actual, x, y, mask, sheet, runs, sx, sy, w, h);
        ASSERT_EQ(actual.Pixels, expected.Pixels) << Where(x, y, sx, sy, w, h);
    };
    expectExact(-100, -100, 0, 0, kSide, kSide);  // 32,768 runs
    for (int cell = 0; cell < 2 * static_cast<int>(MaskRuns::kCellSlots); ++cell) {
        expectExact(cell % 7 - 3, cell % 5, cell % kSide, cell / 7, 9, 8);
    }
    EXPECT_EQ(runs.Runs.capacity(), room);
}

// Each pixel shows the art pixel under its centre: columns are 451/130 = 3.47 pixels wide, so
// column 3's centre (3.5) lies in art column 1; rows are 532/130 = 4.09 high, so row 4's does.
TEST(Stretch, BackgroundArtCoversThePlaySurfaceByNearestPixelAndPointsOffItAreLeftOut) {
    Surface art = Numbered(130, 130, 0);
    Surface play(451, 532, 0x00FF00FF);
    StretchBlit(play, art, RasterOp::Copy);
    const std::pair<std::pair<int, int>, std::pair<int, int>> places[] = {{{450, 531}, {129, 129}},
                                                                          {{2, 0}, {0, 0}},
                                                                          {{3, 0}, {1, 0}},
                                                                          {{0, 3}, {0, 0}},
                                                                          {{0, 4}, {0, 1}}};
    for (const auto& [at, from] : places) {
        EXPECT_EQ(play.At(at.first, at.second), art.At(from.first, from.second))
            << at.first << "," << at.second;
    }
    std::vector<bool> seen(art.Pixels.size());
    for (Pixel p : play.Pixels) {
        seen[((p >> 8) & 0xFF) * 130 + (p & 0xFF)] = true;
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), false), 0) << "every art pixel shows";
    const Surface before = play;
    StretchBlit(play, Surface(), RasterOp::Copy);
    EXPECT_EQ(play.Pixels, before.Pixels) << "an empty source leaves the destination";
    Surface s(3, 3);
    for (const auto& [x, y] : {std::pair{2, 2}, {3, 0}, {-1, 0}, {0, 3}, {0, -1}}) {
        SetPixel(s, x, y, kWhite);
    }
    EXPECT_EQ(s.At(2, 2), kWhite);
    EXPECT_EQ(std::count(s.Pixels.begin(), s.Pixels.end(), kWhite), 1);
}

}  // namespace
}  // namespace volley
