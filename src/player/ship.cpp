#include "player/ship.h"

#include <array>

#include "display/blit.h"
#include "game/game.h"
#include "input/input.h"

namespace volley {

namespace {

constexpr int16_t kLevelFlight = 2;

// One way to fly: the direction code, the step along each axis (in ship speeds) and the ship cell
// that shows it.
struct Manoeuvre {
    Direction code;
    int dx;
    int dy;
    int16_t frame;
};

// The first line matching either the keyboard or the joystick wins.
constexpr std::array<Manoeuvre, 8> kManoeuvres{{
    {Direction::Up, 0, -1, 2},
    {Direction::Right, 1, 0, 3},
    {Direction::Down, 0, 1, 2},
    {Direction::Left, -1, 0, 1},
    {Direction::UpRight, 1, -1, 4},
    {Direction::RightDown, 1, 1, 4},
    {Direction::DownLeft, -1, 1, 0},
    {Direction::LeftUp, -1, -1, 0},
}};

int16_t Clamp(int value, int high) {
    return static_cast<int16_t>(value < 0 ? 0 : (value > high ? high : value));
}

}  // namespace

void DrawPlayer(Game& g, int x, int y) {
    g.PlayerX = static_cast<int16_t>(x);
    g.PlayerY = static_cast<int16_t>(y);
    DrawMasked(g, x, y, kShipSize * g.PlayerFrame, 0, kShipSize, kShipSize);
}

void MovePlayer(Game& g) {
    if (g.PlayerDown) {
        return;
    }
    const Direction keys = ReadKeys(g);
    g.PlayerFrame = kLevelFlight;
    for (const Manoeuvre& m : kManoeuvres) {
        if (keys == m.code || g.Joy.Direction == m.code) {
            g.PlayerX = static_cast<int16_t>(g.PlayerX + m.dx * g.PlayerSpeed);
            g.PlayerY = static_cast<int16_t>(g.PlayerY + m.dy * g.PlayerSpeed);
            g.PlayerFrame = m.frame;
            break;
        }
    }
    g.PlayerX = Clamp(g.PlayerX, g.ScreenWidth - kShipSize);
    g.PlayerY = Clamp(g.PlayerY, g.ScreenHeight - kShipBottomMargin);
    DrawPlayer(g, g.PlayerX, g.PlayerY);
}

}  // namespace volley
