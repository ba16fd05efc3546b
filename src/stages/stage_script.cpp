#include "stages/stage_script.h"

namespace volley {

// No stage has a timeline yet.
void RunStageScript(Game&) {}

}  // namespace volley
