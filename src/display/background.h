// The play surface's background: stretched once at load, kept in Def, restored every frame.
#pragma once

namespace volley {

struct Game;

// restore = true copies the saved background Def over the play surface; false saves the play
// surface into Def.
void BackgroundCopy(Game& g, bool restore);

}  // namespace volley
