#include "platform/midi_check.h"

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

Bytes Header(uint8_t format, uint8_t tracks) {
    return Chunk("MThd", {0, format, 0, tracks, 0x01, 0xE0});
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

TEST(MidiCheck, TakesWellFormedFilesAndRefusesEachKindOfDamage) {
    const Bytes good = File({Header(1, 2), Chunk("MTrk", kTrack), Chunk("MTrk", kTrack)});
    Bytes cutInsideChunk = good;
    cutInsideChunk.resize(good.size() - 3);
    Bytes longHeader = Header(0, 1);
    longHeader[7] = 60;  // a header length past the end of the file

    struct Case {
        const char* name;
        Bytes file;
        const char* errorHas;  // empty: the file is taken
    };
    const Case cases[] = {
        {"two tracks", good, ""},
        {"an unknown chunk is passed over",
         File({Header(0, 1), Chunk("XTRA", {1, 2, 3}), Chunk("MTrk", kTrack)}), ""},
        {"an empty track", File({Header(0, 1), Chunk("MTrk", {})}), ""},
        {"empty", {}, "not a standard MIDI file"},
        {"a RIFF file", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 0, 0}, "not a"},
        {"header length past the end", longHeader, "header"},
        {"format 3", File({Header(3, 1), Chunk("MTrk", kTrack)}), "header"},
        {"no tracks", File({Header(1, 0)}), "header"},
        {"format 0 with two tracks",
         File({Header(0, 2), Chunk("MTrk", kTrack), Chunk("MTrk", kTrack)}), "header"},
        {"fewer tracks than announced", File({Header(1, 2), Chunk("MTrk", kTrack)}), "announces"},
        {"a chunk cut short", cutInsideChunk, "past the end"},
        {"a chunk header cut short", File({Header(0, 1), Chunk("MTrk", kTrack), Bytes{'M', 'T'}}),
         "inside a chunk header"},
        {"a delta time of five bytes",
         File({Header(0, 1), Chunk("MTrk", {0x80, 0x80, 0x80, 0x80, 0x00, 0x90, 0x3C, 0x64})}),
         "damaged event"},
        {"a note without its velocity", File({Header(0, 1), Chunk("MTrk", {0x00, 0x90, 0x3C})}),
         "damaged event"},
        {"a status byte for data", File({Header(0, 1), Chunk("MTrk", {0x00, 0x90, 0x3C, 0x90})}),
         "damaged event"},
        {"running status with nothing to run on",
         File({Header(0, 1), Chunk("MTrk", {0x00, 0x3C, 0x64})}), "damaged event"},
        {"a meta event longer than its track",
         File({Header(0, 1), Chunk("MTrk", {0x00, 0xFF, 0x01, 0x10, 'a'})}), "damaged event"},
        {"a system exclusive longer than its track",
         File({Header(0, 1), Chunk("MTrk", {0x00, 0xF0, 0x05, 0x7E})}), "damaged event"},
        {"a real-time message", File({Header(0, 1), Chunk("MTrk", {0x00, 0xF8})}), "damaged event"},
        {"a delta time with no event", File({Header(0, 1), Chunk("MTrk", {0x00})}),
         "damaged event"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        const bool taken = CheckMidiFile(c.file, error);
        EXPECT_EQ(taken, std::string(c.errorHas).empty());
        EXPECT_NE(error.find(c.errorHas), std::string::npos) << error;
    }
}

TEST(MidiCheck, TakesEveryPieceTheGameShips) {
    int pieces = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(testing::BuiltGameDir() + "/Music")) {
        SCOPED_TRACE(entry.path().string());
        std::vector<uint8_t> file;
        std::string error;
        ASSERT_EQ(ReadWholeFile(entry.path().string(), kMaxMusicBytes, file, error),
                  ReadStatus::Read);
        EXPECT_TRUE(CheckMidiFile(file, error)) << error;
        ++pieces;
    }
    EXPECT_EQ(pieces, 11);
}

}  // namespace
}  // namespace volley
