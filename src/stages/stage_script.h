// The stage scripts: each stage's timeline of spawns, keyed by StageFrame.
#pragma once

namespace volley {

struct Game;

// One step of the running stage's timeline: the first entry whose condition holds on this frame
// runs, and no other. A stage outside 1 to 8 has no entries.
void RunStageScript(Game& g);

// Each stage's own step (one file each).
void RunStage1(Game& g);
void RunStage2(Game& g);
void RunStage3(Game& g);
void RunStage4(Game& g);
void RunStage5(Game& g);
void RunStage6(Game& g);
void RunStage7(Game& g);
void RunStage8(Game& g);

}  // namespace volley
