#include "shell/music.h"

namespace volley {

// The game is silent for now: there is no music service behind these yet.
void MusicOpen(Game&) {}
void PlayMusic(Game&, std::string_view) {}
void StopMusic(Game&) {}
void MusicClose(Game& g) {
    StopMusic(g);
}

}  // namespace volley
