#include "game/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// The second stage brings the hunters that keep re-aiming and the risers from below, first in
// pairs and later in mixed formations; the boss is a chaser.
void RunStage2(Game& g) {
    using enum EnemyKind;
    if (FramesEvery(g, 0, 200, 20)) {
        Spawn(g, Dart, {3, 5});
    } else if (FramesEvery(g, 250, 500, 30)) {
        if (Alternate(g, 2) == 0) {
            Spawn(g, Seeker, {1, 2});
        } else {
            Spawn(g, Seeker, {6, 7});
        }
    } else if (g.StageFrame == 500) {
        Spawn(g, PowerItem, {4});
        Spawn(g, Saucer, {2, 6});
    } else if (FramesEvery(g, 500, 700, 40)) {
        Spawn(g, Saucer, {2, 6});
        Spawn(g, Dart, {4});
    } else if (FramesEvery(g, 700, 900, 50)) {
        Spawn(g, Riser, {1, 7}, Edge::Bottom);
        Spawn(g, Dart, {4});
    } else if (g.StageFrame == 950) {
        Spawn(g, EnergyItem, {4});
        Spawn(g, TurretPod, {2, 6});
    } else if (FramesEvery(g, 1000, 1200, 40)) {
        Spawn(g, Seeker, {2, 4, 6});
    } else if (FramesEvery(g, 1200, 1400, 40)) {
        if (g.StageFrame == 1320) {
            Spawn(g, EnergyItem, {4});
        }
        Spawn(g, Mine, {1, 3, 5, 7});
        Spawn(g, Riser, {2, 4, 6}, Edge::Bottom);
    } else if (g.StageFrame == 1500) {
        Spawn(g, TwinHull, {4});
        Spawn(g, EnergyItem, {6});
    } else if (FramesEvery(g, 1700, 1900, 20)) {
        Spawn(g, Dart, {1, 7});
        if (EveryFrames(g, 100)) {
            Spawn(g, TurretPod, {4});
        }
    } else if (g.StageFrame == 1950) {
        Spawn(g, PowerItem, {4});
        Spawn(g, Interceptor, {1, 7});
    } else if (FramesEvery(g, 2000, 2200, 40)) {
        Spawn(g, Saucer, {3, 5});
        Spawn(g, Riser, {4}, Edge::Bottom);
    } else if (FramesEvery(g, 2200, 2400, 50)) {
        Spawn(g, Gunboat, {2, 6});
        Spawn(g, Interceptor, {4});
    } else if (FramesEvery(g, 2450, 2700, 20)) {
        if (Alternate(g, 2) == 0) {
            Spawn(g, Dart, {1, 3});
        } else {
            Spawn(g, Dart, {5, 7});
        }
        if (EveryFrames(g, 100)) {
            Spawn(g, Seeker, {4});
        }
    } else if (FramesEvery(g, 2700, 3000, 40)) {
        Spawn(g, Interceptor, {1, 7});
        Spawn(g, Saucer, {4});
    } else if (g.StageFrame == 3050) {
        Spawn(g, PowerItem, {4});
        Spawn(g, TurretPod, {1, 7});
    } else if (g.StageFrame == 3100) {
        Spawn(g, EnergyItem, {4});
        Spawn(g, Gunboat, {2, 6});
    } else if (FramesEvery(g, 3150, 3500, 40)) {
        switch (Alternate(g, 5)) {
            case 0: Spawn(g, Saucer, {1, 4, 7}); break;
            case 1: Spawn(g, Seeker, {2, 6}); break;
            case 2: Spawn(g, Riser, {1, 4, 7}, Edge::Bottom); break;
            case 3: SpawnAcross(g, Dart); break;
            default: Spawn(g, TurretPod, {3, 5}); break;
        }
    } else if (FramesEvery(g, 3550, 3800, 80)) {
        Spawn(g, TurretPod, {1, 7});
        Spawn(g, Gunboat, {4});
    } else if (g.StageFrame == 3850) {
        Spawn(g, TwinHull, {4});
        Spawn(g, BombItem, {6});
    } else if (FramesEvery(g, 3900, 4200, 30)) {
        Spawn(g, Dart, {2, 6});
        if (EveryFrames(g, 60)) {
            Spawn(g, Riser, {4}, Edge::Bottom);
        } else {
            Spawn(g, Seeker, {4});
        }
    } else if (FramesEvery(g, 4200, 4500, 40)) {
        Spawn(g, Saucer, {2, 6});
    } else if (g.StageFrame == 4550) {
        Spawn(g, PowerItem, {4});
        Spawn(g, Interceptor, {2, 6});
    } else if (FramesEvery(g, 4600, 4800, 40)) {
        Spawn(g, Seeker, {3, 5});
        Spawn(g, Interceptor, {1, 7});
    } else if (FramesEvery(g, 4850, 5100, 80)) {
        Spawn(g, Gunboat, {4});
        Spawn(g, TurretPod, {1, 7});
    } else if (g.StageFrame == 5200) {
        Spawn(g, EnergyItem, {4});
        Spawn(g, Gunboat, {1, 7});
    } else if (g.StageFrame == 5300) {
        Spawn(g, PowerItem, {4});
        Spawn(g, TurretPod, {3, 5});
    } else if (FramesEvery(g, 5500, 5700, 20)) {
        if (EveryFrames(g, 40)) {
            Spawn(g, Riser, {3, 5}, Edge::Bottom);
        } else {
            Spawn(g, Dart, {2, 6});
        }
        if (g.StageFrame == 5600) {
            Spawn(g, PowerItem, {4});
        }
    } else if (FramesEvery(g, 5800, 6000, 40)) {
        switch (Alternate(g, 6)) {
            case 0: SpawnAcross(g, Saucer); break;
            case 1:
                Spawn(g, Seeker, {2, 6});
                Spawn(g, Riser, {4}, Edge::Bottom);
                break;
            case 2: Spawn(g, Saucer, {1, 3, 5, 7}); break;
            case 3:
                Spawn(g, Gunboat, {4});
                Spawn(g, Saucer, {2, 6});
                break;
            case 4: Spawn(g, Saucer, {1, 3, 5, 7}); break;
            default:
                Spawn(g, Saucer, {1, 7});
                Spawn(g, Riser, {4}, Edge::Bottom);
                break;
        }
    } else if (g.StageFrame == 6100) {
        Spawn(g, TwinHull, {4});
        Spawn(g, EnergyItem, {2});
    } else if (g.StageFrame == BossFrame(g)) {
        StartBoss(g);
    }
}

}  // namespace volley
