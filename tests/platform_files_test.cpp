// The files the game reads and writes, from the bounded reader up; the music's rate doubler and the
// limiter after the mix.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "platform/bmp.h"
#include "platform/midi_check.h"
#include "platform/midi_sequence.h"
#include "platform/mix_limiter.h"
#include "platform/rate_doubler.h"
#include "platform/read_file.h"
#include "platform/wav_chunks.h"
#include "support.h"

namespace volley {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

TEST(ReadWholeFile, TakesRegularFilesWithinTheirLimitAndRefusesTheRest) {
    testing::TempDir dir;
    const fs::path d = dir.Path();
    std::ofstream(d / "ten") << "0123456789";
    std::ofstream(d / "empty").close();
    fs::create_symlink(d / "ten", d / "link");
    // Name, limit, links, status, bytes read, and what the error holds.
    const std::tuple<const char*, size_t, Links, ReadStatus, size_t, const char*> cases[] = {
        {"ten", 10, Links::Follow, ReadStatus::Read, 10, ""},
        {"ten", 9, Links::Follow, ReadStatus::Refused, 0, "larger than 9 bytes"},
        {"empty", 0, Links::Follow, ReadStatus::Read, 0, ""},
        {"missing", 10, Links::Follow, ReadStatus::Missing, 0, "No such file"},
        {"ten/inside", 10, Links::Follow, ReadStatus::Refused, 0, "Not a directory"},
        {"link", 10, Links::Refuse, ReadStatus::Refused, 0, "symbolic link"},
    };
    for (const auto& [name, limit, links, status, size, errorHas] : cases) {
        Bytes bytes(3, 7);
        std::string error;
        const std::string path = (d / name).string();
        EXPECT_EQ(ReadWholeFile(path, limit, bytes, error, links), status) << name;
        EXPECT_EQ(bytes.size(), size) << name;
        EXPECT_NE(error.find(errorHas), std::string::npos) << error;
        EXPECT_EQ(error.find(path) != std::string::npos, status != ReadStatus::Read) << error;
    }
}

void Put(Bytes& b, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        b[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

Bytes MakeBmp(int32_t width, int32_t height, int bits, const std::vector<uint32_t>& palette,
              const Bytes& rows) {
    const size_t offset = 14 + 40 + palette.size() * 4;
    Bytes b(offset);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 2, static_cast<uint32_t>(offset + rows.size()), 4);
    Put(b, 10, static_cast<uint32_t>(offset), 4);
    Put(b, 14, 40, 4);
    Put(b, 18, static_cast<uint32_t>(width), 4);
    Put(b, 22, static_cast<uint32_t>(height), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, static_cast<uint32_t>(bits), 2);
    Put(b, 46, static_cast<uint32_t>(palette.size()), 4);
    for (size_t i = 0; i < palette.size(); ++i) {
        Put(b, 54 + i * 4, palette[i], 4);
    }
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

// Rows are stored bottom first unless the height is negative, each padded to four bytes.
TEST(Bmp, ReadsEveryDepthTheGameMeets) {
    const std::pair<Bytes, std::vector<Pixel>> cases[] = {
        {MakeBmp(2, 2, 24, {}, {3, 2, 1, 6, 5, 4, 0, 0, 12, 11, 10, 255, 255, 255, 0, 0}),
         {0x0A0B0C, kWhite, 0x010203, 0x040506}},
        {MakeBmp(1, -2, 32, {}, {3, 2, 1, 0, 6, 5, 4, 0}), {0x010203, 0x040506}},
        {MakeBmp(10, 1, 1, {0, 0xFFFFFF}, {0xB0, 0x40, 0, 0}),
         {kWhite, 0, kWhite, kWhite, 0, 0, 0, 0, 0, kWhite}},
        {MakeBmp(3, 1, 4, {0, 0x123456}, {0x10, 0x01, 0, 0}), {0x123456, 0, 0}},
        {MakeBmp(2, -2, 8, {0, 0xFF8000}, {1, 0, 0, 0, 0, 1, 0, 0}), {0xFF8000, 0, 0, 0xFF8000}},
    };
    for (const auto& [file, pixels] : cases) {
        Surface s;
        std::string error;
        ASSERT_TRUE(DecodeBmp(file.data(), file.size(), s, error)) << error;
        EXPECT_EQ(s.Pixels, pixels);
        EXPECT_EQ(s.Width * s.Height, static_cast<int>(pixels.size()));
    }
}

TEST(Bmp, RefusesDamagedFilesWithoutReadingPastThem) {
    const Bytes good = MakeBmp(2, 2, 24, {}, Bytes(16, 0));
    auto changed = [&](size_t at, uint32_t value, int bytes) {
        Bytes file = good;
        Put(file, at, value, bytes);
        return file;
    };
    Bytes cut = good;
    cut.pop_back();
    const std::pair<Bytes, const char*> cases[] = {
        {cut, "BMP pixel data cut short"},
        {Bytes(good.begin(), good.begin() + 53), "not a BMP file"},
        {changed(14, 39, 4), "damaged BMP header"},
        {changed(30, 1, 4), "compressed BMP files are not supported"},
        {changed(18, 0, 4), "BMP size out of range"},
        // Within the file size limit, a side that would take gigabytes to hold.
        {changed(18, kMaxPictureSide + 1, 4), "BMP size out of range"},
        {changed(22, static_cast<uint32_t>(-kMaxPictureSide - 1), 4), "BMP size out of range"},
        {changed(28, 16, 2), "unsupported BMP bit depth 16"},
        {MakeBmp(2, 2, 1, std::vector<uint32_t>(3, 0), Bytes(8, 0)), "BMP palette too large"},
        {MakeBmp(2, 2, 8, {}, {}), "BMP palette cut short"},  // 256 entries when none are given
        {changed(10, 0xFFFFFFF0u, 4), "BMP pixel data cut short"},
    };
    for (const auto& [file, message] : cases) {
        Surface s;
        std::string error;
        EXPECT_FALSE(DecodeBmp(file.data(), file.size(), s, error)) << message;
        EXPECT_EQ(error, message);
    }
}

// A RIFF WAVE header, then chunks: "name claimed actual" each, or loose bytes as "+count".
Bytes Wav(std::initializer_list<const char*> chunks) {
    Bytes out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const char* chunk : chunks) {
        char name[5] = {};
        unsigned claimed = 0, actual = 0;
        if (chunk[0] == '+') {
            out.insert(out.end(), std::stoul(chunk + 1), 0);
            continue;
        }
        std::sscanf(chunk, "%4c %u %u", name, &claimed, &actual);
        out.insert(out.end(), name, name + 4);
        for (int i = 0; i < 4; ++i) {
            out.push_back(static_cast<uint8_t>(claimed >> (8 * i)));
        }
        out.insert(out.end(), actual, 0x11);
    }
    return out;
}

TEST(WavChunks, ChunksMustEndInsideTheFile) {
    const struct {
        Bytes file;
        bool fits;
    } cases[] = {
        {Wav({"fmt  16 16", "data 100 100"}), true},
        {Wav({}), true},  // nothing but the header: the sound library says what is missing
        {Wav({"LIST 3 4", "data 5 5"}), true},
        {Wav({"fmt  16 16", "data 101 100"}), false},
        // The largest length must not wrap round the end of the file.
        {Wav({"data 4294967295 8"}), false},
        // A pad byte counted into the next chunk's header shifts it past the end.
        {Wav({"LIST 3 3", "data 4 4"}), false},
        // Fewer bytes than a chunk header at the end are let go; eight are a header.
        {Wav({"data 4 4", "+7"}), true},
        {Wav({"data 4 4", "junk 1 0"}), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WavChunksFit(c.file.data(), c.file.size()), c.fits) << &c - cases;
    }
    Bytes file = Wav({"data 4 4"});
    for (size_t at : {0, 8}) {
        file[at] ^= 1;
        EXPECT_FALSE(WavChunksFit(file.data(), file.size())) << "only RIFF WAVE files fit";
        file[at] ^= 1;
    }
    EXPECT_FALSE(WavChunksFit(file.data(), 11));
}

constexpr int kCeilingSample = static_cast<int>(0.891f * 32768);

std::vector<int16_t> Limited(MixLimiter& limiter, int frames, int16_t left, int16_t right) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i) {
        samples.insert(samples.end(), {left, right});
    }
    limiter.Process(samples.data(), frames, 2);
    return samples;
}

