// The scalars of the running game.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "game/kinds.h"

namespace volley {

inline constexpr int kStageCount = 8;

// What BossKind holds before the boss appears: kind 0, an item, which is never a boss.
inline constexpr EnemyKind kNoBossYet = EnemyKind::PowerItem;

struct GameState {
    std::string_view GameTitle;
    int16_t Stage = 0;                                // selected or running stage, 1..MaxStage
    int16_t MaxStage = 0;                             // highest stage that may be selected, 1..8
    std::array<int32_t, kStageCount + 1> HiScores{};  // by stage; slot 0 is kept and summed too
    int32_t TotalScore = 0;
    int32_t Score = 0;
    int32_t StageBonus = 0;
    bool StageOver = false;
    EnemyKind BossKind = kNoBossYet;  // the stage's boss, once it has appeared
    int32_t StageFrame = 0;
    int16_t ScriptToggle = 0;
    int32_t ContactGuardFrames = 0;
    int16_t ScreenWidth = 0;
    int16_t ScreenHeight = 0;
};

}  // namespace volley
