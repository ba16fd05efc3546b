// The saves written by the save_writer helper: every value of the n-th save follows from one
// counter, so that a file mixing two saves, or cut short, is told from a whole one.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "game/game.h"
#include "shell/save_file.h"

namespace volley::testing {

inline void FillSave(Game& g, int32_t counter) {
    g.MaxStage = static_cast<int16_t>(1 + counter % kStageCount);
    g.TotalScore = counter;
    for (size_t stage = 0; stage < g.HiScores.size(); ++stage) {
        g.HiScores[stage] = counter * 10 + static_cast<int32_t>(stage);
    }
}

// The counter of a whole save of the pattern; nothing for any other bytes.
inline std::optional<int32_t> CounterOf(const std::vector<uint8_t>& bytes, Game& scratch) {
    if (bytes.size() != kSaveBytes) {
        return std::nullopt;
    }
    std::array<uint8_t, kSaveBytes> record{};
    std::copy(bytes.begin(), bytes.end(), record.begin());
    DecodeSave(record, scratch);
    const int32_t counter = scratch.TotalScore;
    if (counter < 0) {
        return std::nullopt;
    }
    FillSave(scratch, counter);
    if (EncodeSave(scratch) != record) {
        return std::nullopt;
    }
    return counter;
}

}  // namespace volley::testing
