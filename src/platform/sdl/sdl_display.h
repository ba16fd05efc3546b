// Starting SDL's video on a display someone can see.
#pragma once

#include <string>

namespace volley::sdl {

// Starts SDL's video subsystem (stop it with SDL_QuitSubSystem(SDL_INIT_VIDEO)). Without a display
// SDL would fall back to drivers that draw into memory, and the game would run with nothing to
// see: those only count when asked for by name in SDL_VIDEODRIVER, as the tests do. False with
// the reason when there is no display to show a window on.
bool StartVideo(std::string& error);

}  // namespace volley::sdl
