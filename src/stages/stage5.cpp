#include "game/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// The fortress stage: armoured blocks that no shot can clear in time drift down all stage long,
// and the gunships and risers come through the gaps between them.
void RunStage5(Game& g) {
    using enum EnemyKind;
    if (BossIsIn(g)) {
        // The boss keeps a pair of blocks coming down on either side of it.
        if (EveryFrames(g, 100)) {
            Spawn(g, ArmourBlock, {2, 6});
        }
        return;
    }
    if (g.StageFrame == 0) {
        Spawn(g, BigGunship, {4});
    } else if (FramesEvery(g, 350, 600, 40)) {
        if (EveryFrames(g, 80)) {
            Spawn(g, ArmourBlock, {4});
            Spawn(g, Interceptor, {2, 6});
        } else {
            Spawn(g, Gunboat, {3, 5});
        }
    } else if (FramesEvery(g, 600, 850, 40)) {
        Spawn(g, Riser, {4}, Edge::Bottom);
        if (EveryFrames(g, 80)) {
            Spawn(g, Interceptor, {1, 7});
        }
    } else if (g.StageFrame == 900) {
        Spawn(g, PowerItem, {4});
        Spawn(g, TwinHull, {2, 6});
    } else if (g.StageFrame == 950) {
        SpawnAcross(g, Bomber);
    } else if (FramesEvery(g, 1000, 1300, 30)) {
        if (g.StageFrame == 1200) {
            Spawn(g, EnergyItem, {4});
        }
        if (Alternate(g, 2) == 0) {
            Spawn(g, ArmourBlock, {4});
            Spawn(g, Arrow, {2, 6});
        } else {
            Spawn(g, Gunboat, {4});
            Spawn(g, Riser, {2, 6}, Edge::Bottom);
        }
    } else if (g.StageFrame == 1350) {
        Spawn(g, BombItem, {4});
        Spawn(g, PowerItem, {2, 6});
    } else if (FramesEvery(g, 1350, 1700, 40)) {
        if (EveryFrames(g, 80)) {
            Spawn(g, ArmourBlock, {4});
            Spawn(g, Arrow, {1, 7});
        } else {
            Spawn(g, Diver, {2, 4, 6});
        }
    } else if (FramesEvery(g, 1700, 2300, 50)) {
        switch (Alternate(g, 5)) {
            case 0:
                Spawn(g, ArmourBlock, {4});
                Spawn(g, Interceptor, {2, 6});
                break;
            case 1:
                Spawn(g, Riser, {2, 6}, Edge::Bottom);
                Spawn(g, Bomber, {4});
                break;
            case 2:
                Spawn(g, ArmourBlock, {1, 7});
                Spawn(g, Diver, {4});
                break;
            case 3: Spawn(g, Arrow, {1, 3, 5, 7}); break;
            default:
                Spawn(g, Climber, {3, 5}, Edge::Bottom);
                Spawn(g, ArmourBlock, {4});
                break;
        }
    } else if (g.StageFrame == 2350) {
        Spawn(g, EnergyItem, {3, 5});
        Spawn(g, Diver, {4});
    } else if (FramesEvery(g, 2400, 3000, 50)) {
        switch (Alternate(g, 6)) {
            case 0:
                Spawn(g, ArmourBlock, {2, 6});
                Spawn(g, Climber, {4}, Edge::Bottom);
                break;
            case 1:
                Spawn(g, Bomber, {3, 5});
                Spawn(g, Riser, {1, 7}, Edge::Bottom);
                break;
            case 2:
                Spawn(g, Arrow, {2, 6});
                Spawn(g, ArmourBlock, {4});
                break;
            case 3:
                Spawn(g, Interceptor, {2, 6});
                Spawn(g, Bomber, {4});
                break;
            case 4:
                Spawn(g, Gunboat, {2, 6});
                Spawn(g, ArmourBlock, {4});
                break;
            default:
                Spawn(g, Diver, {3, 5});
                Spawn(g, Climber, {4}, Edge::Bottom);
                break;
        }
    } else if (FramesEvery(g, 3000, 3800, 50)) {
        if (g.StageFrame == 3400) {
            Spawn(g, PowerItem, {4});
        }
        switch (Alternate(g, 6)) {
            case 0: Spawn(g, ArmourBlock, {1, 4, 7}); break;
            case 1:
                Spawn(g, Riser, {2, 6}, Edge::Bottom);
                Spawn(g, Raider, {4});
                break;
            case 2: Spawn(g, Arrow, {3, 5}); break;
            case 3:
                Spawn(g, ArmourBlock, {2, 6});
                Spawn(g, Bomber, {4});
                break;
            case 4:
                Spawn(g, Climber, {3, 5}, Edge::Bottom);
                Spawn(g, Hunter, {4});
                break;
            default:
                Spawn(g, Interceptor, {2, 6});
                Spawn(g, Gunboat, {4});
                break;
        }
    } else if (g.StageFrame == 3900) {
        // The items fall between four blocks: the player has to pick a gap.
        Spawn(g, PowerItem, {4});
        Spawn(g, EnergyItem, {2, 6});
        Spawn(g, ArmourBlock, {1, 3, 5, 7});
    } else if (FramesEvery(g, 3900, 4500, 50)) {
        Spawn(g, ArmourBlock, {4});
        if (EveryFrames(g, 150)) {
            Spawn(g, Arrow, {3, 5});
        }
    } else if (g.StageFrame == 4550) {
        Spawn(g, BombItem, {4});
        Spawn(g, EnergyItem, {2, 6});
        Spawn(g, Gunboat, {1, 7});
    } else if (FramesEvery(g, 4600, 5200, 50)) {
        if (EveryFrames(g, 100)) {
            Spawn(g, Bomber, {4});
            Spawn(g, Riser, {4}, Edge::Bottom);
        } else {
            Spawn(g, ArmourBlock, {2, 6});
        }
    } else if (FramesEvery(g, 5200, 5800, 50)) {
        Spawn(g, ArmourBlock, {4});
        if (EveryFrames(g, 100)) {
            Spawn(g, Seeker, {2, 6});
        } else {
            Spawn(g, Hunter, {3, 5});
        }
    } else if (g.StageFrame == 5850) {
        Spawn(g, PowerItem, {2, 6});
        Spawn(g, Climber, {3, 5}, Edge::Bottom);
        Spawn(g, ArmourBlock, {1, 7});
    } else if (g.StageFrame == 6100) {
        // A full wall of blocks with risers coming up behind the ship.
        SpawnAcross(g, ArmourBlock);
        Spawn(g, Riser, {1, 3, 5, 7}, Edge::Bottom);
        Spawn(g, Climber, {2, 6}, Edge::Bottom);
    } else if (g.StageFrame == BossFrame(g)) {
        StartBoss(g);
    }
}

}  // namespace volley
