#include "game/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// The last boss stage: four power items, then the final boss, without a change of music.
void RunStage8(Game& g) {
    using enum EnemyKind;
    if (g.StageFrame == 0) {
        Spawn(g, PowerItem, {3, 5});
    } else if (g.StageFrame == 20) {
        Spawn(g, PowerItem, {2, 6});
    } else if (g.StageFrame == BossFrame(g)) {
        StartBoss(g);
    }
}

}  // namespace volley
