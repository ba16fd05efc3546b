// The files the game reads at start-up and writes at exit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace volley {

struct Game;

// Full path of a file in the program's folder, from its relative path ("Data/Data.dat").
std::string ProgramFile(const Game& g, const char* relative);

// Reads the sprite rectangle tables from Data/Data.dat, the save file and the four effects. Only
// reads: nothing is created. A missing Data.dat stops the start-up with a StartupError naming it;
// a short one reads zeros for what is missing. A missing save file is a first run; a missing effect
// stays silent, with a warning.
void LoadFiles(Game& g);

// The sprite rectangle tables from the bytes of a Data/Data.dat image: what a short image lacks
// reads as zeros, and bytes past the three tables are ignored.
void DecodeDataTables(const uint8_t* data, size_t size, Game& g);

// Reads the window's pictures (background, gauge art, sprite sheet and mask, icon) from
// Graphics/; a missing or damaged one stops the start-up with a StartupError naming it.
void LoadPictures(Game& g);

// Writes the save file; false, with the reason on the error output, when it cannot.
bool SaveData(Game& g);

}  // namespace volley
