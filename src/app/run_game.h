// Runs the game as the command line asks: in the window or headless, recording or playing back.
#pragma once

#include <string>

#include "app/command_line.h"
#include "app/game_folders.h"

namespace volley {

// Plays until the game ends and returns the process's exit code: 0, 1 when the game could not
// start or its save (or the replay asked for) could not be written, 2 for a replay that cannot be
// read or does not match its recording.
int RunGame(const Options& options, const GameFolders& folders);

}  // namespace volley
