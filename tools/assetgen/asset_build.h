// Turns the sources in assets/ into the files the game reads. Everything is made in memory first
// and written only when all of it succeeded, so a bad source leaves the old outputs untouched.
//
// assets/
//   backdrop.txt        recipe of Back.bmp (see background.h)
//   icon.txt            which sprite becomes Icon.bmp
//   sprite_rects.txt    Data.dat (see data_table.h)
//   sprites/*.txt       hand-drawn sprites with their sheet cells (see pixel_art.h)
//   shapes/*.txt        sprites painted from shapes: craft, bosses, shots (see shape_art.h)
//   explosions/*.txt    recipes of explosion frame rows (see explosion.h)
//   sound/*.txt         recipes of the effects (see sfx_synth.h)
//   music/*.mml         the music, in the notation of mml_compiler.h
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sprite.h"

namespace assetgen {

struct OutputFile {
    std::string Path;  // relative to the output folder, '/'-separated
    std::vector<uint8_t> Bytes;
};

// Folders the game expects even while nothing is in them yet.
inline constexpr std::array<const char*, 2> kEmptyFolders = {"Sound", "Music"};

// Every sprite of the sheet: the drawn ones (files by name), the shape-painted ones, then the
// painted explosions.
std::vector<Sprite> LoadSprites(const std::filesystem::path& assets);

// Back.bmp, SBar.bmp, Chr.bmp, MChr.bmp, Icon.bmp and Data.dat, in that order.
std::vector<OutputFile> BuildAssets(const std::filesystem::path& assets);

// BuildAssets' files, then the effects and the music (see audio_build.h).
std::vector<OutputFile> BuildAllAssets(const std::filesystem::path& assets);

void WriteAssets(const std::vector<OutputFile>& files, const std::filesystem::path& output);

}  // namespace assetgen
