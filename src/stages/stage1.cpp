#include "game/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// The opening stage: single files down the flanks teach the ship to move, then mixed formations,
// the first tough enemies and, towards the boss, full-width rows in a rotating pattern.
void RunStage1(Game& g) {
    using enum EnemyKind;
    if (FramesEvery(g, 0, 200, 20)) {
        Spawn(g, Dart, {7});
    } else if (FramesEvery(g, 200, 400, 20)) {
        Spawn(g, Dart, {1});
    } else if (FramesEvery(g, 400, 600, 40)) {
        if (Alternate(g, 2) == 0) {
            Spawn(g, Dart, {2});
            Spawn(g, Saucer, {4});
            Spawn(g, Dart, {6});
        } else {
            Spawn(g, Saucer, {3, 5});
        }
    } else if (g.StageFrame == 650) {
        ResetAlternation(g);
        Spawn(g, PowerItem, {4});
    } else if (FramesEvery(g, 700, 900, 20)) {
        // The escort is part of the same alternative: it joins before the counter moves on.
        Spawn(g, Dart, {static_cast<int16_t>(g.ScriptToggle == 0 ? 7 : 1)});
        if (EveryFrames(g, 80)) {
            Spawn(g, Saucer, {4});
        }
        Alternate(g, 2);
    } else if (FramesEvery(g, 950, 1100, 20)) {
        Spawn(g, Dart, {1});
        if (EveryFrames(g, 40)) {
            Spawn(g, Interceptor, {7});
        }
    } else if (g.StageFrame == 1150) {
        ResetAlternation(g);
        Spawn(g, EnergyItem, {4});
    } else if (FramesEvery(g, 1200, 1400, 20)) {
        Spawn(g, Mine, {4});
        if (EveryFrames(g, 40)) {
            Spawn(g, Interceptor, {1, 7});
        }
        if (g.StageFrame == 1300) {
            Spawn(g, BombItem, {4});
        }
    } else if (g.StageFrame == 1500) {
        Spawn(g, TwinHull, {4});
        Spawn(g, Interceptor, {2, 6});
        Spawn(g, Dart, {1, 7});
    } else if (g.StageFrame == 1700) {
        Spawn(g, PowerItem, {4});
        Spawn(g, Interceptor, {1, 7});
    } else if (FramesEvery(g, 1900, 2100, 30)) {
        Spawn(g, Dart, {4});
        if (EveryFrames(g, 60)) {
            Spawn(g, Saucer, {4});
        }
    } else if (g.StageFrame == 2150) {
        SpawnAcross(g, TurretPod);
    } else if (g.StageFrame == 2250) {
        SpawnAcross(g, Mine);
    } else if (FramesEvery(g, 2250, 2500, 20)) {
        if (Alternate(g, 2) == 0) {
            Spawn(g, Mine, {2, 6});
        } else {
            Spawn(g, Interceptor, {1, 7});
        }
    } else if (FramesEvery(g, 2550, 2800, 20)) {
        Spawn(g, Dart, {4});
        if (EveryFrames(g, 80)) {
            Spawn(g, Saucer, {4});
        }
    } else if (g.StageFrame == 2850) {
        Spawn(g, EnergyItem, {4});
        Spawn(g, TurretPod, {2, 6});
    } else if (FramesEvery(g, 2900, 3100, 50)) {
        if (EveryFrames(g, 100)) {
            SpawnAcross(g, Mine);
        } else {
            SpawnAcross(g, Dart);
        }
    } else if (g.StageFrame == 3150) {
        Spawn(g, PowerItem, {4});
        Spawn(g, Interceptor, {1, 7});
    } else if (FramesEvery(g, 3200, 3500, 50)) {
        Spawn(g, Saucer, {2, 4, 6});
        if (EveryFrames(g, 100)) {
            Spawn(g, TurretPod, {4});
        }
    } else if (FramesEvery(g, 3550, 3900, 20)) {
        if (Alternate(g, 2) == 0) {
            Spawn(g, Interceptor, {2});
        } else {
            Spawn(g, Interceptor, {6});
        }
        if (EveryFrames(g, 40)) {
            Spawn(g, Mine, {4});
        }
        if (g.StageFrame == 3700) {
            Spawn(g, Interceptor, {4});
        }
    } else if (g.StageFrame == 3950) {
        Spawn(g, TwinHull, {4});
        Spawn(g, EnergyItem, {2});
    } else if (FramesEvery(g, 4100, 4400, 50)) {
        if (EveryFrames(g, 100)) {
            Spawn(g, Mine, {1, 3, 5, 7});
        } else {
            Spawn(g, Saucer, {1, 3, 5, 7});
        }
    } else if (g.StageFrame == 4450) {
        Spawn(g, PowerItem, {4});
        Spawn(g, TurretPod, {1, 7});
    } else if (FramesEvery(g, 4500, 4800, 40)) {
        Spawn(g, Dart, {3, 5});
        Spawn(g, Interceptor, {1, 7});
    } else if (FramesEvery(g, 4850, 5100, 20)) {
        if (Alternate(g, 2) == 0) {
            Spawn(g, Dart, {1, 3});
        } else {
            Spawn(g, Dart, {5, 7});
        }
    } else if (g.StageFrame == 5200) {
        Spawn(g, TurretPod, {2, 4, 6});
    } else if (FramesEvery(g, 5250, 5600, 30)) {
        switch (Alternate(g, 5)) {
            case 0: Spawn(g, Dart, {1, 4, 7}); break;
            case 1:
                Spawn(g, Interceptor, {2, 6});
                Spawn(g, Saucer, {4});
                break;
            case 2: Spawn(g, Mine, {1, 3, 5, 7}); break;
            case 3:
                Spawn(g, Saucer, {2, 6});
                Spawn(g, Dart, {4});
                break;
            default: Spawn(g, TurretPod, {3, 5}); break;
        }
    } else if (g.StageFrame == 5650) {
        Spawn(g, PowerItem, {3});
        Spawn(g, EnergyItem, {5});
    } else if (FramesEvery(g, 5700, 6000, 30)) {
        switch (Alternate(g, 6)) {
            case 0: SpawnAcross(g, Mine); break;
            case 1: Spawn(g, TurretPod, {1, 4, 7}); break;
            case 2: SpawnAcross(g, Dart); break;
            case 3: Spawn(g, Interceptor, {1, 3, 5, 7}); break;
            case 4: Spawn(g, Saucer, {2, 4, 6}); break;
            default:
                Spawn(g, Dart, {2, 6});
                Spawn(g, TurretPod, {4});
                break;
        }
    } else if (g.StageFrame == 6050) {
        Spawn(g, TwinHull, {4});
        Spawn(g, TurretPod, {2, 6});
        Spawn(g, Mine, {1, 7});
    } else if (g.StageFrame == BossFrame(g)) {
        StartBoss(g);
    }
}

}  // namespace volley
