#pragma once

namespace volley {

struct Game;

// One step of the running stage's timeline.
void RunStageScript(Game& g);

}  // namespace volley
