#include "game/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// A boss stage: three power items to arm the ship, then the boss.
void RunStage6(Game& g) {
    if (g.StageFrame == 0) {
        Spawn(g, 0, {2, 4, 6});
    } else if (g.StageFrame == 200) {
        StartBoss(g, "boss2", 28);
    }
}

}  // namespace volley
