#include "platform/rate_doubler.h"

namespace volley {

namespace {

// The Lanczos kernel (a = 4) at half a frame and one, two and three frames more, scaled so that
// the eight sum to 1 and a steady level stays exactly itself. Halfway frames are flat within
// 0.2 dB up to 0.3 of the input rate, 2 dB down at 0.4.
constexpr std::array<float, 4> kHalfway = {0.618877424f, -0.166011363f, 0.059764091f,
                                           -0.012630152f};

int16_t Saturated(float sample) {
    const float clamped = std::clamp(sample, -32768.0f, 32767.0f);
    // Halves away from zero, without a call into the maths library for every sample.
    return static_cast<int16_t>(clamped + (clamped >= 0 ? 0.5f : -0.5f));
}

}  // namespace

void RateDoubler::Reset() {
    history_ = {};
    newest_ = 0;
    hasPending_ = false;
}

void RateDoubler::Push(const int16_t* frame, std::array<int16_t, 4>& pair) {
    // Each sample is kept twice, kTaps apart, so that the last kTaps always lie in a row.
    newest_ = (newest_ + 1) % kTaps;
    for (int side = 0; side < 2; ++side) {
        std::array<float, 2 * kTaps>& ring = history_[side];
        ring[newest_] = ring[newest_ + kTaps] = frame[side];
        // h[0] is the oldest of the last kTaps; the halfway frame lies between h[3] and h[4].
        const float* h = ring.data() + newest_ + 1;
        float halfway = 0;
        for (int k = 0; k < 4; ++k) {
            halfway += kHalfway[k] * (h[3 - k] + h[4 + k]);
        }
        pair[side] = static_cast<int16_t>(h[3]);
        pair[2 + side] = Saturated(halfway);
    }
}

}  // namespace volley
