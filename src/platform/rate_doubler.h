// Doubles the rate of a stereo 16-bit stream, so that music synthesised at half the sound card's
// rate costs half the synthesis and still plays at the card's rate.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace volley {

// Each input frame gives two output frames: the frame itself and one halfway to the next,
// interpolated over eight input frames (a Lanczos kernel), which keeps the band below the input's
// half rate flat and its mirror image above it well down. The output lags the input by four input
// frames. An odd number of output frames leaves the second of a pair for the next call.
class RateDoubler {
  public:
    static constexpr int kTaps = 8;

    // Forgets the stream so far, as at the start of a piece.
    void Reset();

    // Writes frames output frames over the first two of channels lanes of out (the others are left
    // alone; a single lane gets the middle of left and right), taking input frames as it needs them
    // from fill(int16_t* stereo, int count), which must write count stereo frames; count is never
    // more than maxCount.
    template <typename Fill>
    void Render(int16_t* out, int frames, int channels, int16_t* scratch, int maxCount, Fill fill);

  private:
    // Takes one input frame and writes its two output frames to pair (left, right, left, right).
    void Push(const int16_t* frame, std::array<int16_t, 4>& pair);

    // The input samples of each side, in a ring of kTaps written twice over.
    std::array<std::array<float, 2 * kTaps>, 2> history_{};
    int newest_ = 0;
    std::array<int16_t, 4> pending_{};
    bool hasPending_ = false;
};

template <typename Fill>
void RateDoubler::Render(int16_t* out, int frames, int channels, int16_t* scratch, int maxCount,
                         Fill fill) {
    auto put = [&](const int16_t* frame) {
        if (channels == 1) {
            out[0] = static_cast<int16_t>((frame[0] + frame[1]) / 2);
        } else {
            out[0] = frame[0];
            out[1] = frame[1];
        }
        out += channels;
        --frames;
    };
    if (frames > 0 && hasPending_) {
        put(pending_.data() + 2);
        hasPending_ = false;
    }
    while (frames > 0) {
        const int count = std::min((frames + 1) / 2, maxCount);
        fill(scratch, count);
        std::array<int16_t, 4> pair{};
        for (int i = 0; i < count; ++i) {
            Push(scratch + 2 * i, pair);
            put(pair.data());
            if (frames == 0) {
                pending_ = pair;
                hasPending_ = true;
                break;
            }
            put(pair.data() + 2);
        }
    }
}

}  // namespace volley
