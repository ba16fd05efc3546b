#include "platform/rate_doubler.h"

#include <cmath>

namespace volley {

namespace {

// The Lanczos kernel (a = 4) at half a frame and one, two and three frames more, scaled so that
// the eight sum to 1 and a steady level stays exactly itself. Halfway frames are flat within
// 0.2 dB up to 0.3 of the input rate, 2 dB down at 0.4.
constexpr std::array<float, 4> kHalfway = {0.618877424f, -0.166011363f, 0.059764091f,
                                           -0.012630152f};

int16_t Saturated(float sample) {
    return static_cast<int16_t>(std::lround(std::clamp(sample, -32768.0f, 32767.0f)));
}

}  // namespace

void RateDoubler::Reset() {
    history_ = {};
    hasPending_ = false;
}

void RateDoubler::Push(const int16_t* frame, std::array<int16_t, 4>& pair) {
    for (int side = 0; side < 2; ++side) {
        std::array<float, kTaps>& h = history_[side];
        std::copy(h.begin() + 1, h.end(), h.begin());
        h[kTaps - 1] = frame[side];
        // h[3] and h[4] are the two frames the halfway one lies between.
        float halfway = 0;
        for (int k = 0; k < 4; ++k) {
            halfway += kHalfway[k] * (h[3 - k] + h[4 + k]);
        }
        pair[side] = static_cast<int16_t>(h[3]);
        pair[2 + side] = Saturated(halfway);
    }
}

}  // namespace volley
