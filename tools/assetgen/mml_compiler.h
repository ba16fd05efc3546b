// The game's music notation, in the tradition of the music macro languages, compiled to a
// Standard MIDI File of format 1 (one conductor track, then one track per part).
//
// Lines ('#' starts a comment):
//   tempo 150                 beats (quarter notes) per minute at the start
//   phrase <name> ... end     notes to insert anywhere with $name
//   grid <name> <steps> ... end
//                             a drum pattern, <steps> per whole note, one row per drum:
//                             "kick x...x...", '.' silent, 'g' ghost, 'x' hit, 'X' accent
//   track <name> <channel>    a part on channel 1..16 (10 = drums); its notes follow
//
// Notes (spaces and '|' bar lines are ignored):
//   c d e f g a b   with '+' sharp / '-' flat, then a length: 4 quarter, 8 eighth, 3 half-note
//                   triplet, ..., '.' dots, '^8' ties more length on; no length: the default
//   r               rest, lengths as for notes
//   n36,8           a note by key number (drums); not transposed
//   (c e g >c)4     a chord; octave marks inside it hold only inside it
//   o4 < >          octave (o4 c is middle C, key 60), one octave down / up
//   l8              default length
//   v100 q6 k-2     velocity, gate (eighths of each length that sound), transposition
//   v+8 v-12        velocity raised or lowered from what it is at that moment
//   c4! e4? (c e)2!!
//                   accents: each '!' after a note's length strikes it 12 harder, each '?' 12
//                   softer (an echo), for this note only
//   w120,1^1        swell: the velocity moves in a straight line to 120 over the written time
//                   (here two bars; crescendo or diminuendo); notes and drum hits follow it
//   E90 E40,2 M30 B-4096 B0,16
//                   expression (controller 11), modulation (1), pitch bend (-8192 .. 8191, the
//                   soundfont's range, 2 semitones in General MIDI); with ',<length>' each glides
//                   from its value of the moment over that time. Set them at a part's start when
//                   it glides them: the loop comes back with the values the end left
//   s40             swing: notes and hits on the second eighth of a beat start 40 ticks (of 480 a
//                   beat) late, at most half their sounding length; s0 plays straight
//   @34 V100 P64 R40 t150
//                   program (1..128 as General MIDI numbers them), volume, pan, reverb, tempo
//   [ ... : ... ]4  repeat 4 times, leaving out what follows ':' on the last pass; loops nest
//                   at most 16 deep
//   $name           a phrase (played with the current octave, length, ...) or a drum grid
//
// Every track must last exactly as long as the others: the piece loops from its end to its start.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "smf_writer.h"

namespace assetgen {

struct CompiledMusic {
    std::vector<MidiTrack> Tracks;  // the conductor first
    uint32_t EndTick = 0;           // where every track ends and the piece loops
};

CompiledMusic CompileMusic(std::string_view text, const std::string& file);

// The file's bytes.
std::vector<uint8_t> EncodeMusic(const CompiledMusic& music);

}  // namespace assetgen