// A loud left channel turns the right one down alike, so the stereo picture holds.
TEST(MixLimiter, QuietSoundGetsTheMakeupNoSamplePassesTheCeilingAndTheGainComesBack) {
    MixLimiter limiter(4.0f, 0.891f, 2205);
    const std::vector<int16_t> quiet = Limited(limiter, 1000, 1000, -2500);
    EXPECT_EQ(std::make_tuple(quiet[0], quiet[1], quiet[1998]),
              std::make_tuple(4000, -10000, 4000));
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
    const std::vector<int16_t> linked = Limited(limiter, 10, 32000, 1000);
    EXPECT_LE(linked[18], kCeilingSample);
    EXPECT_EQ(linked[19], static_cast<int16_t>(1000.0f * linked[18] / 32000.0f));
    // After the peak the gain comes back up smoothly within a few release times (of 50 ms).
    const std::vector<int16_t> after = Limited(limiter, 5 * 2205, 1000, 1000);
    EXPECT_LT(after[0], 1500) << "just after the peak the gain is still down";
    EXPECT_GT(after.back(), 3900) << "back to the makeup gain";
    for (size_t i = 2; i < after.size(); i += 2) {
        ASSERT_GE(after[i], after[i - 2]) << "rising without a jump back down, at frame " << i / 2;
    }
}

