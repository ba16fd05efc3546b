#include "game/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// The second stage brings the hunters that keep re-aiming and the risers from below, first in
// pairs and later in mixed formations; the boss is a chaser.
void RunStage2(Game& g) {
    if (FramesEvery(g, 0, 200, 20)) {
        Spawn(g, 3, {3, 5});
    } else if (FramesEvery(g, 250, 500, 30)) {
        if (Alternate(g, 2) == 0) {
            Spawn(g, 9, {1, 2});
        } else {
            Spawn(g, 9, {6, 7});
        }
    } else if (g.StageFrame == 500) {
        Spawn(g, 0, {4});
        Spawn(g, 4, {2, 6});
    } else if (FramesEvery(g, 500, 700, 40)) {
        Spawn(g, 4, {2, 6});
        Spawn(g, 3, {4});
    } else if (FramesEvery(g, 700, 900, 50)) {
        Spawn(g, 10, {1, 7}, Edge::Bottom);
        Spawn(g, 3, {4});
    } else if (g.StageFrame == 950) {
        Spawn(g, 2, {4});
        Spawn(g, 7, {2, 6});
    } else if (FramesEvery(g, 1000, 1200, 40)) {
        Spawn(g, 9, {2, 4, 6});
    } else if (FramesEvery(g, 1200, 1400, 40)) {
        if (g.StageFrame == 1320) {
            Spawn(g, 2, {4});
        }
        Spawn(g, 6, {1, 3, 5, 7});
        Spawn(g, 10, {2, 4, 6}, Edge::Bottom);
    } else if (g.StageFrame == 1500) {
        Spawn(g, 12, {4});
        Spawn(g, 2, {6});
    } else if (FramesEvery(g, 1700, 1900, 20)) {
        Spawn(g, 3, {1, 7});
        if (EveryFrames(g, 100)) {
            Spawn(g, 7, {4});
        }
    } else if (g.StageFrame == 1950) {
        Spawn(g, 0, {4});
        Spawn(g, 5, {1, 7});
    } else if (FramesEvery(g, 2000, 2200, 40)) {
        Spawn(g, 4, {3, 5});
        Spawn(g, 10, {4}, Edge::Bottom);
    } else if (FramesEvery(g, 2200, 2400, 50)) {
        Spawn(g, 8, {2, 6});
        Spawn(g, 5, {4});
    } else if (FramesEvery(g, 2450, 2700, 20)) {
        if (Alternate(g, 2) == 0) {
            Spawn(g, 3, {1, 3});
        } else {
            Spawn(g, 3, {5, 7});
        }
        if (EveryFrames(g, 100)) {
            Spawn(g, 9, {4});
        }
    } else if (FramesEvery(g, 2700, 3000, 40)) {
        Spawn(g, 5, {1, 7});
        Spawn(g, 4, {4});
    } else if (g.StageFrame == 3050) {
        Spawn(g, 0, {4});
        Spawn(g, 7, {1, 7});
    } else if (g.StageFrame == 3100) {
        Spawn(g, 2, {4});
        Spawn(g, 8, {2, 6});
    } else if (FramesEvery(g, 3150, 3500, 40)) {
        switch (Alternate(g, 5)) {
            case 0: Spawn(g, 4, {1, 4, 7}); break;
            case 1: Spawn(g, 9, {2, 6}); break;
            case 2: Spawn(g, 10, {1, 4, 7}, Edge::Bottom); break;
            case 3: SpawnAcross(g, 3); break;
            default: Spawn(g, 7, {3, 5}); break;
        }
    } else if (FramesEvery(g, 3550, 3800, 80)) {
        Spawn(g, 7, {1, 7});
        Spawn(g, 8, {4});
    } else if (g.StageFrame == 3850) {
        Spawn(g, 12, {4});
        Spawn(g, 1, {6});
    } else if (FramesEvery(g, 3900, 4200, 30)) {
        Spawn(g, 3, {2, 6});
        if (EveryFrames(g, 60)) {
            Spawn(g, 10, {4}, Edge::Bottom);
        } else {
            Spawn(g, 9, {4});
        }
    } else if (FramesEvery(g, 4200, 4500, 40)) {
        Spawn(g, 4, {2, 6});
    } else if (g.StageFrame == 4550) {
        Spawn(g, 0, {4});
        Spawn(g, 5, {2, 6});
    } else if (FramesEvery(g, 4600, 4800, 40)) {
        Spawn(g, 9, {3, 5});
        Spawn(g, 5, {1, 7});
    } else if (FramesEvery(g, 4850, 5100, 80)) {
        Spawn(g, 8, {4});
        Spawn(g, 7, {1, 7});
    } else if (g.StageFrame == 5200) {
        Spawn(g, 2, {4});
        Spawn(g, 8, {1, 7});
    } else if (g.StageFrame == 5300) {
        Spawn(g, 0, {4});
        Spawn(g, 7, {3, 5});
    } else if (FramesEvery(g, 5500, 5700, 20)) {
        if (EveryFrames(g, 40)) {
            Spawn(g, 10, {3, 5}, Edge::Bottom);
        } else {
            Spawn(g, 3, {2, 6});
        }
        if (g.StageFrame == 5600) {
            Spawn(g, 0, {4});
        }
    } else if (FramesEvery(g, 5800, 6000, 40)) {
        switch (Alternate(g, 6)) {
            case 0: SpawnAcross(g, 4); break;
            case 1:
                Spawn(g, 9, {2, 6});
                Spawn(g, 10, {4}, Edge::Bottom);
                break;
            case 2: Spawn(g, 4, {1, 3, 5, 7}); break;
            case 3:
                Spawn(g, 8, {4});
                Spawn(g, 4, {2, 6});
                break;
            case 4: Spawn(g, 4, {1, 3, 5, 7}); break;
            default:
                Spawn(g, 4, {1, 7});
                Spawn(g, 10, {4}, Edge::Bottom);
                break;
        }
    } else if (g.StageFrame == 6100) {
        Spawn(g, 12, {4});
        Spawn(g, 2, {2});
    } else if (g.StageFrame == 6200) {
        StartBoss(g, "boss", 23);
    }
}

}  // namespace volley
