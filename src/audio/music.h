// Music: one piece at a time, switched by name.
#pragma once

#include <string>
#include <string_view>

#include "game/music_pieces.h"

namespace volley {

struct Game;

// Gets the music player ready, finds the file of every piece the game plays and starts loading
// them all.
void MusicOpen(Game& g);

// Replaces the playing piece with this one, from its start. The pieces' files were found by
// MusicOpen, so that a switch in the middle of a frame builds no path.
void PlayMusic(Game& g, MusicPiece piece);

void StopMusic(Game& g);

// Stops the music and shuts the player down.
void MusicClose(Game& g);

// The file of a piece, in the Music folder among the game's files; never one that happens to lie in
// whatever folder the game was started from.
std::string MusicPath(const Game& g, std::string_view name);

}  // namespace volley
