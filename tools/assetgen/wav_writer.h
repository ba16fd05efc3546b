// The effects' file format: canonical RIFF/WAVE, 16-bit signed PCM, one channel.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

inline constexpr int kEffectSampleRate = 44100;

// Samples are in [-1, 1]; anything beyond is clamped rather than wrapped, which would crackle.
std::vector<uint8_t> EncodeWav16Mono(const std::vector<double>& samples, int sampleRate);

}  // namespace assetgen
