// The MIDI file writer: header, delta times, event order at equal ticks, the end of each track.
#include <gtest/gtest.h>

#include <stdexcept>

#include "smf_writer.h"

namespace assetgen {
namespace {

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
    return {bytes.begin() + static_cast<long>(from),
            bytes.begin() + static_cast<long>(from + count)};
}

TEST(AssetgenAudioSmf, HeaderIsFormatOneWithTrackCountAndDivision) {
    const std::vector<uint8_t> smf = EncodeSmf({MidiTrack{}, MidiTrack{}}, 480, 0);
    EXPECT_EQ(Slice(smf, 0, 14),
              (std::vector<uint8_t>{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0}));
    // An empty track is just its end: delta 0, FF 2F 00.
    EXPECT_EQ(Slice(smf, 14, 12),
              (std::vector<uint8_t>{'M', 'T', 'r', 'k', 0, 0, 0, 4, 0, 0xFF, 0x2F, 0}));
    EXPECT_EQ(smf.size(), 14u + 2 * 12u);
}

TEST(AssetgenAudioSmf, DeltaTimesUseVariableLengthAcrossByteBoundaries) {
    MidiTrack track;
    track.Events.push_back(NoteOn(127, 0, 60, 100));                        // fits one byte
    track.Events.push_back(NoteOff(255, 0, 60));                            // delta 128: two bytes
    const std::vector<uint8_t> smf = EncodeSmf({track}, 480, 255 + 16384);  // delta 16384: three
    EXPECT_EQ(Slice(smf, 22, 15), (std::vector<uint8_t>{0x7F, 0x90, 60, 100, 0x81, 0x00, 0x80, 60,
                                                        64, 0x81, 0x80, 0x00, 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(smf.size(), 22u + 15u);
}

TEST(AssetgenAudioSmf, ReleasesComeBeforeStrikesAtTheSameTick) {
    MidiTrack track;
    track.Events.push_back(ProgramChange(0, 2, 33));
    track.Events.push_back(NoteOn(0, 2, 40, 90));
    track.Events.push_back(NoteOn(96, 2, 40, 90));  // written before the release it follows
    track.Events.push_back(NoteOff(96, 2, 40));
    const std::vector<uint8_t> smf = EncodeSmf({track}, 96, 96);
    EXPECT_EQ(Slice(smf, 22, 17), (std::vector<uint8_t>{0, 0xC2, 33, 0, 0x92, 40, 90, 0x60, 0x82,
                                                        40, 64, 0, 0x92, 40, 90, 0, 0xFF}));
}

TEST(AssetgenAudioSmf, MetaEventsCarryTempoNameAndMeter) {
    EXPECT_EQ(TempoChange(0, 120).Bytes, (std::vector<uint8_t>{0xFF, 0x51, 3, 0x07, 0xA1, 0x20}));
    EXPECT_EQ(TrackName(0, "bass").Bytes,
              (std::vector<uint8_t>{0xFF, 0x03, 4, 'b', 'a', 's', 's'}));
    EXPECT_EQ(TimeSignature(0, 3, 8).Bytes, (std::vector<uint8_t>{0xFF, 0x58, 4, 3, 3, 24, 8}));
}

TEST(AssetgenAudioSmf, AnEventPastTheEndIsRefused) {
    MidiTrack track;
    track.Events.push_back(NoteOff(500, 0, 60));
    EXPECT_THROW(EncodeSmf({track}, 480, 499), std::logic_error);
    EXPECT_NO_THROW(EncodeSmf({track}, 480, 500));
}

}  // namespace
}  // namespace assetgen
