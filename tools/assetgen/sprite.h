// A sprite as assetgen places it on the sheet: its colours, which pixels are opaque, and its cell.
#pragma once

#include <string>

#include "asset_error.h"
#include "image.h"

namespace assetgen {

struct Sprite {
    std::string Name;
    // Top-left corner of the sprite's cell on the sheet.
    int X = 0;
    int Y = 0;
    Image Colours;
    // The source's own transparency; colours under a clear pixel are meaningless (kept black).
    BitGrid Opaque;
    // Where the sprite was drawn or described, for complaints about its placement.
    SourcePlace Source;

    int Width() const { return Colours.Width; }
    int Height() const { return Colours.Height; }
};

}  // namespace assetgen
