#include "game/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// The first stage where the field fills from both edges: risers from below meet divers and
// gunships from above, with armoured blocks to steer around from the middle of the stage on.
void RunStage4(Game& g) {
    using enum EnemyKind;
    if (g.StageFrame == 0) {
        Spawn(g, TwinHull, {4});
    } else if (FramesEvery(g, 350, 600, 40)) {
        // Dashers first, so the player learns to stay out of their row.
        if (EveryFrames(g, 80)) {
            Spawn(g, Interceptor, {2, 6});
        } else {
            Spawn(g, Interceptor, {4});
        }
    } else if (FramesEvery(g, 600, 850, 40)) {
        Spawn(g, Seeker, {3, 5});
    } else if (g.StageFrame == 900) {
        Spawn(g, PowerItem, {4});
    } else if (g.StageFrame == 950) {
        Spawn(g, Diver, {2, 6});
    } else if (FramesEvery(g, 1000, 1300, 30)) {
        if (g.StageFrame == 1200) {
            Spawn(g, EnergyItem, {4});
        }
        // Gunships from above, then risers from below: the ship cannot stay at either edge.
        if (Alternate(g, 2) == 0) {
            Spawn(g, Arrow, {3, 5});
        } else {
            Spawn(g, Riser, {2, 6}, Edge::Bottom);
        }
    } else if (g.StageFrame == 1350) {
        Spawn(g, PowerItem, {4});
    } else if (FramesEvery(g, 1350, 1700, 40)) {
        if (EveryFrames(g, 80)) {
            Spawn(g, Hunter, {2, 6});
            Spawn(g, Bomber, {4});
        } else {
            Spawn(g, Seeker, {4});
            Spawn(g, Bomber, {1, 7});
        }
    } else if (FramesEvery(g, 1700, 2300, 60)) {
        switch (Alternate(g, 5)) {
            case 0: Spawn(g, TurretPod, {4}); break;
            case 1: Spawn(g, Riser, {2, 6}, Edge::Bottom); break;
            case 2: Spawn(g, Bomber, {3, 5}); break;
            case 3: Spawn(g, Arrow, {1, 3, 5, 7}); break;
            default:
                Spawn(g, Raider, {4});
                Spawn(g, Riser, {2, 6}, Edge::Bottom);
                break;
        }
    } else if (g.StageFrame == 2350) {
        // The homing pair makes the player earn the two items.
        Spawn(g, PowerItem, {3});
        Spawn(g, EnergyItem, {5});
        Spawn(g, Seeker, {1, 7});
    } else if (FramesEvery(g, 2400, 3000, 60)) {
        Spawn(g, Arrow, {2, 6});
        if (EveryFrames(g, 120)) {
            Spawn(g, ArmourBlock, {4});
        } else {
            Spawn(g, Diver, {4});
        }
    } else if (FramesEvery(g, 3000, 3800, 50)) {
        if (g.StageFrame == 3400) {
            Spawn(g, EnergyItem, {4});
        }
        switch (Alternate(g, 6)) {
            case 0:
                Spawn(g, Raider, {4});
                Spawn(g, Climber, {4}, Edge::Bottom);
                break;
            case 1: Spawn(g, Riser, {2, 6}, Edge::Bottom); break;
            case 2: Spawn(g, Gunboat, {3, 5}); break;
            case 3: Spawn(g, ArmourBlock, {1, 5, 2, 6, 3, 7}); break;
            case 4:
                Spawn(g, Diver, {4});
                Spawn(g, Interceptor, {2, 6});
                break;
            default: Spawn(g, Bomber, {4, 2, 6}); break;
        }
    } else if (g.StageFrame == 3900) {
        Spawn(g, PowerItem, {4});
        Spawn(g, EnergyItem, {2, 6});
    } else if (FramesEvery(g, 3900, 4500, 50)) {
        if (EveryFrames(g, 100)) {
            Spawn(g, Riser, {2, 6}, Edge::Bottom);
        } else {
            Spawn(g, Diver, {3, 5});
        }
    } else if (g.StageFrame == 4550) {
        // The bomb comes guarded: two heavy gunships flank it.
        Spawn(g, TwinHull, {2, 6});
        Spawn(g, BombItem, {3});
        Spawn(g, EnergyItem, {5});
    } else if (FramesEvery(g, 4600, 5200, 50)) {
        if (EveryFrames(g, 200)) {
            Spawn(g, Diver, {1, 7});
        }
        if (EveryFrames(g, 100)) {
            Spawn(g, TurretPod, {4});
        } else {
            Spawn(g, Saucer, {3, 5});
            Spawn(g, Mine, {4});
        }
    } else if (FramesEvery(g, 5200, 5800, 50)) {
        // The densest waves of the stage, each one different, just before the boss.
        switch (Alternate(g, 6)) {
            case 0:
                Spawn(g, Raider, {4});
                Spawn(g, Climber, {4}, Edge::Bottom);
                break;
            case 1: Spawn(g, Hunter, {1, 3, 5, 7}); break;
            case 2: Spawn(g, Arrow, {2, 4, 6}); break;
            case 3: Spawn(g, ArmourBlock, {3, 5}); break;
            case 4:
                Spawn(g, Diver, {4});
                Spawn(g, TurretPod, {2, 6});
                break;
            default:
                Spawn(g, Riser, {1, 4, 7}, Edge::Bottom);
                Spawn(g, Interceptor, {3, 5});
                break;
        }
    } else if (g.StageFrame == 5850) {
        Spawn(g, PowerItem, {3, 5});
        Spawn(g, EnergyItem, {4});
    } else if (g.StageFrame == 6100) {
        SpawnAcross(g, Riser, Edge::Bottom);
        Spawn(g, TurretPod, {4});
    } else if (g.StageFrame == BossFrame(g)) {
        StartBoss(g);
    }
}

}  // namespace volley
