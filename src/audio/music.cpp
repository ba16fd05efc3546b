#include "audio/music.h"

#include "game/game.h"

namespace volley {

std::string MusicPath(const Game& g, std::string_view name) {
    return g.ProgramDir + "/Music/" + std::string(name) + ".mid";
}

void MusicOpen(Game& g) {
    g.Sys.music.Open();
    for (size_t i = 0; i < kMusicFileNames.size(); ++i) {
        g.MusicFiles[i] = MusicPath(g, kMusicFileNames[i]);
        g.Sys.music.Preload(g.MusicFiles[i]);
    }
}

void PlayMusic(Game& g, MusicPiece piece) {
    Music& music = g.Sys.music;
    music.Free(g.MusicHandle);
    g.MusicHandle = music.Load(g.MusicFiles[static_cast<size_t>(piece)]);
    music.Play(g.MusicHandle);
}

void StopMusic(Game& g) {
    g.Sys.music.Stop();
    g.Sys.music.Free(g.MusicHandle);
}

void MusicClose(Game& g) {
    StopMusic(g);
    g.Sys.music.Close();
}

}  // namespace volley
