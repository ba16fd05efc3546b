// A small seeded generator (SplitMix64) so every run paints the very same pixels on every machine;
// the standard distributions are free to differ between library versions, so none is used.
#pragma once

#include <cstdint>

namespace assetgen {

class Rng {
  public:
    explicit Rng(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        state_ += 0x9E3779B97F4A7C15ull;
        uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1), from the top 53 bits so every value is exact.
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

    // Uniform in [low, high).
    double Between(double low, double high) { return low + (high - low) * Unit(); }

    // Uniform in [0, count); count must be positive. The slight bias of a modulo is harmless here.
    int Below(int count) { return static_cast<int>(Next() % static_cast<uint64_t>(count)); }

  private:
    uint64_t state_;
};

}  // namespace assetgen