// Doubles `input` (stereo) into `frames` frames of `channels` lanes, asking for at most maxCount
// input frames at a time and for the output in pieces of the given sizes, round and round.
std::vector<int16_t> Doubled(const std::vector<int16_t>& input, int frames, int channels,
                             int maxCount, const std::vector<int>& pieces) {
    RateDoubler doubler;
    std::vector<int16_t> out(static_cast<size_t>(frames) * channels, 7);
    std::vector<int16_t> scratch(2 * static_cast<size_t>(maxCount));
    size_t taken = 0;
    auto fill = [&](int16_t* stereo, int count) {
        EXPECT_LE(count, maxCount);
        for (int i = 0; i < 2 * count; ++i, ++taken) {
            stereo[i] = taken < input.size() ? input[taken] : 0;
        }
    };
    for (int done = 0, piece = 0; done < frames; ++piece) {
        const int n = std::min(pieces[piece % pieces.size()], frames - done);
        doubler.Render(out.data() + static_cast<size_t>(done) * channels, n, channels,
                       scratch.data(), maxCount, fill);
        done += n;
    }
    return out;
}

// Four input frames late, each input frame comes out as itself, and the frame halfway to the next
// follows a tone well below the input's half rate; pieces of any size and a full-scale edge change
// nothing of that, and lanes past the second are left alone.
TEST(RateDoubler, KeepsEachFrameAndFillsTheHalfwayOnesSmoothlyWhateverThePieces) {
    constexpr int kFrames = 2000;
    constexpr double kCycle = 22050.0 / 1000.0;  // a 1 kHz tone at 22,050 frames a second
    std::vector<int16_t> tone;
    for (int i = 0; i < kFrames; ++i) {
        const double phase = 2 * std::numbers::pi * i / kCycle;
        tone.insert(tone.end(), {static_cast<int16_t>(std::lround(10000 * std::sin(phase))),
                                 static_cast<int16_t>(std::lround(-8000 * std::sin(phase)))});
    }
    const std::vector<int16_t> whole = Doubled(tone, 2 * kFrames, 2, 512, {2 * kFrames});
    // The first input frames meet the silence before the tone.
    for (int out = 16; out < 2 * kFrames; ++out) {
        const double phase = 2 * std::numbers::pi * (out - 8) / (2 * kCycle);
        ASSERT_NEAR(whole[2 * out], 10000 * std::sin(phase), 20) << "frame " << out;
        ASSERT_NEAR(whole[2 * out + 1], -8000 * std::sin(phase), 20) << "frame " << out;
    }
    EXPECT_EQ(Doubled(tone, 2 * kFrames, 2, 3, {1, 7, 2, 511, 3}), whole);
    const std::vector<int16_t> wide = Doubled(tone, 301, 4, 5, {3, 1});
    for (int out = 0; out < 301; ++out) {
        ASSERT_EQ(wide[4 * out], whole[2 * out]);
        ASSERT_EQ(wide[4 * out + 1], whole[2 * out + 1]);
        ASSERT_EQ(std::make_pair(wide[4 * out + 2], wide[4 * out + 3]),
                  std::make_pair(int16_t{7}, int16_t{7}));
    }
    EXPECT_EQ(Doubled(tone, 9, 1, 4, {9})[8], (whole[16] + whole[17]) / 2);
    // A steady level comes out as itself; the ring at a full-scale edge is cut, never wrapped.
    std::vector<int16_t> square;
    for (int i = 0; i < 64; ++i) {
        const int16_t level = i / 16 % 2 == 0 ? 32767 : -32768;
        square.insert(square.end(), {level, level});
    }
    const std::vector<int16_t> edges = Doubled(square, 128, 2, 64, {128});
    for (int out = 8; out < 128; ++out) {
        const int plateau = (out - 8) / 2 % 16;
        if (plateau >= 4 && plateau < 12) {
            ASSERT_EQ(edges[2 * out], (out - 8) / 32 % 2 == 0 ? 32767 : -32768) << out;
        } else if (plateau >= 1 && plateau < 15) {
            ASSERT_EQ(edges[2 * out] > 0, (out - 8) / 32 % 2 == 0) << out;
        }
    }
}

