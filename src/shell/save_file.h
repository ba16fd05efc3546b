// The save file: the highest unlocked stage, the total score and the nine high scores.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace volley {

struct Game;

inline constexpr size_t kSaveBytes = 42;

// Where the save lives: the given path when there is one; otherwise Data/SaveData.dat in the
// program's folder when that folder can be written; otherwise volley/SaveData.dat under
// $XDG_DATA_HOME, or ~/.local/share when that is unset.
std::string ChooseSaveFile(const std::string& programDir, const std::string& givenPath);

// volley/SaveData.dat under $XDG_DATA_HOME (~/.local/share when unset): the save of an installed
// game, whose own folders belong to the system.
std::string UserSaveFile();

// Reads g.SaveFile into the game state. A missing or short file reads zeros for what it lacks
// (a first run); the stage limit is kept within the eight stages.
void LoadSaveData(Game& g);

// Writes the save data to g.SaveFile without ever leaving a torn file: a whole new file is written
// beside it and renamed over it. Bytes past the 42 of an existing longer file are kept. Returns
// false with a reason in error when the file cannot be written.
bool WriteSaveData(const Game& g, std::string& error);

// The 42 bytes of the save file for the game's state, and the state from them.
std::array<uint8_t, kSaveBytes> EncodeSave(const Game& g);
void DecodeSave(const std::array<uint8_t, kSaveBytes>& bytes, Game& g);

}  // namespace volley
