// The game's sound: effects synthesized from assets/sound/<name>.txt into Sound/<name>.wav, and
// music compiled from assets/music/<name>.mml into Music/<name>.mid. The names are fixed, as the
// game asks for exactly these files; a missing source stops the build.
#pragma once

#include <array>
#include <filesystem>
#include <vector>

#include "asset_build.h"

namespace assetgen {

inline constexpr std::array<const char*, 4> kEffectNames = {"HitB", "Bom", "UP", "Ki"};

inline constexpr std::array<const char*, 11> kMusicNames = {"Main",   "Stage1", "Stage2", "Stage3",
                                                            "Stage4", "Stage5", "Stage6", "Stage7",
                                                            "Stage8", "boss",   "boss2"};

// The effects in kEffectNames order, then the music in kMusicNames order.
std::vector<OutputFile> BuildAudio(const std::filesystem::path& assets);

}  // namespace assetgen
