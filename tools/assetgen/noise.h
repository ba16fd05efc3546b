// Smooth random fields for clouds and ragged edges. The lattice wraps every `period` cells, so a
// picture painted over exactly one period tiles without a seam.
#pragma once

#include <cstdint>

namespace assetgen {

// In [0, 1]; x and y in lattice cells.
double ValueNoise(double x, double y, int period, uint64_t seed);

// Octaves of ValueNoise, each at twice the frequency and half the weight of the one before,
// normalised back to [0, 1]. x and y are fractions of one period (0..1 covers it once).
double FractalNoise(double x, double y, int period, int octaves, uint64_t seed);

}  // namespace assetgen
