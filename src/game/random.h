// The game's one random generator: seedable, so the same seed and the same input always give the
// same game.
#pragma once

#include <cstdint>

namespace volley {

class Random {
  public:
    explicit Random(uint64_t seed = 0) : state_(seed) {}
    void Seed(uint64_t seed) { state_ = seed; }
    uint64_t State() const { return state_; }

    // Uniform in [0, 1), single precision: 24 random bits, so 1.0 can never come out.
    float Next() { return static_cast<float>(NextBits() >> 40) * 0x1p-24f; }

  private:
    // splitmix64: tiny, fast, and every seed gives a good sequence.
    uint64_t NextBits() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    uint64_t state_;
};

}  // namespace volley
