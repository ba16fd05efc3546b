#include "random_pilot.h"

namespace volley {

namespace {

// A span of held keys lasts this many frames.
constexpr int kShortestSpan = 1;
constexpr int kLongestSpan = 60;
// Odds, one in n, per span.
constexpr int kHoldFireOdds = 10;  // fire is let go in one span of ten
constexpr int kBombOdds = 25;
constexpr int kPauseOdds = 400;
constexpr int kFocusLossOdds = 600;

}  // namespace

void RandomPilot::NewSpan() {
    framesLeft_ = Between(kShortestSpan, kLongestSpan);
    // Each direction on its own, so that opposite keys are sometimes held together.
    up_ = OneIn(3);
    down_ = OneIn(3);
    left_ = OneIn(3);
    right_ = OneIn(3);
    fire_ = !OneIn(kHoldFireOdds);
    bomb_ = OneIn(kBombOdds);
}

void RandomPilot::Fly(HeadlessKeyboard& keys, HeadlessEvents& events) {
    if (framesLeft_-- <= 0) {
        NewSpan();
        if (OneIn(kPauseOdds)) {
            keys.Tap(GameKey::Pause);
        } else if (OneIn(kFocusLossOdds)) {
            events.LoseFocus();
        }
    }
    keys.Hold(GameKey::Up, up_);
    keys.Hold(GameKey::Down, down_);
    keys.Hold(GameKey::Left, left_);
    keys.Hold(GameKey::Right, right_);
    keys.Hold(GameKey::Z, fire_);
    keys.Hold(GameKey::X, bomb_);
}

}  // namespace volley
