// The files the game reads at start-up and writes at exit.
#pragma once

#include <string>

namespace volley {

struct Game;

// Full path of a file in the program's folder, from its relative path ("Data/Data.dat").
std::string ProgramFile(const Game& g, const char* relative);

// Reads the sprite rectangle tables from Data/Data.dat. A missing file stops the start-up with a
// StartupError naming it; a short file reads zeros for what is missing.
void LoadFiles(Game& g);

// Reads the window's pictures (background, gauge art, sprite sheet and mask, icon) from
// Graphics/; a missing or damaged one stops the start-up with a StartupError naming it.
void LoadPictures(Game& g);

// Writes the save file.
void SaveData(Game& g);

}  // namespace volley
