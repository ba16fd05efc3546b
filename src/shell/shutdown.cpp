#include "shell/shutdown.h"

#include "audio/music.h"
#include "game/game.h"
#include "shell/files.h"

namespace volley {

void RequestClose() {
    throw CloseRequested{};
}

int FormUnload(Game& g) {
    MusicClose(g);
    if (g.Observer != nullptr) {
        g.Observer->Quitting(g);
    }
    return SaveData(g) ? 0 : 1;
}

}  // namespace volley
