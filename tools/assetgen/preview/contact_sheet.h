// The sprite sheet enlarged three times on a dark grey checker, where the mask is clear, with a
// frame and a label on every cell of Data.dat: P for the ship's shots, E for enemies and items,
// S for enemy shots, followed by the kind.
#pragma once

#include "platform/surface.h"
#include "sheet_files.h"

namespace assetgen_preview {

inline constexpr int kContactScale = 3;

volley::Surface ComposeContactSheet(const SheetFiles& files);

}  // namespace assetgen_preview
