#include "platform/mask_runs.h"

#include <algorithm>
#include <cstring>

namespace volley {

namespace {

enum class PixelUse { SeeThrough, Solid, Mixed };

PixelUse UseOf(Pixel mask, Pixel paint) {
    if (mask == kBlack) {
        return PixelUse::Solid;
    }
    return mask == kWhite && paint == kBlack ? PixelUse::SeeThrough : PixelUse::Mixed;
}

// Most runs of shots are a few pixels long: two overlapping 16-byte moves beat a call to memcpy.
void CopyPixels(Pixel* out, const Pixel* in, int count) {
    if (count >= 4 && count <= 8) {
        std::memcpy(out, in, 16);
        std::memcpy(out + count - 4, in + count - 4, 16);
        return;
    }
    std::memcpy(out, in, static_cast<size_t>(count) * sizeof(Pixel));
}

// Calls found(row, begin, end, solid) for each run of the cell, relative to it.
template <typename Found>
void ForEachRun(const Surface& mask, const Surface& sheet, int sx, int sy, int w, int h,
                Found found) {
    for (int row = 0; row < h; ++row) {
        const Pixel* shape = mask.Row(sy + row) + sx;
        const Pixel* paint = sheet.Row(sy + row) + sx;
        for (int x = 0; x < w;) {
            const PixelUse use = UseOf(shape[x], paint[x]);
            int end = x + 1;
            while (end < w && UseOf(shape[end], paint[end]) == use) {
                ++end;
            }
            if (use != PixelUse::SeeThrough) {
                found(row, x, end, use == PixelUse::Solid);
            }
            x = end;
        }
    }
}

// Finds the cell's runs into cell, unless they would pass the room kept for runs.
void FindCellRuns(MaskRuns& runs, MaskRuns::Cell& cell, const Surface& mask, const Surface& sheet,
                  int sx, int sy, int w, int h) {
    size_t count = 0;
    ForEachRun(mask, sheet, sx, sy, w, h, [&](int, int, int, bool) { ++count; });
    if (count > MaskRuns::kRunCapacity - runs.Runs.size()) {
        cell.Refused = true;
        return;
    }
    cell.First = static_cast<uint32_t>(runs.Runs.size());
    cell.Count = static_cast<uint32_t>(count);
    ForEachRun(mask, sheet, sx, sy, w, h, [&](int row, int begin, int end, bool solid) {
        runs.Runs.push_back({static_cast<uint16_t>(row), static_cast<uint16_t>(begin),
                             static_cast<uint16_t>(end), solid});
    });
}

// The cell's slot, its runs found on the first call; none when the cell is not wholly on the
// sheet or has no slot left.
const MaskRuns::Cell* CellOf(MaskRuns& runs, const Surface& mask, const Surface& sheet, int sx,
                             int sy, int w, int h) {
    if (sx < 0 || sy < 0 || w <= 0 || h <= 0 || w > runs.Width - sx || h > runs.Height - sy) {
        return nullptr;
    }
    // Every side is below 65536, so the four make a key, never 0 since w is not.
    const uint64_t key = uint64_t(sx) << 48 | uint64_t(sy) << 32 | uint64_t(w) << 16 | uint64_t(h);
    uint32_t slot = static_cast<uint32_t>((key * 0x9E3779B97F4A7C15u) >> 32);
    for (int probe = 0; probe < MaskRuns::kProbes; ++probe, ++slot) {
        MaskRuns::Cell& cell = runs.Cells[slot % MaskRuns::kCellSlots];
        if (cell.Key == 0) {
            cell.Key = key;
            FindCellRuns(runs, cell, mask, sheet, sx, sy, w, h);
        }
        if (cell.Key == key) {
            return cell.Refused ? nullptr : &cell;
        }
    }
    return nullptr;
}

void DrawRuns(Surface& dst, int64_t x, int64_t y, const Surface& mask, const Surface& sheet,
              const MaskRuns& runs, const MaskRuns::Cell& cell, int sx, int sy) {
    const MaskRuns::Run* run = runs.Runs.data() + cell.First;
    const MaskRuns::Run* end = run + cell.Count;
    for (; run != end; ++run) {
        const int64_t row = y + run->Row;
        const int64_t left = std::max<int64_t>(x + run->Begin, 0);
        const int64_t right = std::min<int64_t>(x + run->End, dst.Width);
        if (row < 0 || row >= dst.Height || left >= right) {
            continue;
        }
        const auto sheetX = static_cast<int>(sx + (left - x));
        const int sheetY = sy + run->Row;
        const auto length = static_cast<int>(right - left);
        if (run->Solid) {
            CopyPixels(dst.Row(static_cast<int>(row)) + left, sheet.Row(sheetY) + sheetX, length);
        } else {
            BlitMasked(dst, static_cast<int>(left), static_cast<int>(row), mask, sheet, sheetX,
                       sheetY, length, 1);
        }
    }
}

}  // namespace

MaskRuns MaskRunsFor(const Surface& mask, const Surface& sheet) {
    MaskRuns runs;
    const bool sameSize = mask.Width == sheet.Width && mask.Height == sheet.Height;
    if (!sameSize || mask.Width > 0xFFFF || mask.Height > 0xFFFF) {
        return runs;
    }
    runs.Width = mask.Width;
    runs.Height = mask.Height;
    runs.Cells.resize(MaskRuns::kCellSlots);
    runs.Runs.reserve(MaskRuns::kRunCapacity);
    return runs;
}

void BlitMasked(Surface& dst, int x, int y, const Surface& mask, const Surface& sheet,
                MaskRuns& runs, int sx, int sy, int w, int h) {
    const bool fits = runs.Width == mask.Width && runs.Height == mask.Height &&
                      runs.Width == sheet.Width && runs.Height == sheet.Height &&
                      runs.Cells.size() == MaskRuns::kCellSlots;
    const MaskRuns::Cell* cell = nullptr;
    if (fits && &dst != &mask && &dst != &sheet) {
        cell = CellOf(runs, mask, sheet, sx, sy, w, h);
    }
    if (cell == nullptr) {
        BlitMasked(dst, x, y, mask, sheet, sx, sy, w, h);
        return;
    }
    DrawRuns(dst, x, y, mask, sheet, runs, *cell, sx, sy);
}

}  // namespace volley
