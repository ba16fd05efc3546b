#include "game/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// The fortress stage: armoured blocks that no shot can clear in time drift down all stage long,
// and the gunships and risers come through the gaps between them.
void RunStage5(Game& g) {
    if (g.BossKind != 0) {
        // The boss keeps a pair of blocks coming down on either side of it.
        if (EveryFrames(g, 100)) {
            Spawn(g, 14, {2, 6});
        }
        return;
    }
    if (g.StageFrame == 0) {
        Spawn(g, 20, {4});
    } else if (FramesEvery(g, 350, 600, 40)) {
        if (EveryFrames(g, 80)) {
            Spawn(g, 14, {4});
            Spawn(g, 5, {2, 6});
        } else {
            Spawn(g, 8, {3, 5});
        }
    } else if (FramesEvery(g, 600, 850, 40)) {
        Spawn(g, 10, {4}, Edge::Bottom);
        if (EveryFrames(g, 80)) {
            Spawn(g, 5, {1, 7});
        }
    } else if (g.StageFrame == 900) {
        Spawn(g, 0, {4});
        Spawn(g, 12, {2, 6});
    } else if (g.StageFrame == 950) {
        SpawnAcross(g, 13);
    } else if (FramesEvery(g, 1000, 1300, 30)) {
        if (g.StageFrame == 1200) {
            Spawn(g, 2, {4});
        }
        if (Alternate(g, 2) == 0) {
            Spawn(g, 14, {4});
            Spawn(g, 11, {2, 6});
        } else {
            Spawn(g, 8, {4});
            Spawn(g, 10, {2, 6}, Edge::Bottom);
        }
    } else if (g.StageFrame == 1350) {
        Spawn(g, 1, {4});
        Spawn(g, 0, {2, 6});
    } else if (FramesEvery(g, 1350, 1700, 40)) {
        if (EveryFrames(g, 80)) {
            Spawn(g, 14, {4});
            Spawn(g, 11, {1, 7});
        } else {
            Spawn(g, 18, {2, 4, 6});
        }
    } else if (FramesEvery(g, 1700, 2300, 50)) {
        switch (Alternate(g, 5)) {
            case 0:
                Spawn(g, 14, {4});
                Spawn(g, 5, {2, 6});
                break;
            case 1:
                Spawn(g, 10, {2, 6}, Edge::Bottom);
                Spawn(g, 13, {4});
                break;
            case 2:
                Spawn(g, 14, {1, 7});
                Spawn(g, 18, {4});
                break;
            case 3: Spawn(g, 11, {1, 3, 5, 7}); break;
            default:
                Spawn(g, 17, {3, 5}, Edge::Bottom);
                Spawn(g, 14, {4});
                break;
        }
    } else if (g.StageFrame == 2350) {
        Spawn(g, 2, {3, 5});
        Spawn(g, 18, {4});
    } else if (FramesEvery(g, 2400, 3000, 50)) {
        switch (Alternate(g, 6)) {
            case 0:
                Spawn(g, 14, {2, 6});
                Spawn(g, 17, {4}, Edge::Bottom);
                break;
            case 1:
                Spawn(g, 13, {3, 5});
                Spawn(g, 10, {1, 7}, Edge::Bottom);
                break;
            case 2:
                Spawn(g, 11, {2, 6});
                Spawn(g, 14, {4});
                break;
            case 3:
                Spawn(g, 5, {2, 6});
                Spawn(g, 13, {4});
                break;
            case 4:
                Spawn(g, 8, {2, 6});
                Spawn(g, 14, {4});
                break;
            default:
                Spawn(g, 18, {3, 5});
                Spawn(g, 17, {4}, Edge::Bottom);
                break;
        }
    } else if (FramesEvery(g, 3000, 3800, 50)) {
        if (g.StageFrame == 3400) {
            Spawn(g, 0, {4});
        }
        switch (Alternate(g, 6)) {
            case 0: Spawn(g, 14, {1, 4, 7}); break;
            case 1:
                Spawn(g, 10, {2, 6}, Edge::Bottom);
                Spawn(g, 16, {4});
                break;
            case 2: Spawn(g, 11, {3, 5}); break;
            case 3:
                Spawn(g, 14, {2, 6});
                Spawn(g, 13, {4});
                break;
            case 4:
                Spawn(g, 17, {3, 5}, Edge::Bottom);
                Spawn(g, 15, {4});
                break;
            default:
                Spawn(g, 5, {2, 6});
                Spawn(g, 8, {4});
                break;
        }
    } else if (g.StageFrame == 3900) {
        // The items fall between four blocks: the player has to pick a gap.
        Spawn(g, 0, {4});
        Spawn(g, 2, {2, 6});
        Spawn(g, 14, {1, 3, 5, 7});
    } else if (FramesEvery(g, 3900, 4500, 50)) {
        Spawn(g, 14, {4});
        if (EveryFrames(g, 150)) {
            Spawn(g, 11, {3, 5});
        }
    } else if (g.StageFrame == 4550) {
        Spawn(g, 1, {4});
        Spawn(g, 2, {2, 6});
        Spawn(g, 8, {1, 7});
    } else if (FramesEvery(g, 4600, 5200, 50)) {
        if (EveryFrames(g, 100)) {
            Spawn(g, 13, {4});
            Spawn(g, 10, {4}, Edge::Bottom);
        } else {
            Spawn(g, 14, {2, 6});
        }
    } else if (FramesEvery(g, 5200, 5800, 50)) {
        Spawn(g, 14, {4});
        if (EveryFrames(g, 100)) {
            Spawn(g, 9, {2, 6});
        } else {
            Spawn(g, 15, {3, 5});
        }
    } else if (g.StageFrame == 5850) {
        Spawn(g, 0, {2, 6});
        Spawn(g, 17, {3, 5}, Edge::Bottom);
        Spawn(g, 14, {1, 7});
    } else if (g.StageFrame == 6100) {
        // A full wall of blocks with risers coming up behind the ship.
        SpawnAcross(g, 14);
        Spawn(g, 10, {1, 3, 5, 7}, Edge::Bottom);
        Spawn(g, 17, {2, 6}, Edge::Bottom);
    } else if (g.StageFrame == 6300) {
        StartBoss(g, "boss", 27);
    }
}

}  // namespace volley
