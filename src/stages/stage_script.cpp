#include "stages/stage_script.h"

#include "game/game.h"

namespace volley {

void RunStageScript(Game& g) {
    switch (g.Stage) {
        case 1: RunStage1(g); break;
        case 2: RunStage2(g); break;
        case 3: RunStage3(g); break;
        case 4: RunStage4(g); break;
        case 5: RunStage5(g); break;
        case 6: RunStage6(g); break;
        case 7: RunStage7(g); break;
        case 8: RunStage8(g); break;
        default: break;
    }
}

}  // namespace volley
