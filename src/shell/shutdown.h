// The one way out of the program.
#pragma once

namespace volley {

struct Game;

// Closes the music, writes the save file and ends the process by unwinding to main: no code of the
// loops that were running runs after this.
[[noreturn]] void FormUnload(Game& g);

}  // namespace volley
