#include "game/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// The first stage where the field fills from both edges: risers from below meet divers and
// gunships from above, with armoured blocks to steer around from the middle of the stage on.
void RunStage4(Game& g) {
    if (g.StageFrame == 0) {
        Spawn(g, 12, {4});
    } else if (FramesEvery(g, 350, 600, 40)) {
        // Dashers first, so the player learns to stay out of their row.
        if (EveryFrames(g, 80)) {
            Spawn(g, 5, {2, 6});
        } else {
            Spawn(g, 5, {4});
        }
    } else if (FramesEvery(g, 600, 850, 40)) {
        Spawn(g, 9, {3, 5});
    } else if (g.StageFrame == 900) {
        Spawn(g, 0, {4});
    } else if (g.StageFrame == 950) {
        Spawn(g, 18, {2, 6});
    } else if (FramesEvery(g, 1000, 1300, 30)) {
        if (g.StageFrame == 1200) {
            Spawn(g, 2, {4});
        }
        // Gunships from above, then risers from below: the ship cannot stay at either edge.
        if (Alternate(g, 2) == 0) {
            Spawn(g, 11, {3, 5});
        } else {
            Spawn(g, 10, {2, 6}, Edge::Bottom);
        }
    } else if (g.StageFrame == 1350) {
        Spawn(g, 0, {4});
    } else if (FramesEvery(g, 1350, 1700, 40)) {
        if (EveryFrames(g, 80)) {
            Spawn(g, 15, {2, 6});
            Spawn(g, 13, {4});
        } else {
            Spawn(g, 9, {4});
            Spawn(g, 13, {1, 7});
        }
    } else if (FramesEvery(g, 1700, 2300, 60)) {
        switch (Alternate(g, 5)) {
            case 0: Spawn(g, 7, {4}); break;
            case 1: Spawn(g, 10, {2, 6}, Edge::Bottom); break;
            case 2: Spawn(g, 13, {3, 5}); break;
            case 3: Spawn(g, 11, {1, 3, 5, 7}); break;
            default:
                Spawn(g, 16, {4});
                Spawn(g, 10, {2, 6}, Edge::Bottom);
                break;
        }
    } else if (g.StageFrame == 2350) {
        // The homing pair makes the player earn the two items.
        Spawn(g, 0, {3});
        Spawn(g, 2, {5});
        Spawn(g, 9, {1, 7});
    } else if (FramesEvery(g, 2400, 3000, 60)) {
        Spawn(g, 11, {2, 6});
        if (EveryFrames(g, 120)) {
            Spawn(g, 14, {4});
        } else {
            Spawn(g, 18, {4});
        }
    } else if (FramesEvery(g, 3000, 3800, 50)) {
        if (g.StageFrame == 3400) {
            Spawn(g, 2, {4});
        }
        switch (Alternate(g, 6)) {
            case 0:
                Spawn(g, 16, {4});
                Spawn(g, 17, {4}, Edge::Bottom);
                break;
            case 1: Spawn(g, 10, {2, 6}, Edge::Bottom); break;
            case 2: Spawn(g, 8, {3, 5}); break;
            case 3: Spawn(g, 14, {1, 5, 2, 6, 3, 7}); break;
            case 4:
                Spawn(g, 18, {4});
                Spawn(g, 5, {2, 6});
                break;
            default: Spawn(g, 13, {4, 2, 6}); break;
        }
    } else if (g.StageFrame == 3900) {
        Spawn(g, 0, {4});
        Spawn(g, 2, {2, 6});
    } else if (FramesEvery(g, 3900, 4500, 50)) {
        if (EveryFrames(g, 100)) {
            Spawn(g, 10, {2, 6}, Edge::Bottom);
        } else {
            Spawn(g, 18, {3, 5});
        }
    } else if (g.StageFrame == 4550) {
        // The bomb comes guarded: two heavy gunships flank it.
        Spawn(g, 12, {2, 6});
        Spawn(g, 1, {3});
        Spawn(g, 2, {5});
    } else if (FramesEvery(g, 4600, 5200, 50)) {
        if (EveryFrames(g, 200)) {
            Spawn(g, 18, {1, 7});
        }
        if (EveryFrames(g, 100)) {
            Spawn(g, 7, {4});
        } else {
            Spawn(g, 4, {3, 5});
            Spawn(g, 6, {4});
        }
    } else if (FramesEvery(g, 5200, 5800, 50)) {
        // The densest waves of the stage, each one different, just before the boss.
        switch (Alternate(g, 6)) {
            case 0:
                Spawn(g, 16, {4});
                Spawn(g, 17, {4}, Edge::Bottom);
                break;
            case 1: Spawn(g, 15, {1, 3, 5, 7}); break;
            case 2: Spawn(g, 11, {2, 4, 6}); break;
            case 3: Spawn(g, 14, {3, 5}); break;
            case 4:
                Spawn(g, 18, {4});
                Spawn(g, 7, {2, 6});
                break;
            default:
                Spawn(g, 10, {1, 4, 7}, Edge::Bottom);
                Spawn(g, 5, {3, 5});
                break;
        }
    } else if (g.StageFrame == 5850) {
        Spawn(g, 0, {3, 5});
        Spawn(g, 2, {4});
    } else if (g.StageFrame == 6100) {
        SpawnAcross(g, 10, Edge::Bottom);
        Spawn(g, 7, {4});
    } else if (g.StageFrame == 6300) {
        StartBoss(g, "boss", 26);
    }
}

}  // namespace volley
