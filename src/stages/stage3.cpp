#include "game/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// The third stage is fought on two fronts: risers come up from below while the fast fan-firers
// and the turning streamers come down. Once the boss is in, it is escorted by a heavy blocker on
// one side and then the other, and nothing else enters.
void RunStage3(Game& g) {
    using enum EnemyKind;
    if (BossIsIn(g)) {
        if (EveryFrames(g, 40)) {
            if (Alternate(g, 2) == 0) {
                Spawn(g, ArmourBlock, {6});
            } else {
                Spawn(g, ArmourBlock, {2});
            }
        }
        return;
    }

    if (FramesEvery(g, 0, 300, 30)) {
        Spawn(g, Dart, {4});
        if (EveryFrames(g, 60)) {
            Spawn(g, Riser, {2, 6}, Edge::Bottom);
        }
    } else if (FramesEvery(g, 300, 500, 30)) {
        if (Alternate(g, 2) == 0) {
            Spawn(g, Gunboat, {1, 3});
        } else {
            Spawn(g, Gunboat, {5, 7});
        }
    } else if (g.StageFrame == 600) {
        Spawn(g, PowerItem, {4});
        Spawn(g, TurretPod, {2, 6});
    } else if (FramesEvery(g, 800, 1000, 20)) {
        if (EveryFrames(g, 100)) {
            Spawn(g, Saucer, {2, 6});
        } else {
            Spawn(g, Interceptor, {4});
        }
    } else if (FramesEvery(g, 1000, 1200, 20)) {
        Spawn(g, Arrow, {4});
    } else if (FramesEvery(g, 1200, 1400, 40)) {
        Spawn(g, Bomber, {2, 6});
        Spawn(g, Riser, {4}, Edge::Bottom);
    } else if (g.StageFrame == 1500) {
        Spawn(g, TwinHull, {4});
        Spawn(g, EnergyItem, {2});
    } else if (FramesEvery(g, 1600, 1800, 40)) {
        Spawn(g, Hunter, {1, 7});
        Spawn(g, Dart, {4});
    } else if (g.StageFrame == 1850) {
        Spawn(g, PowerItem, {4});
        Spawn(g, Seeker, {2, 6});
    } else if (FramesEvery(g, 2100, 2300, 40)) {
        Spawn(g, Gunboat, {2, 4, 6});
    } else if (g.StageFrame == 2400) {
        Spawn(g, EnergyItem, {4});
        Spawn(g, TurretPod, {1, 7});
    } else if (FramesEvery(g, 2450, 2700, 40)) {
        Spawn(g, Arrow, {1, 4, 7});
    } else if (g.StageFrame == 2750) {
        Spawn(g, Raider, {4});
    } else if (FramesEvery(g, 2750, 3000, 30)) {
        if (Alternate(g, 2) == 0) {
            Spawn(g, Riser, {1, 3}, Edge::Bottom);
        } else {
            Spawn(g, Riser, {5, 7}, Edge::Bottom);
        }
    } else if (FramesEvery(g, 3000, 3200, 40)) {
        Spawn(g, Interceptor, {2, 6});
        Spawn(g, Saucer, {4});
    } else if (FramesEvery(g, 3200, 3400, 40)) {
        Spawn(g, Bomber, {3, 5});
    } else if (g.StageFrame == 3450) {
        Spawn(g, PowerItem, {4});
        Spawn(g, TurretPod, {2, 6});
    } else if (FramesEvery(g, 3500, 3700, 30)) {
        Spawn(g, Dart, {1, 7});
    } else if (g.StageFrame == 3750) {
        Spawn(g, TwinHull, {4});
        Spawn(g, BombItem, {6});
    } else if (FramesEvery(g, 3800, 4000, 60)) {
        Spawn(g, Hunter, {1, 3, 5, 7});
    } else if (g.StageFrame == 4050) {
        Spawn(g, EnergyItem, {4});
        Spawn(g, TurretPod, {1, 7});
    } else if (FramesEvery(g, 4100, 4300, 40)) {
        Spawn(g, Gunboat, {1, 7});
        Spawn(g, Saucer, {4});
    } else if (FramesEvery(g, 4300, 4600, 30)) {
        if (EveryFrames(g, 60)) {
            Spawn(g, Arrow, {2, 6});
        } else {
            Spawn(g, Interceptor, {1, 7});
        }
    } else if (g.StageFrame == 4650) {
        Spawn(g, PowerItem, {4});
        Spawn(g, Seeker, {2, 6});
    } else if (g.StageFrame == 4700) {
        Spawn(g, Raider, {4});
        Spawn(g, TurretPod, {1, 7});
    } else if (g.StageFrame == 4800) {
        Spawn(g, EnergyItem, {4});
        Spawn(g, Bomber, {2, 6});
    } else if (FramesEvery(g, 4900, 5100, 40)) {
        Spawn(g, Gunboat, {1, 7});
        Spawn(g, Saucer, {4});
    } else if (g.StageFrame == 5100) {
        Spawn(g, TwinHull, {4});
    } else if (FramesEvery(g, 5100, 5400, 40)) {
        Spawn(g, Riser, {2, 6}, Edge::Bottom);
    } else if (g.StageFrame == 5500) {
        Spawn(g, Gunboat, {1, 4, 7});
        Spawn(g, Interceptor, {2, 6});
    } else if (FramesEvery(g, 5500, 5700, 60)) {
        Spawn(g, Interceptor, {1, 7});
        Spawn(g, Arrow, {4});
    } else if (FramesEvery(g, 5700, 6000, 40)) {
        Spawn(g, Arrow, {2, 6});
        if (EveryFrames(g, 80)) {
            Spawn(g, Riser, {4}, Edge::Bottom);
        }
    } else if (FramesEvery(g, 6000, 6300, 30)) {
        if (EveryFrames(g, 60)) {
            Spawn(g, Interceptor, {1, 7});
            Spawn(g, Riser, {4}, Edge::Bottom);
        } else {
            Spawn(g, Dart, {3, 5});
        }
    } else if (g.StageFrame == 6400) {
        Spawn(g, Hunter, {2, 6});
        Spawn(g, TurretPod, {4});
    } else if (g.StageFrame == BossFrame(g)) {
        StartBoss(g);
    }
}

}  // namespace volley
