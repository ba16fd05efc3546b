#include "platform/mix_limiter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace volley {
namespace {

constexpr int kCeilingSample = static_cast<int>(0.891f * 32768);

std::vector<int16_t> Stereo(int frames, int16_t left, int16_t right) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i) {
        samples.insert(samples.end(), {left, right});
    }
    return samples;
}

// Quiet sound is brought up by the makeup alone. Whatever comes in, nothing above the ceiling
// goes out; a loud left channel turns the right one down alike, so the stereo picture holds.
TEST(MixLimiter, QuietSoundGetsTheMakeupAndNoSampleEverPassesTheCeiling) {
    MixLimiter limiter(4.0f, 0.891f, 2205);
    std::vector<int16_t> quiet = Stereo(1000, 1000, -2500);
    limiter.Process(quiet.data(), 1000, 2);
    EXPECT_EQ(quiet[0], 4000);
    EXPECT_EQ(quiet[1], -10000);
    EXPECT_EQ(quiet[1998], 4000);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> any(-32768, 32767);
    std::vector<int16_t> samples(2 * 44100);
    for (int block = 0; block < 20; ++block) {
        for (int16_t& s : samples) {
            s = static_cast<int16_t>(any(random) / (1 + block % 5 * 4));
        }
        limiter.Process(samples.data(), 44100, 2);
        for (int16_t s : samples) {
            ASSERT_LE(std::abs(static_cast<int>(s)), kCeilingSample) << "block " << block;
        }
    }
    std::vector<int16_t> linked = Stereo(10, 32000, 1000);
    limiter.Process(linked.data(), 10, 2);
    EXPECT_LE(linked[18], kCeilingSample);
    EXPECT_EQ(linked[19], static_cast<int16_t>(1000.0f * linked[18] / 32000.0f));
}

// A peak turns the gain down at once; it comes back smoothly, most of the way in a few release
// times (of 50 ms), never all at once.
TEST(MixLimiter, TheGainComesBackAfterAPeak) {
    MixLimiter limiter(4.0f, 0.891f, 2205);
    std::vector<int16_t> peak = Stereo(1, 30000, 30000);
    limiter.Process(peak.data(), 1, 2);
    EXPECT_GE(peak[0], kCeilingSample - 1);
    EXPECT_LE(peak[0], kCeilingSample);
    std::vector<int16_t> after = Stereo(5 * 2205, 1000, 1000);
    limiter.Process(after.data(), 5 * 2205, 2);
    EXPECT_LT(after[0], 1500) << "just after the peak the gain is still down";
    EXPECT_GT(after.back(), 3900) << "back to the makeup gain";
    for (size_t i = 2; i < after.size(); i += 2) {
        ASSERT_GE(after[i], after[i - 2]) << "rising without a jump back down, at frame " << i / 2;
    }
}

}  // namespace
}  // namespace volley
