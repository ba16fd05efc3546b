// The last stage of the game's sound: the mix is made well below its final level, so that music
// and effects never clip while they are added up, and is brought up to level here with a peak
// limiter that keeps every sample under a ceiling.
#pragma once

#include <cstdint>

namespace volley {

class MixLimiter {
  public:
    // makeup: the factor that brings the mix up to level; ceiling: the highest sample let through,
    // a fraction of full scale; releaseFrames: how many frames the gain takes to recover most of
    // the way (1/e of what is left) after a peak pushed it down.
    MixLimiter(float makeup, float ceiling, float releaseFrames);

    // Interleaved 16-bit samples, in place. A peak that would pass the ceiling turns the gain down
    // at once for that very frame, all channels alike; it then comes back smoothly.
    void Process(int16_t* samples, int frames, int channels);

  private:
    float makeup_;
    float ceiling_;      // in sample units
    float releaseStep_;  // the share of the way back to full gain made each frame
    float gain_ = 1.0f;  // the limiter's own, at most 1, applied on top of makeup_
};

}  // namespace volley
