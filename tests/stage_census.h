// Counting what a stage's script asks for: every spawn request from frame 0 to a given frame,
// with the enemy table emptied after each step so that no request is refused.
#pragma once

#include <array>
#include <cstdint>

#include "shell/game.h"
#include "stages/stage_script.h"

namespace volley::testing {

struct Census {
    int framesWithSpawns = 0;
    std::array<int, 101> byKind{};

    int Items(int kind) const { return byKind[kind]; }
    int Enemies() const {
        int total = 0;
        for (int kind = 3; kind < 101; ++kind) {
            total += byKind[kind];
        }
        return total;
    }
};

// Runs the script of g.Stage for frames 0 to lastFrame (ScriptToggle and BossKind start at 0).
inline Census TakeCensus(Game& g, int32_t lastFrame) {
    Census census;
    g.ScriptToggle = 0;
    g.BossKind = 0;
    for (g.StageFrame = 0; g.StageFrame <= lastFrame; ++g.StageFrame) {
        RunStageScript(g);
        bool spawned = false;
        for (Enemy& e : g.Enemies) {
            if (e.State != 0) {
                ++census.byKind[e.Kind];
                spawned = true;
                e = Enemy{};
            }
        }
        census.framesWithSpawns += spawned ? 1 : 0;
    }
    return census;
}

}  // namespace volley::testing
