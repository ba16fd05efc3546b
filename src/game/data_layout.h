// The shapes of the game's data files, shared by the game that reads them and tools/assetgen that
// writes them: one definition, so the two cannot drift apart.
#pragma once

#include <cstddef>

namespace volley {

// The sprite sheet (Graphics/Chr.bmp) and its mask (Graphics/MChr.bmp), in pixels.
inline constexpr int kSheetWidth = 384;
inline constexpr int kSheetHeight = 512;

// Data/Data.dat: three tables of sprite rectangles (the ship's shots, the enemies, the enemies'
// shots, in that order), each of kSpriteKinds records of four 16-bit little-endian numbers
// (left, top, width, height on the sheet).
inline constexpr int kSpriteKinds = 101;
inline constexpr int kDataTables = 3;
inline constexpr size_t kSpriteRecordBytes = 8;
inline constexpr size_t kSpriteTableBytes = kSpriteKinds * kSpriteRecordBytes;
inline constexpr size_t kDataFileBytes = kDataTables * kSpriteTableBytes;

}  // namespace volley
