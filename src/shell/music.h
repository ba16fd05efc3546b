// Music: one piece at a time, switched by name.
#pragma once

#include <string_view>

namespace volley {

struct Game;

void MusicOpen(Game& g);
void PlayMusic(Game& g, std::string_view name);
void StopMusic(Game& g);
void MusicClose(Game& g);

}  // namespace volley
