#include "shell/shutdown.h"

#include "shell/files.h"
#include "shell/game.h"
#include "shell/music.h"

namespace volley {

void FormUnload(Game& g) {
    MusicClose(g);
    SaveData(g);
    throw ProcessEnd{};
}

}  // namespace volley
