// The play surface's background: stretched once at load, kept in Def, restored every frame.
#pragma once

namespace volley {

struct Game;

// restore = true copies the saved background Def over the play surface; false saves the play
// surface into Def. A restore copies back only the places drawn on since the last one, when that
// is less than the whole surface.
void BackgroundCopy(Game& g, bool restore);

// Notes that the w x h rectangle at (x, y) of the play surface has been drawn on.
void NoteDrawn(Game& g, int x, int y, int w, int h);

}  // namespace volley
