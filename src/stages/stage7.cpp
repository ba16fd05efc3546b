#include "game/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// A short stage that arms the ship at once and then throws one set piece after another at it,
// with a swaying gunship halfway and the boss early.
void RunStage7(Game& g) {
    using enum EnemyKind;
    if (BossIsIn(g)) {
        // Risers keep coming up on either side while the boss bounces above.
        if (EveryFrames(g, 100)) {
            Spawn(g, Riser, {2, 6}, Edge::Bottom);
        }
        return;
    }
    if (g.StageFrame == 10) {
        Spawn(g, PowerItem, {3, 5});
    } else if (g.StageFrame == 100) {
        Spawn(g, Barge, {2, 6});
    } else if (FramesEvery(g, 150, 300, 50)) {
        Spawn(g, Hunter, {3, 5});
        if (EveryFrames(g, 100)) {
            Spawn(g, Riser, {1, 7}, Edge::Bottom);
        } else {
            Spawn(g, Bomber, {4});
        }
    } else if (g.StageFrame == 400) {
        Spawn(g, PowerItem, {4});
        Spawn(g, EnergyItem, {2, 6});
    } else if (g.StageFrame == 450) {
        Spawn(g, Barge, {1, 4, 7});
    } else if (g.StageFrame == 500) {
        Spawn(g, Hunter, {2, 4, 6});
        Spawn(g, Diver, {1, 7});
    } else if (g.StageFrame == 550) {
        Spawn(g, ArmourBlock, {3, 5});
        Spawn(g, Riser, {1, 7}, Edge::Bottom);
    } else if (g.StageFrame == 700) {
        Spawn(g, Stage7MidBoss, {4});
    } else if (g.StageFrame == 800) {
        Spawn(g, EnergyItem, {4});
        Spawn(g, Raider, {2, 6});
    } else if (g.StageFrame == 850) {
        Spawn(g, ArmourBlock, {3, 5});
    } else if (g.StageFrame == 900) {
        Spawn(g, Hunter, {2, 6});
        Spawn(g, Barge, {4});
    } else if (g.StageFrame == 950) {
        Spawn(g, Riser, {2, 4, 6}, Edge::Bottom);
        Spawn(g, Gunboat, {1, 7});
    } else if (g.StageFrame == 1000) {
        Spawn(g, ArmourBlock, {2, 6});
        Spawn(g, Arrow, {1, 4, 7});
    } else if (g.StageFrame == 1050) {
        Spawn(g, PowerItem, {4});
        Spawn(g, Barge, {3, 5});
        Spawn(g, Diver, {1, 7});
    } else if (g.StageFrame == 1100) {
        Spawn(g, Hunter, {2, 6});
        Spawn(g, Riser, {4}, Edge::Bottom);
    } else if (g.StageFrame == 1150) {
        Spawn(g, BombItem, {4});
        Spawn(g, Raider, {1, 7});
    } else if (g.StageFrame == 1250) {
        for (int16_t column = 1; column <= 7; ++column) {
            Spawn(g, Arrow, {column});
            Spawn(g, Riser, {column}, Edge::Bottom);
        }
    } else if (g.StageFrame == 1300) {
        Spawn(g, ArmourBlock, {1, 7});
        Spawn(g, Barge, {4});
        Spawn(g, Bomber, {2, 6});
    } else if (g.StageFrame == 1350) {
        Spawn(g, Arrow, {2, 6});
        Spawn(g, Bomber, {3, 5});
    } else if (FramesEvery(g, 1400, 1460, 30)) {
        SpawnAcross(g, Hunter);
    } else if (g.StageFrame == 1480) {
        Spawn(g, Riser, {1, 7}, Edge::Bottom);
        Spawn(g, Barge, {3, 5});
        Spawn(g, Gunboat, {4});
    } else if (g.StageFrame == 1500) {
        Spawn(g, ArmourBlock, {2, 6});
        Spawn(g, Seeker, {4});
    } else if (g.StageFrame == 1530) {
        Spawn(g, Hunter, {2, 4, 6});
        Spawn(g, Barge, {1, 7});
    } else if (g.StageFrame == 1550) {
        Spawn(g, Barge, {4});
        Spawn(g, TwinHull, {2, 6});
    } else if (g.StageFrame == 1600) {
        // Refill before the boss.
        Spawn(g, PowerItem, {4});
        Spawn(g, EnergyItem, {3, 5});
    } else if (g.StageFrame == BossFrame(g)) {
        StartBoss(g);
    }
}

}  // namespace volley
