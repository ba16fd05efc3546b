#include "shell/shutdown.h"

#include "audio/music.h"
#include "game/game.h"
#include "shell/files.h"

namespace volley {

void FormUnload(Game& g) {
    MusicClose(g);
    if (g.Observer != nullptr) {
        g.Observer->Quitting(g);
    }
    const bool saved = SaveData(g);
    throw ProcessEnd{saved ? 0 : 1};
}

}  // namespace volley
