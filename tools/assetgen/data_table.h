// Data.dat: where on the sprite sheet each kind of shot and enemy is drawn from. Three tables of
// 101 records (PlayerShotTypes, EnemyTypes, EnemyShotTypes, in that order, no gaps); a record is
// SrcX, SrcY, Width, Height as 16-bit signed little-endian numbers. Unlisted records stay zero.
//
// Source lines: "<table> <index> <x> <y> <width> <height>", or "<table> <index> <sprite>" to take
// the rectangle of a sprite's cell on the sheet. '#' starts a comment.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/data_layout.h"
#include "sprite.h"

namespace assetgen {

// The file's shape is the one the game reads.
inline constexpr int kRecordsPerTable = volley::kSpriteKinds;
inline constexpr int kRecordSize = static_cast<int>(volley::kSpriteRecordBytes);
inline constexpr int kTableSize = static_cast<int>(volley::kSpriteTableBytes);
inline constexpr int kDataFileSize = static_cast<int>(volley::kDataFileBytes);
inline constexpr std::array<std::string_view, 3> kTableNames = {"PlayerShotTypes", "EnemyTypes",
                                                                "EnemyShotTypes"};

struct SheetRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;

    friend bool operator==(const SheetRect&, const SheetRect&) = default;
};

using RectTables = std::array<std::array<SheetRect, kRecordsPerTable>, kTableNames.size()>;

// Fails naming the file and line on an unknown table or sprite, an index outside 0..100, a
// rectangle not wholly on the sheet, or a record given twice.
RectTables ParseRectTables(std::string_view text, const std::string& file,
                           const std::vector<Sprite>& sprites);

std::vector<uint8_t> EncodeDataFile(const RectTables& tables);

}  // namespace assetgen
