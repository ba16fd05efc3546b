// Bringing the game up.
#pragma once

#include <cstdint>
#include <optional>

namespace volley {

struct Game;

// Start-up in its order: random seed, music, the game's title and first stage, the data files,
// the joystick, the window, the stars. A missing file or window throws StartupError before any
// window is shown.
void Main(Game& g, std::optional<uint64_t> seed);

// The window's activation: the scenes run from here until the player closes the game. Returns the
// exit code.
int FormActivate(Game& g);

}  // namespace volley
