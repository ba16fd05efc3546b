// A made-up moment of play composed the way the game composes its frames: the backdrop stretched
// over the 451 x 532 play surface, then every sprite through its mask (AND) and the sheet (OR), in
// the game's layer order. It shows whether the art reads at 1x, in company.
#pragma once

#include "platform/surface.h"
#include "sheet_files.h"

namespace assetgen_preview {

inline constexpr int kPlayWidth = 451;
inline constexpr int kPlayHeight = 532;

volley::Surface ComposeFramePreview(const SheetFiles& files);

}  // namespace assetgen_preview
