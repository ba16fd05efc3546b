#include "platform/mix_limiter.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>

namespace volley {

namespace {

constexpr float kFullScale = 32768.0f;

}  // namespace

MixLimiter::MixLimiter(float makeup, float ceiling, float releaseFrames)
    : makeup_(makeup),
      ceiling_(ceiling * kFullScale),
      releaseStep_(1.0f - std::exp(-1.0f / releaseFrames)) {}

void MixLimiter::Process(int16_t* samples, int frames, int channels) {
    for (int frame = 0; frame < frames; ++frame) {
        int16_t* sample = samples + static_cast<std::ptrdiff_t>(frame) * channels;
        int peak = 0;
        for (int c = 0; c < channels; ++c) {
            peak = std::max(peak, std::abs(static_cast<int>(sample[c])));
        }
        gain_ += (1.0f - gain_) * releaseStep_;
        const float loudest = static_cast<float>(peak) * makeup_;
        if (loudest * gain_ > ceiling_) {
            gain_ = ceiling_ / loudest;
        }
        const float factor = makeup_ * gain_;
        for (int c = 0; c < channels; ++c) {
            // Truncated toward zero, so a sample brought exactly to the ceiling stays under it.
            sample[c] = static_cast<int16_t>(static_cast<float>(sample[c]) * factor);
        }
    }
}

}  // namespace volley
