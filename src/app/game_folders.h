// Where the game's files are: beside the program in the build's runnable folder, or under
// share/volley of the prefix it was installed into.
#pragma once

#include <string>

namespace volley {

struct GameFolders {
    std::string Data;        // holds Data/, Graphics/, Sound/ and Music/
    bool Installed = false;  // the files are the system's: the save goes to the user's folder
};

// The folders for a program in programDir: its own folder when Data/Data.dat is there, else
// ../share/volley when that has it; otherwise its own folder, so the missing file is named there.
GameFolders FindGameFolders(const std::string& programDir);

// The save file: the one given, else the user's for an installed game, else the usual choice
// beside the program.
std::string SaveFileFor(const GameFolders& folders, const std::string& givenPath);

}  // namespace volley
