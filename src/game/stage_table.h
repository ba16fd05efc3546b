// One row per stage: its music and its boss. The stage scripts read it.
#pragma once

#include <array>
#include <optional>

#include "game/game_state.h"
#include "game/kinds.h"
#include "game/music_pieces.h"

namespace volley {

struct StageRow {
    MusicPiece Music;                     // played from the stage's start
    int32_t BossFrame;                    // the StageFrame at which the boss comes in
    EnemyKind Boss;                       // the kind whose destruction clears the stage
    std::optional<MusicPiece> BossMusic;  // replaces the stage's music as the boss comes in
};

inline constexpr std::array<StageRow, kStageCount> kStages{{
    {MusicPiece::Stage1, 6200, EnemyKind::Stage1Boss, MusicPiece::Boss},
    {MusicPiece::Stage2, 6200, EnemyKind::Stage2Boss, MusicPiece::Boss},
    {MusicPiece::Stage3, 6550, EnemyKind::Stage3Boss, MusicPiece::Boss},
    {MusicPiece::Stage4, 6300, EnemyKind::Stage4Boss, MusicPiece::Boss},
    {MusicPiece::Stage5, 6300, EnemyKind::Stage5Boss, MusicPiece::Boss},
    {MusicPiece::Stage6, 200, EnemyKind::Stage6Boss, MusicPiece::FortressBoss},
    {MusicPiece::Stage7, 1750, EnemyKind::Stage7Boss, MusicPiece::Boss},
    {MusicPiece::Stage8, 200, EnemyKind::FinalBoss, std::nullopt},
}};

// The row of stage 1 to 8.
inline const StageRow& StageRowOf(int stage) {
    return kStages[static_cast<size_t>(stage - 1)];
}

}  // namespace volley
