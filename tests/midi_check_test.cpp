#include "platform/midi_check.h"
#include "platform/midi_sequence.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/read_file.h"
#include "test_game.h"

namespace volley {
namespace {

using Bytes = std::vector<uint8_t>;

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

// The file and the message its refusal holds, "" for a file taken.
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
        EXPECT_EQ(CheckMidiFile(file, error), std::string(errorHas).empty())
            << &file - &cases[0].first;
        EXPECT_NE(error.find(errorHas), std::string::npos) << error;
    }
}

// Every piece the game ships is taken, and loops after a minute or two.
TEST(MidiCheck, TakesEveryPieceTheGameShipsAsAFullLoop) {
    int pieces = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(testing::BuiltGameDir() + "/Music")) {
        SCOPED_TRACE(entry.path().string());
        std::vector<uint8_t> file;
        std::string error;
        ASSERT_EQ(ReadWholeFile(entry.path().string(), kMaxMusicBytes, file, error),
                  ReadStatus::Read);
        EXPECT_TRUE(CheckMidiFile(file, error)) << error;
        MidiSequence sequence;
        ASSERT_TRUE(BuildMidiSequence(file, 1000, sequence, error)) << error;
        EXPECT_GE(sequence.LoopFrames, 60'000u);
        EXPECT_LE(sequence.LoopFrames, 120'000u);
        ++pieces;
    }
    EXPECT_EQ(pieces, 11);
}

// Sequences, at 1000 frames a second for round numbers.

constexpr int kRate = 1000;
const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

// 120 beats a minute for a beat of 96 ticks (half a second), then 60 for another (a second).
const Bytes kConductor = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x60, 0xFF,
                          0x51, 0x03, 0x0F, 0x42, 0x40, 0x60, 0xFF, 0x2F, 0x00};
// A C for the first beat, a D for the second.
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
        {piece(96, {0x00, 0x90, 60}), "damaged event"},
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
