// Music: one piece at a time, switched by name.
#pragma once

#include <string>
#include <string_view>

namespace volley {

struct Game;

// Gets the music player ready and starts loading every piece the game plays.
void MusicOpen(Game& g);

// Replaces the playing piece with the named one ("Main", "Stage3", "boss", ...), from its start.
void PlayMusic(Game& g, std::string_view name);

void StopMusic(Game& g);

// Stops the music and shuts the player down.
void MusicClose(Game& g);

// The file of a piece: in the Music folder beside the program, or else in the current folder's.
std::string MusicPath(const Game& g, std::string_view name);

}  // namespace volley
