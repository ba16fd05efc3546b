// Masked sprites drawn by runs: the first draw of a sheet's cell finds where it changes anything,
// row by row, and every later draw of that cell goes by those runs alone.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/surface.h"

namespace volley {

// A draw through a mask leaves see-through pixels (a white mask over a black sheet) as they were
// and turns solid ones (a black mask) into the sheet's pixel whatever lay under them, so a run of
// solid pixels is a plain copy; any other pixel mixes the mask, the sheet and what lies under it.
// Valid while the mask and the sheet keep their pixels.
struct MaskRuns {
    struct Run {
        uint16_t Row = 0;    // from the cell's top
        uint16_t Begin = 0;  // from the cell's left
        uint16_t End = 0;
        bool Solid = false;
    };
    struct Cell {
        uint64_t Key = 0;  // 0 for a free slot
        uint32_t First = 0;
        uint32_t Count = 0;
        bool Refused = false;  // its runs did not fit: drawn pixel by pixel
    };
    // The game draws about a hundred cells; these bounds keep the cells of any sheet from
    // growing the tables in a frame.
    static constexpr uint32_t kCellSlots = 512;
    static constexpr int kProbes = 8;
    static constexpr uint32_t kRunCapacity = 16384;

    int Width = 0;
    int Height = 0;
    std::vector<Cell> Cells;
    std::vector<Run> Runs;
};

// Empty runs for a mask and a sheet of the same size (each side at most 65535 pixels); runs that
// fit neither (width 0) when they differ.
MaskRuns MaskRunsFor(const Surface& mask, const Surface& sheet);

// The same as BlitMasked (for pixels whose unused top byte is zero, as all are), by the runs of
// the cell (sx, sy, w, h), found on its first draw. Draws that cannot use runs (a cell not wholly
// on the sheet, no room left for its runs, dst being the mask or the sheet) go pixel by pixel.
void BlitMasked(Surface& dst, int x, int y, const Surface& mask, const Surface& sheet,
                MaskRuns& runs, int sx, int sy, int w, int h);

}  // namespace volley
