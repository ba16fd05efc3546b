// The pieces of music the game plays, by name, and their files' names in the Music folder.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace volley {

enum class MusicPiece : uint8_t {
    Title,
    Stage1,
    Stage2,
    Stage3,
    Stage4,
    Stage5,
    Stage6,
    Stage7,
    Stage8,
    Boss,          // most bosses
    FortressBoss,  // the boss of stage 6
};

inline constexpr int kMusicPieces = 11;

// The file of each piece is Music/<name>.mid.
inline constexpr std::array<std::string_view, kMusicPieces> kMusicFileNames = {
    "Main",   "Stage1", "Stage2", "Stage3", "Stage4", "Stage5",
    "Stage6", "Stage7", "Stage8", "boss",   "boss2",
};

inline constexpr std::string_view MusicFileName(MusicPiece piece) {
    return kMusicFileNames[static_cast<size_t>(piece)];
}

}  // namespace volley
