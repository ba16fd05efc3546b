#include "noise.h"

#include <cmath>

namespace assetgen {
namespace {

int Wrap(int value, int period) {
    const int wrapped = value % period;
    return wrapped < 0 ? wrapped + period : wrapped;
}

// The random height of one lattice point, in [0, 1].
double LatticeValue(int x, int y, uint64_t seed) {
    uint64_t h = seed ^ (static_cast<uint64_t>(static_cast<uint32_t>(x)) * 0x9E3779B97F4A7C15ull);
    h ^= static_cast<uint64_t>(static_cast<uint32_t>(y)) * 0xC2B2AE3D27D4EB4Full;
    h = (h ^ (h >> 31)) * 0xBF58476D1CE4E5B9ull;
    h = (h ^ (h >> 29)) * 0x94D049BB133111EBull;
    h ^= h >> 32;
    return static_cast<double>(h & 0xFFFFFF) / 0xFFFFFF;
}

// Eases the blend between lattice points so the cells do not show as diamonds.
double Smooth(double t) {
    return t * t * (3 - 2 * t);
}

double Mix(double a, double b, double t) {
    return a + (b - a) * t;
}

}  // namespace

double ValueNoise(double x, double y, int period, uint64_t seed) {
    const double floor_x = std::floor(x);
    const double floor_y = std::floor(y);
    const int x0 = Wrap(static_cast<int>(floor_x), period);
    const int y0 = Wrap(static_cast<int>(floor_y), period);
    const int x1 = Wrap(x0 + 1, period);
    const int y1 = Wrap(y0 + 1, period);
    const double tx = Smooth(x - floor_x);
    const double ty = Smooth(y - floor_y);
    const double top = Mix(LatticeValue(x0, y0, seed), LatticeValue(x1, y0, seed), tx);
    const double bottom = Mix(LatticeValue(x0, y1, seed), LatticeValue(x1, y1, seed), tx);
    return Mix(top, bottom, ty);
}

double FractalNoise(double x, double y, int period, int octaves, uint64_t seed) {
    double sum = 0;
    double weight = 1;
    double total_weight = 0;
    int cells = period;
    for (int octave = 0; octave < octaves; ++octave) {
        sum +=
            weight * ValueNoise(x * cells, y * cells, cells, seed + static_cast<uint64_t>(octave));
        total_weight += weight;
        weight *= 0.5;
        cells *= 2;
    }
    return sum / total_weight;
}

}  // namespace assetgen
