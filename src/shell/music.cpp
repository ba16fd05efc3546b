#include "shell/music.h"

#include <array>
#include <filesystem>

#include "shell/game.h"

namespace volley {

namespace {

constexpr std::array<std::string_view, 11> kPieces = {
    "Main",   "Stage1", "Stage2", "Stage3", "Stage4", "Stage5",
    "Stage6", "Stage7", "Stage8", "boss",   "boss2",
};

}  // namespace

std::string MusicPath(const Game& g, std::string_view name) {
    const std::string relative = "Music/" + std::string(name) + ".mid";
    const std::string besideProgram = g.ProgramDir + "/" + relative;
    std::error_code ec;
    return std::filesystem::exists(besideProgram, ec) ? besideProgram : relative;
}

void MusicOpen(Game& g) {
    g.Sys.music.Open();
    for (std::string_view piece : kPieces) {
        g.Sys.music.Preload(MusicPath(g, piece));
    }
}

void PlayMusic(Game& g, std::string_view name) {
    Music& music = g.Sys.music;
    music.Free(g.MusicHandle);
    g.MusicHandle = music.Load(MusicPath(g, name));
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
