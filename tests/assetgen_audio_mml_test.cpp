// The music notation: lengths, ties, dots, loops, octaves, transposition, chords, phrases, drum
// grids, and the line-numbered complaints about bad input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assetgen_test_support.h"
#include "mml_compiler.h"

namespace assetgen {
namespace {

using assetgen_test::ErrorOf;

struct Note {
    uint32_t Start = 0;
    uint32_t Length = 0;
    int Key = 0;
    int Velocity = 0;
    int Channel = 0;
    bool operator==(const Note&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Note& note) {
    return out << "{" << note.Start << "+" << note.Length << " key " << note.Key << " vel "
               << note.Velocity << " ch " << note.Channel << "}";
}

// The notes of one track, pairing each strike with the next release of its key.
std::vector<Note> NotesOf(const MidiTrack& track) {
    std::vector<Note> notes;
    for (size_t i = 0; i < track.Events.size(); ++i) {
        const std::vector<uint8_t>& on = track.Events[i].Bytes;
        if ((on[0] & 0xF0) != 0x90) {
            continue;
        }
        for (size_t j = i + 1; j < track.Events.size(); ++j) {
            const std::vector<uint8_t>& off = track.Events[j].Bytes;
            if ((off[0] & 0xF0) == 0x80 && off[1] == on[1]) {
                notes.push_back({track.Events[i].Tick, track.Events[j].Tick - track.Events[i].Tick,
                                 on[1], on[2], on[0] & 0x0F});
                break;
            }
        }
    }
    return notes;
}

std::vector<Note> Compile(const std::string& notes) {
    return NotesOf(CompileMusic("track solo 1\n" + notes + "\n", "song.mml").Tracks.at(1));
}

std::vector<uint32_t> Starts(const std::vector<Note>& notes) {
    std::vector<uint32_t> starts;
    for (const Note& note : notes) {
        starts.push_back(note.Start);
    }
    return starts;
}

std::vector<int> Velocities(const std::vector<Note>& notes) {
    std::vector<int> velocities;
    for (const Note& note : notes) {
        velocities.push_back(note.Velocity);
    }
    return velocities;
}

std::vector<int> Keys(const std::vector<Note>& notes) {
    std::vector<int> keys;
    for (const Note& note : notes) {
        keys.push_back(note.Key);
    }
    return keys;
}

TEST(AssetgenAudioMml, LengthsDotsAndTies) {
    const std::vector<Note> notes = Compile("c4 c8 c c. l16 c c8.. c2^8 c^ c3 c1");
    ASSERT_EQ(notes.size(), 10u);
    const std::vector<uint32_t> lengths = {480, 240, 480, 720, 120, 420, 1200, 240, 640, 1920};
    for (size_t i = 0; i < notes.size(); ++i) {
        EXPECT_EQ(notes[i].Length, lengths[i]) << "note " << i;
    }
    EXPECT_EQ(notes[1].Start, 480u);
    EXPECT_EQ(notes.back().Start, 480u + 240 + 480 + 720 + 120 + 420 + 1200 + 240 + 640);
}

TEST(AssetgenAudioMml, RestsAndGateLeaveSilence) {
    const std::vector<Note> notes = Compile("q4 c4 r8. q8 d16");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0], (Note{0, 240, 60, 100, 0}));
    EXPECT_EQ(notes[1], (Note{480 + 360, 120, 62, 100, 0}));
}

TEST(AssetgenAudioMml, OctavesAccidentalsAndTransposition) {
    EXPECT_EQ(Keys(Compile("o4 c c+ d- b > c < < a o0 c o9 g")),
              (std::vector<int>{60, 61, 61, 71, 72, 57, 12, 127}));
    EXPECT_EQ(Keys(Compile("k-2 c e k+12 c k0 c n36,8 k5 n36")),
              (std::vector<int>{58, 62, 72, 60, 36, 36}));
}

TEST(AssetgenAudioMml, ChordsSoundTogetherAndKeepTheOctave) {
    const std::vector<Note> notes = Compile("o3 (c e g >c)2 c");
    EXPECT_EQ(Keys(notes), (std::vector<int>{48, 52, 55, 60, 48}));
    EXPECT_EQ(Starts(notes), (std::vector<uint32_t>{0, 0, 0, 0, 960}));
}

TEST(AssetgenAudioMml, LoopsRepeatAndSkipTheTailOnTheLastPass) {
    EXPECT_EQ(Keys(Compile("l8 [c d : e]3 f")),
              (std::vector<int>{60, 62, 64, 60, 62, 64, 60, 62, 65}));
    EXPECT_EQ(Keys(Compile("l8 [c [d]3 ]2")), (std::vector<int>{60, 62, 62, 62, 60, 62, 62, 62}));
    EXPECT_EQ(Keys(Compile("[c\n d]\ne")), (std::vector<int>{60, 62, 60, 62, 64}));
}

TEST(AssetgenAudioMml, PhrasesPlayWithTheCurrentSettings) {
    const CompiledMusic music =
        CompileMusic("phrase up\nc d\nend\ntrack a 2\no5 l8 $up > $up\n", "song.mml");
    const std::vector<Note> notes = NotesOf(music.Tracks.at(1));
    EXPECT_EQ(Keys(notes), (std::vector<int>{72, 74, 84, 86}));
    EXPECT_EQ(notes[3].Start, 720u);
    EXPECT_EQ(notes[3].Channel, 1);
}

TEST(AssetgenAudioMml, DrumGridsPlaceHitsByStepWithAccentsAndGhosts) {
    const CompiledMusic music = CompileMusic(
        "grid beat 8\nkick x...\nsnare ..Xg\nend\ntrack drums 10\nv80 $beat $beat\n", "d.mml");
    const std::vector<Note> notes = NotesOf(music.Tracks.at(1));
    ASSERT_EQ(notes.size(), 6u);
    EXPECT_EQ(notes[0], (Note{0, 240, 36, 80, 9}));
    EXPECT_EQ(notes[1], (Note{480, 240, 38, 104, 9}));
    EXPECT_EQ(notes[2], (Note{720, 240, 38, 44, 9}));
    EXPECT_EQ(notes[3].Start, 960u);
    EXPECT_EQ(music.EndTick, 1920u);
}

TEST(AssetgenAudioMml, AccentsSwellsAndRelativeVelocityShapeEachStrike) {
    const struct {
        const char* Source;
        std::vector<int> Velocities;
    } kCases[] = {
        {"track a 1\nv100 c c! c? c!! c?? (c e)4!", {100, 112, 88, 124, 76, 112, 112}},
        {"track a 1\nv120 c!! v10 c? c!?", {127, 1, 10}},
        {"track a 1\nv100 v+8 c v-20 c v-120 c", {108, 88, 1}},
        // Quarters across a one-bar swell from 60 to 100, then held at 100.
        {"track a 1\nv60 w100,1 l4 c c c c c", {60, 70, 80, 90, 100}},
        {"track a 1\nv100 w40,1^1 l1 c c c", {100, 70, 40}},
        // A new velocity ends the swell; a change is taken from where the swell stands.
        {"track a 1\nv60 w100,1 l4 c v50 c", {60, 50}},
        {"track a 1\nv60 w100,1 l4 c c v+5 c c", {60, 70, 85, 85}},
        {"grid g 4\nkick xXgx\nend\ntrack d 10\nv40 w100,1 $g", {40, 79, 38, 85}},
    };
    for (const auto& test : kCases) {
        EXPECT_EQ(Velocities(NotesOf(CompileMusic(test.Source, "v.mml").Tracks.at(1))),
                  test.Velocities)
            << test.Source;
    }
}

TEST(AssetgenAudioMml, SwingDelaysOffBeatEighthsWithoutMovingTheirEnds) {
    const std::vector<Note> notes = Compile("s40 l8 c d e f q2 g a r4 q8 c4 d8 l16 e e e e");
    EXPECT_EQ(Starts(notes), (std::vector<uint32_t>{0, 280, 480, 760, 960, 1230, 1920, 2400, 2680,
                                                    2760, 2880, 3000}));
    EXPECT_EQ(notes[1].Length, 200u);
    EXPECT_EQ(notes[5].Length, 30u);  // gated to 60 ticks: late by half of them only
}

TEST(AssetgenAudioMml, ExpressionModulationAndBendSetOrGlide) {
    const CompiledMusic music =
        CompileMusic("track a 1\nE127 E40,8 M30 B-8192 B8191,16 c8\n", "g.mml");
    std::vector<std::pair<uint32_t, std::vector<uint8_t>>> events;
    for (const MidiEvent& event : music.Tracks.at(1).Events) {
        if ((event.Bytes[0] & 0xF0) == 0xB0 || (event.Bytes[0] & 0xF0) == 0xE0) {
            events.emplace_back(event.Tick, event.Bytes);
        }
    }
    const std::vector<std::pair<uint32_t, std::vector<uint8_t>>> expected = {
        {0, {0xB0, 11, 127}},  // sent although a channel starts there: the loop may return
        {60, {0xB0, 11, 105}}, {120, {0xB0, 11, 83}},     {180, {0xB0, 11, 62}},
        {240, {0xB0, 11, 40}}, {0, {0xB0, 1, 30}},        {0, {0xE0, 0, 0}},
        {60, {0xE0, 0, 0x40}}, {120, {0xE0, 0x7F, 0x7F}},
    };
    EXPECT_EQ(events, expected);
}

TEST(AssetgenAudioMml, SettingsBecomeControllerEvents) {
    const CompiledMusic music =
        CompileMusic("tempo 90\ntrack a 3\n@34 V90 P20 R40 t150 c1\n", "s.mml");
    const std::vector<MidiEvent>& events = music.Tracks.at(1).Events;
    // After the track's name: program 33 (GM numbers count from 1), volume, pan, reverb.
    ASSERT_GE(events.size(), 5u);
    EXPECT_EQ(events[1].Bytes, (std::vector<uint8_t>{0xC2, 33}));
    EXPECT_EQ(events[2].Bytes, (std::vector<uint8_t>{0xB2, 7, 90}));
    EXPECT_EQ(events[3].Bytes, (std::vector<uint8_t>{0xB2, 10, 20}));
    EXPECT_EQ(events[4].Bytes, (std::vector<uint8_t>{0xB2, 91, 40}));
    const std::vector<MidiEvent>& conductor = music.Tracks.at(0).Events;
    ASSERT_EQ(conductor.size(), 3u);
    EXPECT_EQ(conductor[1].Bytes, TempoChange(0, 90).Bytes);
    EXPECT_EQ(conductor[2].Bytes, TempoChange(0, 150).Bytes);
}

TEST(AssetgenAudioMml, EveryTrackEndsAtTheLoopPoint) {
    const CompiledMusic music = CompileMusic("track a 1\nc1\ntrack b 2\nr2 c4 r4\n", "s.mml");
    EXPECT_EQ(music.EndTick, 1920u);
    const std::vector<uint8_t> smf = EncodeMusic(music);
    EXPECT_EQ(smf[9], 1);   // format 1
    EXPECT_EQ(smf[11], 3);  // conductor and two parts
}

std::string ErrorFor(const std::string& source) {
    return ErrorOf([&] { CompileMusic(source, "bad.mml"); });
}

TEST(AssetgenAudioMml, LoopsNestSixteenDeepAndNoDeeper) {
    auto nested = [](int depth) {
        std::string text = "track a 1\n" + std::string(static_cast<size_t>(depth), '[') + "c";
        for (int i = 0; i < depth; ++i) {
            text += "]1";
        }
        return text + "\n";
    };
    EXPECT_EQ(CompileMusic(nested(16), "deep.mml").EndTick, 480u);
    EXPECT_EQ(ErrorFor(nested(17)), "bad.mml:2: loops nest more than 16 deep");
    // Thousands deep, reading the loops used to run out of stack.
    EXPECT_EQ(ErrorFor(nested(5000)), "bad.mml:2: loops nest more than 16 deep");
}

TEST(AssetgenAudioMml, APartMayLastTenThousandBeatsAndNoMore) {
    // 50 x 50 whole notes are exactly 10000 beats.
    EXPECT_EQ(CompileMusic("track a 1\n[[r1]50]50\n", "long.mml").EndTick, 10000u * 480);
    EXPECT_EQ(ErrorFor("track a 1\n[[r1]50]50\nc64\n"),
              "bad.mml:3: the part lasts more than 10000 beats");
    EXPECT_EQ(ErrorFor("track a 1\n[[c1]50]50 $g\ngrid g 16\nkick x\nend\n"),
              "bad.mml:2: the part lasts more than 10000 beats");
    // Ties add up without wrapping round.
    std::string ties = "track a 1\nc1";
    for (int i = 0; i < 10000; ++i) {
        ties += "^1";
    }
    EXPECT_EQ(ErrorFor(ties + "\n"), "bad.mml:2: the part lasts more than 10000 beats");
}

TEST(AssetgenAudioMml, LoopsThatUnrollWithoutEndAreRefusedAtOnce) {
    // Six nested loops of 99 hold 99^6 (about 10^12) settings or notes: refused within the first
    // million settings, or as soon as the notes pass the longest part, instead of unrolling for
    // hours.
    EXPECT_EQ(ErrorFor("track a 1\n[[[[[[v100]99]99]99]99]99]99\n"),
              "bad.mml:2: the part unrolls to more than 1000000 notes and settings (are loops "
              "nested too deep?)");
    EXPECT_EQ(ErrorFor("track a 1\n[[[[[[c64]99]99]99]99]99]99\n"),
              "bad.mml:2: the part lasts more than 10000 beats");
}

TEST(AssetgenAudioMml, BadNotesAreReportedWithTheirLine) {
    EXPECT_EQ(ErrorFor("track a 1\nc d\ne z\n"), "bad.mml:3: unexpected 'z'");
    EXPECT_EQ(ErrorFor("track a 1\nc7\n"),
              "bad.mml:2: length 7 does not divide a whole note evenly");
    EXPECT_EQ(ErrorFor("track a 1\nc\n[d e\nf\n"), "bad.mml:3: '[' is never closed by ']'");
    EXPECT_EQ(ErrorFor("track a 1\nc ]\n"), "bad.mml:2: ']' without a '[' before it");
    EXPECT_EQ(ErrorFor("track a 1\nc : d\n"),
              "bad.mml:2: ':' belongs once inside a loop '[ ... : ... ]'");
    EXPECT_EQ(ErrorFor("track a 1\n\nv0 c\n"),
              "bad.mml:3: velocity must lie within 1 .. 127, not 0");
    EXPECT_EQ(ErrorFor("track a 1\no9 c\nb\n"),
              "bad.mml:3: the note falls outside the keys 0 .. 127 (key 131)");
    EXPECT_EQ(ErrorFor("track a 1\nl64 c...\n"), "bad.mml:2: too many dots for so short a note");
    EXPECT_EQ(ErrorFor("track a 1\n()4\n"), "bad.mml:2: empty chord");
    EXPECT_EQ(ErrorFor("track a 1\nc\nw100 c\n"),
              "bad.mml:3: 'w' needs the time of the swell: w<velocity>,<length>");
    EXPECT_EQ(ErrorFor("track a 1\nE40,7 c\n"),
              "bad.mml:2: length 7 does not divide a whole note evenly");
    EXPECT_EQ(ErrorFor("track a 1\nc2\nE40,1 c2\n"),
              "bad.mml:3: the glide runs past the end of the part");
    EXPECT_EQ(ErrorFor("track a 1\nv+200 c\n"),
              "bad.mml:2: velocity change must lie within -126 .. 126, not 200");
    EXPECT_EQ(ErrorFor("track a 1\nB8192 c\n"),
              "bad.mml:2: pitch bend must lie within -8192 .. 8191, not 8192");
    EXPECT_EQ(ErrorFor("track a 1\ns121 c\n"),
              "bad.mml:2: swing (ticks) must lie within 0 .. 120, not 121");
}

TEST(AssetgenAudioMml, BadStructureIsReportedWithItsLine) {
    EXPECT_EQ(ErrorFor("c d e\n"), "bad.mml:1: notes outside any track or phrase");
    EXPECT_EQ(ErrorFor("track a 1\n$nothing\n"), "bad.mml:2: no phrase or grid is named 'nothing'");
    EXPECT_EQ(ErrorFor("phrase loop\n$loop\nend\ntrack a 1\n$loop\n"),
              "bad.mml:2: $loop nests too deep (does a phrase insert itself?)");
    EXPECT_EQ(ErrorFor("phrase p\nc\n"), "bad.mml:1: 'phrase' has no 'end'");
    EXPECT_EQ(ErrorFor("grid g 16\nkick x.x.\nsnare ..x\nend\n"),
              "bad.mml:3: every row of a grid needs as many steps as the first");
    EXPECT_EQ(ErrorFor("grid g 16\ncowbel x...\nend\n"), "bad.mml:2: unknown drum 'cowbel'");
    EXPECT_EQ(ErrorFor("track a 1\nc\ntrack b 1\nc\n"),
              "bad.mml:3: track b shares its name or channel with a (line 1)");
    EXPECT_EQ(ErrorFor("track a 17\n"), "bad.mml:1: channel must lie within 1 .. 16");
    EXPECT_EQ(ErrorFor("tempo 120\ntempo 130\ntrack a 1\nc\n"), "bad.mml:2: tempo is given twice");
    EXPECT_EQ(ErrorFor("tempo 120\n"), "bad.mml: no tracks");
    EXPECT_EQ(ErrorFor("track a 1\nc1\ntrack b 2\nc2\n"),
              "bad.mml:3: track b lasts -2.000000 beats more than track a; every part must loop "
              "together");
}

}  // namespace
}  // namespace assetgen
