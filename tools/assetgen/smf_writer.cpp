#include "smf_writer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen {
namespace {

uint8_t Byte(int value) {
    return static_cast<uint8_t>(value & 0xFF);
}

void PutBe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

// MIDI's variable-length quantity: seven bits a byte, most significant first, high bit = more.
void PutVarLen(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) {
        out.push_back(static_cast<uint8_t>(groups[--count] | 0x80));
    }
    out.push_back(groups[0]);
}

bool IsNoteOff(const MidiEvent& event) {
    const uint8_t status = event.Bytes.at(0) & 0xF0;
    return status == 0x80 || (status == 0x90 && event.Bytes.at(2) == 0);
}

MidiEvent Meta(uint32_t tick, int type, const std::vector<uint8_t>& data) {
    MidiEvent event{tick, {0xFF, Byte(type)}};
    PutVarLen(event.Bytes, static_cast<uint32_t>(data.size()));
    event.Bytes.insert(event.Bytes.end(), data.begin(), data.end());
    return event;
}

std::vector<uint8_t> EncodeTrack(const MidiTrack& track, uint32_t endTick) {
    std::vector<MidiEvent> events = track.Events;
    std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
        if (a.Tick != b.Tick) {
            return a.Tick < b.Tick;
        }
        return IsNoteOff(a) && !IsNoteOff(b);
    });
    events.push_back(Meta(endTick, 0x2F, {}));
    std::vector<uint8_t> body;
    uint32_t now = 0;
    for (const MidiEvent& event : events) {
        if (event.Tick < now) {
            throw std::logic_error("a MIDI event lies after the end of its track");
        }
        PutVarLen(body, event.Tick - now);
        body.insert(body.end(), event.Bytes.begin(), event.Bytes.end());
        now = event.Tick;
    }
    return body;
}

}  // namespace

MidiEvent NoteOn(uint32_t tick, int channel, int key, int velocity) {
    return {tick, {Byte(0x90 | channel), Byte(key), Byte(velocity)}};
}

MidiEvent NoteOff(uint32_t tick, int channel, int key) {
    return {tick, {Byte(0x80 | channel), Byte(key), 64}};
}

MidiEvent ControlChange(uint32_t tick, int channel, int controller, int value) {
    return {tick, {Byte(0xB0 | channel), Byte(controller), Byte(value)}};
}

MidiEvent ProgramChange(uint32_t tick, int channel, int program) {
    return {tick, {Byte(0xC0 | channel), Byte(program)}};
}

MidiEvent PitchBend(uint32_t tick, int channel, int value) {
    const int raw = value + 8192;
    return {tick, {Byte(0xE0 | channel), Byte(raw & 0x7F), Byte(raw >> 7)}};
}

MidiEvent TempoChange(uint32_t tick, double beatsPerMinute) {
    const uint32_t micros = static_cast<uint32_t>(std::lround(60'000'000.0 / beatsPerMinute));
    return Meta(tick, 0x51, {Byte(micros >> 16), Byte(micros >> 8), Byte(micros)});
}

MidiEvent TrackName(uint32_t tick, const std::string& name) {
    return Meta(tick, 0x03, std::vector<uint8_t>(name.begin(), name.end()));
}

MidiEvent TimeSignature(uint32_t tick, int beats, int beatUnit) {
    int power = 0;
    while ((1 << power) < beatUnit) {
        ++power;
    }
    // 24 clocks per metronome click, 8 thirty-seconds per quarter: the usual values.
    return Meta(tick, 0x58, {Byte(beats), Byte(power), 24, 8});
}

std::vector<uint8_t> EncodeSmf(const std::vector<MidiTrack>& tracks, int ticksPerQuarter,
                               uint32_t endTick) {
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
    PutBe(out, 6, 4);
    PutBe(out, 1, 2);  // format 1: simultaneous tracks
    PutBe(out, static_cast<uint32_t>(tracks.size()), 2);
    PutBe(out, static_cast<uint32_t>(ticksPerQuarter), 2);
    for (const MidiTrack& track : tracks) {
        const std::vector<uint8_t> body = EncodeTrack(track, endTick);
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        PutBe(out, static_cast<uint32_t>(body.size()), 4);
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

}  // namespace assetgen
