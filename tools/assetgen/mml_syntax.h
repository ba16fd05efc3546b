// The parsed form of a music source (see mml_compiler.h for the notation): commands in order, with
// loops holding their bodies, before any timing is worked out.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "asset_error.h"

namespace assetgen {

inline constexpr int kTicksPerQuarter = 480;
inline constexpr int kTicksPerWhole = 4 * kTicksPerQuarter;

// A written length: "8." is {8 -> 240 ticks, 1 dot}; Ticks 0 stands for the current default.
struct NoteLength {
    int Ticks = 0;
    int Dots = 0;
};

enum class Command {
    Note,   // Pitches: one semitone above the octave's C (or a key number if Raw)
    Chord,  // Pitches: several, each with its octave offset folded in
    Rest,
    Octave,  // Value
    OctaveUp,
    OctaveDown,
    Length,      // Lengths[0]
    Velocity,    // Value
    VelocityBy,  // Value, added to the velocity of the moment
    Swell,       // Value, the velocity reached at the end of Lengths
    Gate,        // Value, eighths of the length that sound
    Transpose,   // Value, semitones
    Program,     // Value, 1..128 as General MIDI lists them
    Volume,      // Value
    Pan,         // Value
    Reverb,      // Value
    Expression,  // Value; with Lengths, a glide to it over that time
    Modulation,  // Value; with Lengths, a glide
    PitchBend,   // Value -8192 .. 8191; with Lengths, a glide
    Swing,       // Value, ticks by which off-beat eighths start late
    Tempo,       // Value, beats per minute
    Loop,        // Body, Tail (after ':', skipped on the last pass), Value = passes
    Insert,      // Name of a phrase or drum grid
};

struct MusicItem {
    Command Kind = Command::Rest;
    SourcePlace Place;
    int Value = 0;
    bool Raw = false;
    int Accent = 0;  // notes: one step up for each '!', down for each '?'
    std::vector<int> Pitches;
    std::vector<NoteLength> Lengths;  // the note's own, then each tied '^' length; glides' time
    std::vector<MusicItem> Body;
    std::vector<MusicItem> Tail;
    std::string Name;
};

struct DrumRow {
    SourcePlace Place;
    int Key = 0;
    std::string Cells;
};

struct DrumGrid {
    SourcePlace Place;
    int StepTicks = 0;
    std::vector<DrumRow> Rows;
};

struct TrackSource {
    SourcePlace Place;
    std::string Name;
    int Channel = 1;  // 1..16 as musicians count them
    std::vector<MusicItem> Items;
};

struct MusicSource {
    double Tempo = 120;
    std::map<std::string, std::vector<MusicItem>> Phrases;
    std::map<std::string, DrumGrid> Grids;
    std::vector<TrackSource> Tracks;
};

}  // namespace assetgen
