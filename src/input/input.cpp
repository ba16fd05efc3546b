#include "input/input.h"

#include "game/game.h"

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

namespace {

constexpr uint16_t kAxisFarEnd = 60000;

// -1 at the low end of an axis (exactly 0), +1 at the high end, 0 between.
int AxisSide(uint16_t position) {
    if (position == 0) {
        return -1;
    }
    return position > kAxisFarEnd ? 1 : 0;
}

// Both keys of a diagonal are queried, whatever the first one says.
bool BothDown(Game& g, GameKey a, GameKey b) {
    const bool first = KeyDown(g, a);
    const bool second = KeyDown(g, b);
    return first && second;
}

}  // namespace

Direction ReadKeys(Game& g) {
    Direction code = Direction::None;
    if (KeyDown(g, GameKey::Up))
        code = Direction::Up;
    if (KeyDown(g, GameKey::Right))
        code = Direction::Right;
    if (KeyDown(g, GameKey::Down))
        code = Direction::Down;
    if (KeyDown(g, GameKey::Left))
        code = Direction::Left;
    if (BothDown(g, GameKey::Up, GameKey::Right))
        code = Direction::UpRight;
    if (BothDown(g, GameKey::Right, GameKey::Down))
        code = Direction::RightDown;
    if (BothDown(g, GameKey::Down, GameKey::Left))
        code = Direction::DownLeft;
    if (BothDown(g, GameKey::Left, GameKey::Up))
        code = Direction::LeftUp;
    if (KeyDown(g, GameKey::X))
        code = Direction::BombHeld;
    FlushKeys(g);
    return code;
}

Direction JoyDirection(uint16_t x, uint16_t y) {
    // Rows: x left, centred, right; columns: y up, centred, down.
    using enum Direction;
    static constexpr Direction kCodes[3][3] = {
        {LeftUp, Left, DownLeft},
        {Up, None, Down},
        {UpRight, Right, RightDown},
    };
    return kCodes[AxisSide(x) + 1][AxisSide(y) + 1];
}

void JoyInit(Game& g) {
    g.JoyPresent = false;
    Joysticks& joysticks = g.Sys.joysticks;
    g.JoyDeviceCount = joysticks.DeviceCount();
    if (g.JoyDeviceCount == 0) {
        return;
    }
    JoyReading reading;
    for (int32_t device : {0, 1}) {
        if (joysticks.Read(device, reading)) {
            g.JoyId = device;
            g.JoyPresent = true;
            return;
        }
    }
}

JoyState ReadJoystick(Game& g) {
    if (g.Sys.joysticks.DeviceCount() != g.JoyDeviceCount) {
        JoyInit(g);  // a pad was plugged in or pulled out: choose again among those there now
    }
    JoyReading reading;
    if (!g.JoyPresent || !g.Sys.joysticks.Read(g.JoyId, reading)) {
        return JoyState{};
    }
    JoyState state;
    state.Direction = JoyDirection(reading.X, reading.Y);
    for (size_t b = 0; b < state.Button.size(); ++b) {
        state.Button[b] = (reading.Buttons >> b) & 1u;
    }
    return state;
}

}  // namespace volley
