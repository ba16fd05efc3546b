// Standard MIDI Files, format 1: a list of timed channel and meta events per track, encoded with
// delta times. Events at the same tick keep their order except that note-offs go first, so a note
// struck again at once is never cut short by its own earlier release.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

struct MidiEvent {
    uint32_t Tick = 0;
    std::vector<uint8_t> Bytes;  // a channel message, or FF type length data for a meta event
};

struct MidiTrack {
    std::vector<MidiEvent> Events;
};

// channel is 0..15 (the tenth, 9, plays the drums in General MIDI).
MidiEvent NoteOn(uint32_t tick, int channel, int key, int velocity);
MidiEvent NoteOff(uint32_t tick, int channel, int key);
MidiEvent ControlChange(uint32_t tick, int channel, int controller, int value);
MidiEvent ProgramChange(uint32_t tick, int channel, int program);
// value -8192 .. 8191, 0 the unbent pitch.
MidiEvent PitchBend(uint32_t tick, int channel, int value);
MidiEvent TempoChange(uint32_t tick, double beatsPerMinute);
MidiEvent TrackName(uint32_t tick, const std::string& name);
MidiEvent TimeSignature(uint32_t tick, int beats, int beatUnit);

// Every track ends at endTick; an event after it is a programming error and throws.
std::vector<uint8_t> EncodeSmf(const std::vector<MidiTrack>& tracks, int ticksPerQuarter,
                               uint32_t endTick);

}  // namespace assetgen
