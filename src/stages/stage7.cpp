#include "game/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// A short stage that arms the ship at once and then throws one set piece after another at it,
// with a swaying gunship halfway and the boss early.
void RunStage7(Game& g) {
    if (g.BossKind != 0) {
        // Risers keep coming up on either side while the boss bounces above.
        if (EveryFrames(g, 100)) {
            Spawn(g, 10, {2, 6}, Edge::Bottom);
        }
        return;
    }
    if (g.StageFrame == 10) {
        Spawn(g, 0, {3, 5});
    } else if (g.StageFrame == 100) {
        Spawn(g, 30, {2, 6});
    } else if (FramesEvery(g, 150, 300, 50)) {
        Spawn(g, 15, {3, 5});
        if (EveryFrames(g, 100)) {
            Spawn(g, 10, {1, 7}, Edge::Bottom);
        } else {
            Spawn(g, 13, {4});
        }
    } else if (g.StageFrame == 400) {
        Spawn(g, 0, {4});
        Spawn(g, 2, {2, 6});
    } else if (g.StageFrame == 450) {
        Spawn(g, 30, {1, 4, 7});
    } else if (g.StageFrame == 500) {
        Spawn(g, 15, {2, 4, 6});
        Spawn(g, 18, {1, 7});
    } else if (g.StageFrame == 550) {
        Spawn(g, 14, {3, 5});
        Spawn(g, 10, {1, 7}, Edge::Bottom);
    } else if (g.StageFrame == 700) {
        Spawn(g, 41, {4});
    } else if (g.StageFrame == 800) {
        Spawn(g, 2, {4});
        Spawn(g, 16, {2, 6});
    } else if (g.StageFrame == 850) {
        Spawn(g, 14, {3, 5});
    } else if (g.StageFrame == 900) {
        Spawn(g, 15, {2, 6});
        Spawn(g, 30, {4});
    } else if (g.StageFrame == 950) {
        Spawn(g, 10, {2, 4, 6}, Edge::Bottom);
        Spawn(g, 8, {1, 7});
    } else if (g.StageFrame == 1000) {
        Spawn(g, 14, {2, 6});
        Spawn(g, 11, {1, 4, 7});
    } else if (g.StageFrame == 1050) {
        Spawn(g, 0, {4});
        Spawn(g, 30, {3, 5});
        Spawn(g, 18, {1, 7});
    } else if (g.StageFrame == 1100) {
        Spawn(g, 15, {2, 6});
        Spawn(g, 10, {4}, Edge::Bottom);
    } else if (g.StageFrame == 1150) {
        Spawn(g, 1, {4});
        Spawn(g, 16, {1, 7});
    } else if (g.StageFrame == 1250) {
        for (int16_t column = 1; column <= 7; ++column) {
            Spawn(g, 11, {column});
            Spawn(g, 10, {column}, Edge::Bottom);
        }
    } else if (g.StageFrame == 1300) {
        Spawn(g, 14, {1, 7});
        Spawn(g, 30, {4});
        Spawn(g, 13, {2, 6});
    } else if (g.StageFrame == 1350) {
        Spawn(g, 11, {2, 6});
        Spawn(g, 13, {3, 5});
    } else if (FramesEvery(g, 1400, 1460, 30)) {
        SpawnAcross(g, 15);
    } else if (g.StageFrame == 1480) {
        Spawn(g, 10, {1, 7}, Edge::Bottom);
        Spawn(g, 30, {3, 5});
        Spawn(g, 8, {4});
    } else if (g.StageFrame == 1500) {
        Spawn(g, 14, {2, 6});
        Spawn(g, 9, {4});
    } else if (g.StageFrame == 1530) {
        Spawn(g, 15, {2, 4, 6});
        Spawn(g, 30, {1, 7});
    } else if (g.StageFrame == 1550) {
        Spawn(g, 30, {4});
        Spawn(g, 12, {2, 6});
    } else if (g.StageFrame == 1600) {
        // Refill before the boss.
        Spawn(g, 0, {4});
        Spawn(g, 2, {3, 5});
    } else if (g.StageFrame == 1750) {
        StartBoss(g, "boss", 22);
    }
}

}  // namespace volley