Bytes Chunk(const char* type, const Bytes& body) {
    Bytes chunk(type, type + 4);
    const auto length = static_cast<uint32_t>(body.size());
    for (int shift = 24; shift >= 0; shift -= 8) {
        chunk.push_back(static_cast<uint8_t>(length >> shift));
    }
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

Bytes Header(uint8_t format, uint8_t tracks, uint16_t division = 480) {
    return Chunk("MThd", {0, format, 0, tracks, static_cast<uint8_t>(division >> 8),
                          static_cast<uint8_t>(division)});
}

Bytes File(std::initializer_list<Bytes> chunks) {
    Bytes file;
    for (const Bytes& chunk : chunks) {
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

// A note on and off, the second by running status, a tempo and the end of the track.
const Bytes kTrack = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0x90, 0x3C, 0x64,
                      0x60, 0x3C, 0x00, 0x00, 0xC0, 0x05, 0x00, 0xFF, 0x2F, 0x00};

Bytes OneTrack(const Bytes& events) {
    return File({Header(0, 1), Chunk("MTrk", events)});
}

TEST(MidiCheck, TakesWellFormedFilesAndRefusesEachKindOfDamage) {
    const Bytes good = File({Header(1, 2), Chunk("MTrk", kTrack), Chunk("MTrk", kTrack)});
    Bytes longHeader = Header(0, 1);
    longHeader[7] = 60;  // a header length past the end of the file
    const std::pair<Bytes, const char*> cases[] = {
        {good, ""},
        {File({Header(0, 1), Chunk("XTRA", {1, 2, 3}), Chunk("MTrk", kTrack)}), ""},  // passed over
        {OneTrack({}), ""},
        {{}, "not a standard MIDI file"},
        {{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 0, 0}, "not a standard MIDI file"},
        {longHeader, "header"},
        {File({Header(3, 1), Chunk("MTrk", kTrack)}), "header"},  // format 3
        {File({Header(1, 0)}), "header"},                         // no tracks
        {File({Header(0, 2), Chunk("MTrk", kTrack), Chunk("MTrk", kTrack)}), "header"},
        {File({Header(1, 2), Chunk("MTrk", kTrack)}), "announces"},
        {Bytes(good.begin(), good.end() - 3), "past the end"},
        {File({Header(0, 1), Chunk("MTrk", kTrack), Bytes{'M', 'T'}}), "inside a chunk header"},
        {OneTrack({0x80, 0x80, 0x80, 0x80, 0x00, 0x90, 0x3C, 0x64}),
         "damaged event"},                                           // 5-byte delta
        {OneTrack({0x00, 0x90, 0x3C}), "damaged event"},             // a note without its velocity
        {OneTrack({0x00, 0x90, 0x3C, 0x90}), "damaged event"},       // a status byte for data
        {OneTrack({0x00, 0x3C, 0x64}), "damaged event"},             // running status on nothing
        {OneTrack({0x00, 0xFF, 0x01, 0x10, 'a'}), "damaged event"},  // meta longer than its track
        {OneTrack({0x00, 0xF0, 0x05, 0x7E}), "damaged event"},       // system exclusive, likewise
        {OneTrack({0x00, 0xF8}), "damaged event"},                   // a real-time message
        {OneTrack({0x00}), "damaged event"},                         // a delta time with no event
    };
    for (const auto& [file, errorHas] : cases) {
        std::string error;
        EXPECT_EQ(CheckMidiFile(file, error), std::string(errorHas).empty()) << error;
        EXPECT_NE(error.find(errorHas), std::string::npos) << error;
    }
}

constexpr int kRate = 1000;
const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

// 120 beats a minute for a beat of 96 ticks (half a second), then 60 for another (a second).
const Bytes kConductor = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x60, 0xFF,
                          0x51, 0x03, 0x0F, 0x42, 0x40, 0x60, 0xFF, 0x2F, 0x00};
const Bytes kTwoNotes = {0x00, 0x90, 60,   100,  0x60, 0x80, 60,   64,   0x00, 0x90,
                         62,   100,  0x60, 0x80, 62,   64,   0x00, 0xFF, 0x2F, 0x00};

class RecordingSink final : public MidiSink {
  public:
    void Send(const SequencedMessage& m) override {
        sent.push_back(std::to_string(frames) + ":" + std::to_string(m.Status) + ":" +
                       std::to_string(m.Data1));
    }
    void Render(uint32_t count) override { frames += count; }
    std::vector<std::string> sent;
    uint32_t frames = 0;
};

TEST(MidiSequence, MessagesFallOnTheirFramesThroughTempoChangesAndTheLoopHasNoSeam) {
    MidiSequence sequence;
    std::string error;
    const Bytes file =
        File({Header(1, 2, 96), Chunk("MTrk", kConductor), Chunk("MTrk", kTwoNotes)});
    ASSERT_TRUE(BuildMidiSequence(file, kRate, sequence, error)) << error;
    EXPECT_EQ(sequence.LoopFrames, 1500u);
    const std::vector<std::string> expected = {"0:144:60",    "500:128:60",  "500:144:62",
                                               "1500:128:62", "1500:144:60", "2000:128:60",
                                               "2000:144:62", "3000:128:62", "3000:144:60"};
    for (uint32_t chunk : {7u, 512u, 3200u}) {
        SequencePlayer player;
        RecordingSink sink;
        player.Start(&sequence);
        for (uint32_t played = 0; played < 3200; played += chunk) {
            player.Play(std::min(chunk, 3200 - played), sink);
        }
        EXPECT_EQ(sink.sent, expected) << "in chunks of " << chunk;
        EXPECT_EQ(sink.frames, 3200u);
    }
    // SMPTE time: 25 frames a second of 40 ticks, a thousand ticks a second.
    const Bytes track = {0x81, 0x7A, 0x90, 60, 100, 0x81, 0x7A, 0x80, 60, 64, 0x00, 0xFF, 0x2F, 0};
    ASSERT_TRUE(BuildMidiSequence(File({Header(0, 1, 0xE728), Chunk("MTrk", track)}), kRate,
                                  sequence, error));
    EXPECT_EQ(sequence.Messages.at(0).Frame, 250u);
    EXPECT_EQ(sequence.LoopFrames, 500u);
}

TEST(MidiSequence, PiecesTooShortTooLongOrTooCrowdedAreRefused) {
    Bytes crowded;
    for (int i = 0; i < 700; ++i) {
        crowded.insert(crowded.end(), {0x00, 0x90, 60, 100});
    }
    crowded.insert(crowded.end(), {0x14, 0xFF, 0x2F, 0x00});  // 20 ticks: 0.104 s
    auto piece = [](uint16_t division, const Bytes& events) {
        return File({Header(0, 1, division), Chunk("MTrk", events)});
    };
    const std::pair<Bytes, const char*> cases[] = {
        {piece(96, kEnd), "a tenth of a second"},
        {piece(96, {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x2F, 0x00}), "more than an hour"},
        {piece(96, crowded), "more messages"},        // than a cable carries
        {piece(0xE700, kTwoNotes), "time division"},  // SMPTE frames without ticks
    };
    for (const auto& [file, errorHas] : cases) {
        MidiSequence sequence;
        std::string error;
        EXPECT_FALSE(BuildMidiSequence(file, kRate, sequence, error)) << errorHas;
        EXPECT_NE(error.find(errorHas), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace volley
