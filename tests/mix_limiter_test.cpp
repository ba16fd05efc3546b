#include "platform/mix_limiter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace volley {
namespace {

constexpr float kMakeup = 4.0f;
constexpr float kCeiling = 0.891f;
constexpr int kCeilingSample = static_cast<int>(kCeiling * 32768);
constexpr float kRelease = 2205;  // 50 ms

std::vector<int16_t> Stereo(int frames, int16_t left, int16_t right) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i) {
        samples.push_back(left);
        samples.push_back(right);
    }
    return samples;
}

TEST(MixLimiter, QuietSoundIsBroughtUpByTheMakeupAlone) {
    MixLimiter limiter(kMakeup, kCeiling, kRelease);
    std::vector<int16_t> samples = Stereo(1000, 1000, -2500);
    limiter.Process(samples.data(), 1000, 2);
    EXPECT_EQ(samples[0], 4000);
    EXPECT_EQ(samples[1], -10000);
    EXPECT_EQ(samples[1998], 4000);
}

// Whatever comes in, nothing above the ceiling goes out; a loud left channel turns the right one
// down alike, so the stereo picture holds.
TEST(MixLimiter, NoSampleEverPassesTheCeiling) {
    MixLimiter limiter(kMakeup, kCeiling, kRelease);
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
// times, never all at once.
TEST(MixLimiter, TheGainComesBackAfterAPeak) {
    MixLimiter limiter(kMakeup, kCeiling, kRelease);
    std::vector<int16_t> peak = Stereo(1, 30000, 30000);
    limiter.Process(peak.data(), 1, 2);
    EXPECT_LE(peak[0], kCeilingSample);
    EXPECT_GE(peak[0], kCeilingSample - 1);
    std::vector<int16_t> after = Stereo(5 * 2205, 1000, 1000);
    limiter.Process(after.data(), 5 * 2205, 2);
    EXPECT_LT(after[0], 1500) << "just after the peak the gain is still down";
    EXPECT_GT(after[2 * 2205], after[0]);
    EXPECT_GT(after.back(), 3900) << "back to the makeup gain";
    for (size_t i = 2; i < after.size(); i += 2) {
        ASSERT_GE(after[i], after[i - 2]) << "rising without a jump back down, at frame " << i / 2;
    }
}

}  // namespace
}  // namespace volley
