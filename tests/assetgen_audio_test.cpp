// The sound the generator makes: the music notation (cases in data/mml_notes.txt), the MIDI and
// WAV writers and the effect synthesizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "assetgen_test_support.h"
#include "mml_compiler.h"
#include "params.h"
#include "sfx_synth.h"
#include "smf_writer.h"
#include "wav_writer.h"

namespace assetgen {
namespace {

using assetgen_test::ErrorOf;
using assetgen_test::Le16;
using assetgen_test::Le32;
using Bytes = std::vector<uint8_t>;

// The notes of one track, each strike paired with the next release of its key, and its other
// channel messages as tick:bytes in hex.
std::string NotesOf(const MidiTrack& track) {
    std::ostringstream notes;
    for (size_t i = 0; i < track.Events.size(); ++i) {
        const Bytes& on = track.Events[i].Bytes;
        if (on[0] >= 0xB0 && on[0] < 0xF0) {
            notes << (notes.tellp() > 0 ? " " : "") << track.Events[i].Tick << ":" << std::hex;
            for (uint8_t byte : on) {
                notes << int{byte} / 16 << int{byte} % 16;
            }
            notes << std::dec;
        }
        for (size_t j = i + 1; (on[0] & 0xF0) == 0x90 && j < track.Events.size(); ++j) {
            const Bytes& off = track.Events[j].Bytes;
            if ((off[0] & 0xF0) == 0x80 && off[1] == on[1]) {
                notes << (notes.tellp() > 0 ? " " : "") << track.Events[i].Tick << "+"
                      << track.Events[j].Tick - track.Events[i].Tick << ":" << int{on[1]};
                notes << (on[2] != 100 ? "@" + std::to_string(on[2]) : "");
                notes << ((on[0] & 0x0F) != 0 ? "#" + std::to_string(on[0] & 0x0F) : "");
                break;
            }
        }
    }
    return notes.str();
}

TEST(AssetgenMml, NotesFallWhereTheNotationPutsThem) {
    const auto cases = assetgen_test::ReadCases("mml_notes.txt");
    for (const auto& [source, notes] : cases) {
        EXPECT_EQ(NotesOf(CompileMusic(source + "\n", "song.mml").Tracks.at(1)), notes) << source;
    }
    EXPECT_EQ(cases.size(), 20u);
    const CompiledMusic music = CompileMusic("tempo 90\ntrack a 3\nt150 c8\ntrack b 2\nc8\n", "t");
    ASSERT_EQ(music.Tracks.at(0).Events.size(), 3u) << "the conductor: name and two tempi";
    EXPECT_EQ(music.Tracks[0].Events[1].Bytes, TempoChange(0, 90).Bytes);
    EXPECT_EQ(music.Tracks[0].Events[2].Bytes, (Bytes{0xFF, 0x51, 3, 0x06, 0x1A, 0x80}));  // 150
    const Bytes smf = EncodeMusic(music);
    EXPECT_EQ(std::make_pair(smf[9], smf[11]), std::make_pair(uint8_t{1}, uint8_t{3}))
        << "format 1: the conductor and two parts";
}

TEST(AssetgenMml, LoopsNestSixteenDeepAndPartsLastTenThousandBeats) {
    auto nested = [](int depth) {
        std::string text = "track a 1\n" + std::string(static_cast<size_t>(depth), '[') + "c";
        for (int i = 0; i < depth; ++i) {
            text += "]1";
        }
        return text + "\n";
    };
    EXPECT_EQ(CompileMusic(nested(16), "deep.mml").EndTick, 480u);
    const auto error = [](const std::string& s) { return ErrorOf([&] { CompileMusic(s, "b"); }); };
    EXPECT_EQ(error(nested(17)), "b:2: loops nest more than 16 deep");
    EXPECT_EQ(error(nested(5000)), "b:2: loops nest more than 16 deep") << "not out of stack";
    EXPECT_EQ(CompileMusic("track a 1\n[[r1]50]50\n", "long.mml").EndTick, 10000u * 480);
    std::string ties = "track a 1\nc1";
    for (int i = 0; i < 10000; ++i) {
        ties += "^1";
    }
    EXPECT_EQ(error(ties), "b:2: the part lasts more than 10000 beats") << "ties must not wrap";
}

// The game's reader checks the files the writer makes; here what it cannot tell: at one tick a
// release goes before a strike, whatever order they were written in, and nothing goes past the end.
TEST(AssetgenSmf, ReleasesComeBeforeStrikesAtOneTick) {
    MidiTrack track;
    track.Events = {ProgramChange(0, 2, 33), NoteOn(0, 2, 40, 90), NoteOn(96, 2, 40, 90),
                    NoteOff(96, 2, 40)};
    const Bytes smf = EncodeSmf({track}, 96, 96);
    EXPECT_EQ(Bytes(smf.begin() + 22, smf.end()),
              (Bytes{0, 0xC2, 33, 0, 0x92, 40, 90, 0x60, 0x82, 40, 64, 0, 0x92, 40, 90, 0, 0xFF,
                     0x2F, 0}));
    EXPECT_THROW(EncodeSmf({track}, 96, 95), std::logic_error);
}

// The header is read by SDL in sdl_audio_test.cpp; here the samples, clamped rather than wrapped.
TEST(AssetgenWav, SamplesAreSixteenBitClampedNotWrapped) {
    const Bytes wav = EncodeWav16Mono({0.0, 0.5, -0.5, 1.7, -3.0}, 44100);
    ASSERT_EQ(wav.size(), 44u + 10u);
    EXPECT_EQ(Le32(wav, 40), 10u);
    const std::vector<int> samples = {0, 16384, -16384, 32767, -32767};
    for (size_t i = 0; i < samples.size(); ++i) {
        EXPECT_EQ(static_cast<int16_t>(Le16(wav, 44 + 2 * i)), samples[i]) << i;
    }
}

EffectRecipe Tick(const std::string& noise) {
    return ReadEffectRecipe(Params::Parse(
        "seconds = 0.05\ntone = triangle\nduty = 0.5\npitch = 2000 1500\nsteps = 1\n"
        "step_time = 1\nring = 0\ntone_level = 1\ntone_decay = 0.02\nnoise_level = " +
            noise +
            "\nnoise_rate = 100 100\nnoise_decay = 1\nlowpass = 9000 9000\nhighpass = 100\n"
            "attack = 0.001\nrelease = 0.01\npeak = -6\nseed = 1\n",
        "tick.txt"));
}

TEST(AssetgenSynth, ScalesToThePeakRampsBothEndsAndFollowsTheSeed) {
    const std::vector<double> samples = SynthesizeEffect(Tick("0"));
    ASSERT_EQ(samples.size(), 2205u);
    double peak = 0;
    for (double sample : samples) {
        peak = std::max(peak, std::abs(sample));
    }
    EXPECT_NEAR(20 * std::log10(peak), -6.0, 1e-6);
    EXPECT_EQ(samples.front(), 0.0);
    EXPECT_LT(std::abs(samples.back()), 0.001);
    const std::vector<double> noisy = SynthesizeEffect(Tick("0.8"));
    EXPECT_EQ(SynthesizeEffect(Tick("0.8")), noisy);
    EffectRecipe reseeded = Tick("0.8");
    reseeded.Seed = 2;
    EXPECT_NE(SynthesizeEffect(reseeded), noisy);
}

}  // namespace
}  // namespace assetgen
