// The save file: the highest unlocked stage, the total score and the nine high scores.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace volley {

struct Game;

inline constexpr size_t kSaveBytes = 42;
// What a save may hold past its own bytes and still be kept whole: far more than anything that
// has a reason to be there, and small enough to carry through a game.
inline constexpr size_t kMaxSaveTailBytes = size_t{64} << 10;

// Where the save lives: the given path when there is one; otherwise Data/SaveData.dat in the
// program's folder when that folder can be written; otherwise volley/SaveData.dat under
// $XDG_DATA_HOME, or ~/.local/share when that is unset.
std::string ChooseSaveFile(const std::string& programDir, const std::string& givenPath);

// volley/SaveData.dat under $XDG_DATA_HOME (~/.local/share when unset): the save of an installed
// game, whose own folders belong to the system.
std::string UserSaveFile();

// Reads g.SaveFile into the game state, and what it holds past its 42 bytes into g.SaveTail. A
// missing or short file reads zeros for what it lacks (a first run); the stage limit is kept
// within the eight stages. A save that is there but cannot be read (no permission, a folder, a
// symbolic link, too large, a failing disk) throws a StartupError naming it: it must neither be
// played over nor replaced by a first run's.
void LoadSaveData(Game& g);

// Whether the save at path is a file nobody may write, which the game leaves as it is.
bool SaveIsReadOnly(const std::string& path);

// Writes the save data and g.SaveTail to g.SaveFile without ever leaving a torn file: a whole new
// file is written beside it and renamed over it. Returns false with a reason in error when the
// file cannot or must not be written.
bool WriteSaveData(const Game& g, std::string& error);

// The 42 bytes of the save file for the game's state, and the state from them.
std::array<uint8_t, kSaveBytes> EncodeSave(const Game& g);
void DecodeSave(const std::array<uint8_t, kSaveBytes>& bytes, Game& g);

}  // namespace volley
