#include "audio/music.h"

#include <array>

#include "game/game.h"

namespace volley {

namespace {

constexpr std::array<std::string_view, kMusicPieces> kPieces = {
    "Main",   "Stage1", "Stage2", "Stage3", "Stage4", "Stage5",
    "Stage6", "Stage7", "Stage8", "boss",   "boss2",
};

// Where the piece is in kPieces, or -1 for a name the game does not play.
int PieceIndex(std::string_view name) {
    for (size_t i = 0; i < kPieces.size(); ++i) {
        if (kPieces[i] == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

std::string MusicPath(const Game& g, std::string_view name) {
    return g.ProgramDir + "/Music/" + std::string(name) + ".mid";
}

void MusicOpen(Game& g) {
    g.Sys.music.Open();
    for (size_t i = 0; i < kPieces.size(); ++i) {
        g.MusicFiles[i] = MusicPath(g, kPieces[i]);
        g.Sys.music.Preload(g.MusicFiles[i]);
    }
}

void PlayMusic(Game& g, std::string_view name) {
    Music& music = g.Sys.music;
    music.Free(g.MusicHandle);
    const int piece = PieceIndex(name);
    g.MusicHandle = piece >= 0 ? music.Load(g.MusicFiles[piece]) : music.Load(MusicPath(g, name));
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
