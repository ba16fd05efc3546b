#include "display/stars.h"

#include "display/background.h"
#include "game/game.h"
#include "game/numbers.h"

namespace volley {

namespace {

int16_t RandomColumn(Game& g) {
    return static_cast<int16_t>(Int((g.ScreenWidth + 1) * Rnd(g)));
}

}  // namespace

void PlaceStars(Game& g) {
    for (Star& star : g.Stars) {
        // The speed is drawn before the column: the order of the draws is part of the game.
        star.Speed = static_cast<int16_t>(Int(Rnd(g) * 8 + 3));
        star.X = RandomColumn(g);
    }
}

void DrawStars(Game& g) {
    for (Star& star : g.Stars) {
        SetPixel(g.Form1.Picture2, star.X, star.Y, kWhite);
        NoteDrawn(g, star.X, star.Y, 1, 1);
        star.Y = static_cast<int16_t>(star.Y + star.Speed);
        if (star.Y > g.ScreenHeight) {
            star.Y = 0;
            star.X = RandomColumn(g);
        }
    }
}

}  // namespace volley
