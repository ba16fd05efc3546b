// The labels of the window, by name. Their numbers are the design's label indexes: the order of
// the label table and of the state's hash.
#pragma once

#include <cstddef>

namespace volley {

enum class LabelId {
    Stage = 0,         // top band: "STAGE 03"
    HiScore = 1,       // top band: the stage's high score
    Score = 2,         // top band: the running score
    Bombs = 3,         // top band: "BOMB 03"
    TotalScore = 4,    // title: the sum of the high scores
    Title = 5,         // title: the game's name; never changes
    TitleStage = 6,    // title: the chosen stage
    TitleHiScore = 7,  // title: the chosen stage's high score
    Result = 8,        // the stage's end: "STAGE 03 CLEAR" or "GAMEOVER"
    ResultScore = 9,   // the stage's end: the score
    Bonus = 10,        // the stage's end: the bonus for the energy left
    Power = 11,        // top band: "POWER", beside the gauge; never changes
};

inline constexpr size_t kDisplayLabels = 12;
// Labels Stage to Bonus can be marked for rewriting; Power never changes.
inline constexpr size_t kLabelFlags = 11;

}  // namespace volley
