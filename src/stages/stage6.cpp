#include "game/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// A boss stage: three power items to arm the ship, then the boss.
void RunStage6(Game& g) {
    using enum EnemyKind;
    if (g.StageFrame == 0) {
        Spawn(g, PowerItem, {2, 4, 6});
    } else if (g.StageFrame == BossFrame(g)) {
        StartBoss(g);
    }
}

}  // namespace volley
