// Music: one piece at a time, switched by name.
#pragma once

#include <string>
#include <string_view>

namespace volley {

struct Game;

// The pieces the game plays, each known by its name.
inline constexpr int kMusicPieces = 11;

// Gets the music player ready, finds the file of every piece the game plays and starts loading
// them all.
void MusicOpen(Game& g);

// Replaces the playing piece with the named one ("Main", "Stage3", "boss", ...), from its start.
// The pieces' files were found by MusicOpen, so that a switch in the middle of a frame builds no
// path.
void PlayMusic(Game& g, std::string_view name);

void StopMusic(Game& g);

// Stops the music and shuts the player down.
void MusicClose(Game& g);

// The file of a piece, in the Music folder among the game's files; never one that happens to lie in
// whatever folder the game was started from.
std::string MusicPath(const Game& g, std::string_view name);

}  // namespace volley
