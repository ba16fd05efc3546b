#include "game/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// The opening stage: single files down the flanks teach the ship to move, then mixed formations,
// the first tough enemies and, towards the boss, full-width rows in a rotating pattern.
void RunStage1(Game& g) {
    if (FramesEvery(g, 0, 200, 20)) {
        Spawn(g, 3, {7});
    } else if (FramesEvery(g, 200, 400, 20)) {
        Spawn(g, 3, {1});
    } else if (FramesEvery(g, 400, 600, 40)) {
        if (Alternate(g, 2) == 0) {
            Spawn(g, 3, {2});
            Spawn(g, 4, {4});
            Spawn(g, 3, {6});
        } else {
            Spawn(g, 4, {3, 5});
        }
    } else if (g.StageFrame == 650) {
        ResetAlternation(g);
        Spawn(g, 0, {4});
    } else if (FramesEvery(g, 700, 900, 20)) {
        // The escort is part of the same alternative: it joins before the counter moves on.
        Spawn(g, 3, {static_cast<int16_t>(g.ScriptToggle == 0 ? 7 : 1)});
        if (EveryFrames(g, 80)) {
            Spawn(g, 4, {4});
        }
        Alternate(g, 2);
    } else if (FramesEvery(g, 950, 1100, 20)) {
        Spawn(g, 3, {1});
        if (EveryFrames(g, 40)) {
            Spawn(g, 5, {7});
        }
    } else if (g.StageFrame == 1150) {
        ResetAlternation(g);
        Spawn(g, 2, {4});
    } else if (FramesEvery(g, 1200, 1400, 20)) {
        Spawn(g, 6, {4});
        if (EveryFrames(g, 40)) {
            Spawn(g, 5, {1, 7});
        }
        if (g.StageFrame == 1300) {
            Spawn(g, 1, {4});
        }
    } else if (g.StageFrame == 1500) {
        Spawn(g, 12, {4});
        Spawn(g, 5, {2, 6});
        Spawn(g, 3, {1, 7});
    } else if (g.StageFrame == 1700) {
        Spawn(g, 0, {4});
        Spawn(g, 5, {1, 7});
    } else if (FramesEvery(g, 1900, 2100, 30)) {
        Spawn(g, 3, {4});
        if (EveryFrames(g, 60)) {
            Spawn(g, 4, {4});
        }
    } else if (g.StageFrame == 2150) {
        SpawnAcross(g, 7);
    } else if (g.StageFrame == 2250) {
        SpawnAcross(g, 6);
    } else if (FramesEvery(g, 2250, 2500, 20)) {
        if (Alternate(g, 2) == 0) {
            Spawn(g, 6, {2, 6});
        } else {
            Spawn(g, 5, {1, 7});
        }
    } else if (FramesEvery(g, 2550, 2800, 20)) {
        Spawn(g, 3, {4});
        if (EveryFrames(g, 80)) {
            Spawn(g, 4, {4});
        }
    } else if (g.StageFrame == 2850) {
        Spawn(g, 2, {4});
        Spawn(g, 7, {2, 6});
    } else if (FramesEvery(g, 2900, 3100, 50)) {
        if (EveryFrames(g, 100)) {
            SpawnAcross(g, 6);
        } else {
            SpawnAcross(g, 3);
        }
    } else if (g.StageFrame == 3150) {
        Spawn(g, 0, {4});
        Spawn(g, 5, {1, 7});
    } else if (FramesEvery(g, 3200, 3500, 50)) {
        Spawn(g, 4, {2, 4, 6});
        if (EveryFrames(g, 100)) {
            Spawn(g, 7, {4});
        }
    } else if (FramesEvery(g, 3550, 3900, 20)) {
        if (Alternate(g, 2) == 0) {
            Spawn(g, 5, {2});
        } else {
            Spawn(g, 5, {6});
        }
        if (EveryFrames(g, 40)) {
            Spawn(g, 6, {4});
        }
        if (g.StageFrame == 3700) {
            Spawn(g, 5, {4});
        }
    } else if (g.StageFrame == 3950) {
        Spawn(g, 12, {4});
        Spawn(g, 2, {2});
    } else if (FramesEvery(g, 4100, 4400, 50)) {
        if (EveryFrames(g, 100)) {
            Spawn(g, 6, {1, 3, 5, 7});
        } else {
            Spawn(g, 4, {1, 3, 5, 7});
        }
    } else if (g.StageFrame == 4450) {
        Spawn(g, 0, {4});
        Spawn(g, 7, {1, 7});
    } else if (FramesEvery(g, 4500, 4800, 40)) {
        Spawn(g, 3, {3, 5});
        Spawn(g, 5, {1, 7});
    } else if (FramesEvery(g, 4850, 5100, 20)) {
        if (Alternate(g, 2) == 0) {
            Spawn(g, 3, {1, 3});
        } else {
            Spawn(g, 3, {5, 7});
        }
    } else if (g.StageFrame == 5200) {
        Spawn(g, 7, {2, 4, 6});
    } else if (FramesEvery(g, 5250, 5600, 30)) {
        switch (Alternate(g, 5)) {
            case 0: Spawn(g, 3, {1, 4, 7}); break;
            case 1:
                Spawn(g, 5, {2, 6});
                Spawn(g, 4, {4});
                break;
            case 2: Spawn(g, 6, {1, 3, 5, 7}); break;
            case 3:
                Spawn(g, 4, {2, 6});
                Spawn(g, 3, {4});
                break;
            default: Spawn(g, 7, {3, 5}); break;
        }
    } else if (g.StageFrame == 5650) {
        Spawn(g, 0, {3});
        Spawn(g, 2, {5});
    } else if (FramesEvery(g, 5700, 6000, 30)) {
        switch (Alternate(g, 6)) {
            case 0: SpawnAcross(g, 6); break;
            case 1: Spawn(g, 7, {1, 4, 7}); break;
            case 2: SpawnAcross(g, 3); break;
            case 3: Spawn(g, 5, {1, 3, 5, 7}); break;
            case 4: Spawn(g, 4, {2, 4, 6}); break;
            default:
                Spawn(g, 3, {2, 6});
                Spawn(g, 7, {4});
                break;
        }
    } else if (g.StageFrame == 6050) {
        Spawn(g, 12, {4});
        Spawn(g, 7, {2, 6});
        Spawn(g, 6, {1, 7});
    } else if (g.StageFrame == 6200) {
        StartBoss(g, "boss", 21);
    }
}

}  // namespace volley
