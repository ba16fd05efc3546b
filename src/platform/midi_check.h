// Checking a piece of music before the synthesizer sees it. The synthesizer trusts the lengths in
// a file, and a damaged one has made it spin forever, so every piece the game plays must first be
// a standard MIDI file whose chunks and events all lie within it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace volley {

// True when file is a standard MIDI file (format 0, 1 or 2, at least one track) whose header,
// chunks and track events are well formed and end within the file; otherwise false with the
// first fault in error.
bool CheckMidiFile(std::span<const uint8_t> file, std::string& error);

// One event of a track as the file holds it. A channel message has its status byte (running
// status filled in) and its one or two data bytes; a meta event has status 0xFF, its type and its
// payload; a system exclusive message has status 0xF0 or 0xF7 and its bytes.
struct MidiFileEvent {
    uint64_t Tick = 0;  // from the start of its track
    uint8_t Status = 0;
    uint8_t MetaType = 0;
    std::span<const uint8_t> Data;
};

class MidiEventVisitor {
  public:
    virtual ~MidiEventVisitor() = default;
    // The division: ticks per quarter note, or with the top bit set, SMPTE frames and ticks.
    virtual void Division(uint16_t division) = 0;
    virtual void Event(const MidiFileEvent& event) = 0;
};

// Checks file as CheckMidiFile does, telling visitor the division and then every event of every
// track, track after track; the events before a fault have been told.
bool ReadMidiFile(std::span<const uint8_t> file, MidiEventVisitor& visitor, std::string& error);

}  // namespace volley
