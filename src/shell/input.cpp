#include "shell/input.h"

#include "shell/game.h"

namespace volley {

bool KeyDown(Game& g, GameKey key) {
    return g.Sys.keys.Query(key);
}

void FlushKeys(Game& g) {
    for (GameKey key : {GameKey::Up, GameKey::Right, GameKey::Down, GameKey::Left, GameKey::Z,
                        GameKey::X, GameKey::Escape}) {
        KeyDown(g, key);
    }
}

// Joysticks are not read yet: the game is played from the keyboard alone.
void JoyInit(Game& g) {
    g.JoyId = 0;
    g.JoyPresent = false;
}

JoyState ReadJoystick(Game&) {
    return JoyState{};
}

}  // namespace volley
