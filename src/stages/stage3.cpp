#include "shell/game.h"
#include "stages/script_steps.h"
#include "stages/stage_script.h"

namespace volley {

// The timeline of this stage is still to be laid out.
void RunStage3(Game&) {}

}  // namespace volley
