// The generated game files the previews are made from, read back as the game reads them.
#pragma once

#include <array>
#include <filesystem>

#include "game/sprite_types.h"
#include "platform/surface.h"

namespace assetgen_preview {

struct SheetFiles {
    volley::Surface Sheet;       // Chr.bmp
    volley::Surface Mask;        // MChr.bmp
    volley::Surface Background;  // Back.bmp
    // PlayerShotTypes, EnemyTypes, EnemyShotTypes from Data.dat.
    std::array<std::array<volley::SpriteRect, volley::kSpriteKinds>, volley::kDataTables> Tables{};
};

// Throws std::runtime_error naming the file that cannot be read.
SheetFiles LoadSheetFiles(const std::filesystem::path& game);

// Saves a surface as a 24-bit bitmap.
void SaveSurface(const volley::Surface& surface, const std::filesystem::path& path);

}  // namespace assetgen_preview
