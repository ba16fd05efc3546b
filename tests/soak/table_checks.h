// The ranges every table and counter of a running stage must stay within between two frames.
#pragma once

#include <string>

namespace volley {

struct Game;

// Looks at every slot of every table and every counter of a stage in play, as they stand after a
// frame. Returns an empty string when all is in range, otherwise the first field out of range, its
// value and its range ("Enemies[17].Y = 900, outside 0 .. 616").
std::string CheckTables(const Game& g);

}  // namespace volley
