// The effects: the WAV encoding, the synthesizer's recipes, and the four files the game loads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "assetgen_test_support.h"
#include "audio_build.h"
#include "params.h"
#include "sfx_synth.h"
#include "wav_writer.h"

namespace assetgen {
namespace {

namespace fs = std::filesystem;
using assetgen_test::ErrorOf;
using assetgen_test::Le16;
using assetgen_test::Le32;
using assetgen_test::ReadBytes;

const fs::path kAssets = VOLLEY_ASSETS_DIR;
const fs::path kGame = VOLLEY_GAME_DIR;

int16_t SampleAt(const std::vector<uint8_t>& wav, size_t index) {
    return static_cast<int16_t>(Le16(wav, 44 + 2 * index));
}

TEST(AssetgenAudioWav, HeaderDescribesSixteenBitMonoPcm) {
    const std::vector<uint8_t> wav = EncodeWav16Mono({0.0, 0.5, -0.5}, 44100);
    ASSERT_EQ(wav.size(), 44u + 6u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(Le32(wav, 4), wav.size() - 8);
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(Le16(wav, 20), 1);  // PCM
    EXPECT_EQ(Le16(wav, 22), 1);  // mono
    EXPECT_EQ(Le32(wav, 24), 44100u);
    EXPECT_EQ(Le32(wav, 28), 88200u);
    EXPECT_EQ(Le16(wav, 32), 2);
    EXPECT_EQ(Le16(wav, 34), 16);
    EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
    EXPECT_EQ(Le32(wav, 40), 6u);
    EXPECT_EQ(SampleAt(wav, 1), 16384);
    EXPECT_EQ(SampleAt(wav, 2), -16384);
}

TEST(AssetgenAudioWav, OverloudSamplesAreClampedNotWrapped) {
    const std::vector<uint8_t> wav = EncodeWav16Mono({1.7, -3.0, 1.0}, 44100);
    EXPECT_EQ(SampleAt(wav, 0), 32767);
    EXPECT_EQ(SampleAt(wav, 1), -32767);
    EXPECT_EQ(SampleAt(wav, 2), 32767);
}

const char* kTick =
    "seconds = 0.05\ntone = triangle\nduty = 0.5\npitch = 2000 1500\nsteps = 1\n"
    "step_time = 1\nring = 0\ntone_level = 1\ntone_decay = 0.02\nnoise_level = 0\n"
    "noise_rate = 100 100\nnoise_decay = 1\nlowpass = 9000 9000\nhighpass = 100\n"
    "attack = 0.001\nrelease = 0.01\npeak = -6\nseed = 1\n";

EffectRecipe TickWith(const std::string& extra, const std::string& without = "") {
    std::string text = kTick;
    if (!without.empty()) {
        const size_t line = text.find(without + " =");
        text.erase(line, text.find('\n', line) + 1 - line);
    }
    return ReadEffectRecipe(Params::Parse(text + extra, "tick.txt"));
}

TEST(AssetgenAudioSynth, ScalesToTheRequestedPeakAndRampsBothEnds) {
    const std::vector<double> samples = SynthesizeEffect(TickWith(""));
    ASSERT_EQ(samples.size(), 2205u);
    double peak = 0;
    for (double sample : samples) {
        peak = std::max(peak, std::abs(sample));
    }
    EXPECT_NEAR(20 * std::log10(peak), -6.0, 1e-6);
    EXPECT_EQ(samples.front(), 0.0);
    EXPECT_LT(std::abs(samples.back()), 0.001);
}

TEST(AssetgenAudioSynth, NoiseFollowsItsSeed) {
    const std::string noisy = "noise_level = 0.8\n";
    const std::vector<double> first = SynthesizeEffect(TickWith(noisy, "noise_level"));
    EXPECT_EQ(SynthesizeEffect(TickWith(noisy, "noise_level")), first);
    EffectRecipe other = TickWith(noisy, "noise_level");
    other.Seed = 2;
    EXPECT_NE(SynthesizeEffect(other), first);
}

TEST(AssetgenAudioSynth, RejectsRecipesThatWouldHurt) {
    EXPECT_NE(ErrorOf([] { TickWith("peak = -0.5\n", "peak"); }).find("tick.txt:"),
              std::string::npos);
    EXPECT_NE(ErrorOf([] { TickWith("tone = whistle\n", "tone"); }).find("whistle"),
              std::string::npos);
    EXPECT_NE(ErrorOf([] { TickWith("release = 0.05\n", "release"); }).find("outlast"),
              std::string::npos);
    EXPECT_NE(ErrorOf([] { TickWith("gain = 2\n"); }).find("gain"), std::string::npos);
    EXPECT_NE(ErrorOf([] { TickWith("", "seed"); }).find("missing 'seed"), std::string::npos);
}

TEST(AssetgenAudioSynth, SilenceIsAnError) {
    const EffectRecipe mute = TickWith("tone_level = 0\n", "tone_level");
    EXPECT_NE(ErrorOf([&] { SynthesizeEffect(mute); }).find("silent"), std::string::npos);
}

struct EffectLimits {
    const char* Name;
    double MinSeconds;
    double MaxSeconds;
};

// Bom is the long one; Ki must be tiny, as it may sound ten times a second.
constexpr EffectLimits kLimits[] = {
    {"HitB", 0.15, 0.6}, {"Bom", 0.8, 1.4}, {"UP", 0.15, 0.6}, {"Ki", 0.01, 0.08}};

TEST(AssetgenAudioEffects, TheGameGetsCleanEffectsOfTheRightLength) {
    for (const EffectLimits& limits : kLimits) {
        SCOPED_TRACE(limits.Name);
        const std::vector<uint8_t> wav =
            ReadBytes(kGame / "Sound" / (std::string(limits.Name) + ".wav"));
        ASSERT_GT(wav.size(), 44u);
        EXPECT_EQ(Le16(wav, 20), 1);
        EXPECT_EQ(Le16(wav, 22), 1);
        EXPECT_EQ(Le32(wav, 24), 44100u);
        EXPECT_EQ(Le16(wav, 34), 16);
        const size_t count = Le32(wav, 40) / 2;
        ASSERT_EQ(wav.size(), 44 + 2 * count);
        const double seconds = count / 44100.0;
        EXPECT_GE(seconds, limits.MinSeconds);
        EXPECT_LE(seconds, limits.MaxSeconds);
        int peak = 0;
        for (size_t i = 0; i < count; ++i) {
            peak = std::max(peak, std::abs(static_cast<int>(SampleAt(wav, i))));
        }
        EXPECT_LE(peak, static_cast<int>(32767 * std::pow(10.0, -1.0 / 20)));  // -1 dBFS
        EXPECT_GE(peak, 32767 / 50);  // audible: within 34 dB of full scale
        // Ramped: the first and last millisecond stay far below the peak, so nothing clicks.
        for (size_t i = 0; i < 10; ++i) {
            EXPECT_LT(std::abs(SampleAt(wav, i)), peak / 4) << "sample " << i;
            EXPECT_LT(std::abs(SampleAt(wav, count - 1 - i)), peak / 4) << "from the end " << i;
        }
    }
}

TEST(AssetgenAudioEffects, AMissingRecipeIsNamed) {
    assetgen_test::ScratchFolder scratch;
    fs::copy(kAssets, scratch.Path() / "assets", fs::copy_options::recursive);
    fs::remove(scratch.Path() / "assets" / "sound" / "UP.txt");
    EXPECT_NE(ErrorOf([&] { BuildAudio(scratch.Path() / "assets"); }).find("UP.txt"),
              std::string::npos);
}

}  // namespace
}  // namespace assetgen
