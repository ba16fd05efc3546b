// A pilot that holds random keys for random spans: fire mostly on, now and then a bomb, and once
// in a while a pause. Its own seeded generator keeps a soak repeatable.
#pragma once

#include <cstdint>

#include "game/random.h"
#include "platform/headless.h"

namespace volley {

class RandomPilot {
  public:
    explicit RandomPilot(uint64_t seed) : rng_(seed) {}

    // Called once per frame of play: holds this span's keys, and picks a new span when it is over.
    void Fly(HeadlessKeyboard& keys, HeadlessEvents& events);

  private:
    bool OneIn(int n) { return rng_.Next() * n < 1.0f; }
    int Between(int low, int high) {
        return low + static_cast<int>(rng_.Next() * (high - low + 1));
    }
    void NewSpan();

    Random rng_;
    int framesLeft_ = 0;
    bool up_ = false;
    bool down_ = false;
    bool left_ = false;
    bool right_ = false;
    bool fire_ = false;
    bool bomb_ = false;
};

}  // namespace volley
