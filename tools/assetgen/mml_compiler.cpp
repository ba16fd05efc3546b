#include "mml_compiler.h"

#include <algorithm>
#include <cmath>

#include "mml_source.h"

namespace assetgen {
namespace {

constexpr int kMaxInsertDepth = 16;

// Limits far beyond any piece of the game (the longest lasts about 230 beats and plays a few
// thousand notes a part), so that a slip in a loop count is reported at once instead of
// unrolling for hours into all the memory there is. A 40-byte source of six nested loops of 99
// would otherwise play 99^6 notes.
constexpr uint32_t kMaxBeats = 10000;
constexpr uint32_t kMaxTicks = kMaxBeats * kTicksPerQuarter;
constexpr long kMaxSteps = 1'000'000;

// How much each '!' raises a note's velocity and each '?' lowers it: enough to hear a downbeat or
// an echo, small enough that two marks still leave room below full strength.
constexpr int kAccentStep = 12;
// Glides of expression, modulation and bend send a new value at most every 32nd note: smooth to
// the ear and a few hundred events for the longest swell.
constexpr int64_t kGlideStep = kTicksPerWhole / 32;

int Interpolate(int from, int to, int64_t done, int64_t span) {
    return from +
           static_cast<int>(std::lround(static_cast<double>(to - from) * static_cast<double>(done) /
                                        static_cast<double>(span)));
}

// Where a part stands while it is played: the time and the settings the notes so far have made.
struct Voice {
    uint32_t Tick = 0;
    int Octave = 4;
    int Length = kTicksPerQuarter;
    int Velocity = 100;  // the velocity at SwellEnd and after it
    uint32_t SwellStart = 0;
    uint32_t SwellEnd = 0;
    int SwellFrom = 100;
    int Gate = 8;
    int Transpose = 0;
    int Swing = 0;
    // The General MIDI values a channel starts with.
    int Expression = 127;
    int Modulation = 0;
    int Bend = 0;
};

class TrackPlayer {
  public:
    TrackPlayer(const MusicSource& source, const TrackSource& track, MidiTrack& out,
                MidiTrack& conductor)
        : source_(source), channel_(track.Channel - 1), out_(out), conductor_(conductor) {
        out_.Events.push_back(TrackName(0, track.Name));
    }

    void Play(const std::vector<MusicItem>& items, int depth) {
        for (const MusicItem& item : items) {
            PlayItem(item, depth);
        }
    }

    uint32_t Tick() const { return voice_.Tick; }

    // A glide still sending values after the part's end would sound after the loop point.
    void CheckGlidesEndInTime() const {
        if (glideEnd_ > voice_.Tick) {
            FailAt(glidePlace_, "the glide runs past the end of the part");
        }
    }

  private:
    void PlayItem(const MusicItem& item, int depth) {
        CountSteps(item.Place, 1);
        switch (item.Kind) {
            case Command::Note:
            case Command::Chord: Sound(item); break;
            case Command::Rest: Advance(item.Place, Duration(item)); break;
            case Command::Octave: voice_.Octave = item.Value; break;
            case Command::OctaveUp: ++voice_.Octave; break;
            case Command::OctaveDown: --voice_.Octave; break;
            case Command::Length: voice_.Length = static_cast<int>(Duration(item)); break;
            case Command::Velocity: SetVelocity(item.Value); break;
            case Command::VelocityBy:
                SetVelocity(std::clamp(VelocityAt(voice_.Tick) + item.Value, 1, 127));
                break;
            case Command::Swell: Swell(item); break;
            case Command::Gate: voice_.Gate = item.Value; break;
            case Command::Transpose: voice_.Transpose = item.Value; break;
            case Command::Program:
                Emit(ProgramChange(voice_.Tick, channel_, item.Value - 1));
                break;
            case Command::Volume: Emit(ControlChange(voice_.Tick, channel_, 7, item.Value)); break;
            case Command::Pan: Emit(ControlChange(voice_.Tick, channel_, 10, item.Value)); break;
            case Command::Reverb: Emit(ControlChange(voice_.Tick, channel_, 91, item.Value)); break;
            case Command::Expression:
            case Command::Modulation:
            case Command::PitchBend: Glide(item); break;
            case Command::Swing: voice_.Swing = item.Value; break;
            case Command::Tempo:
                conductor_.Events.push_back(TempoChange(voice_.Tick, item.Value));
                break;
            case Command::Loop: Repeat(item, depth); break;
            case Command::Insert: Insert(item, depth); break;
        }
    }

    void Repeat(const MusicItem& loop, int depth) {
        for (int pass = 1; pass <= loop.Value; ++pass) {
            Play(loop.Body, depth);
            if (pass < loop.Value) {
                Play(loop.Tail, depth);
            }
        }
    }

    void Insert(const MusicItem& item, int depth) {
        if (depth >= kMaxInsertDepth) {
            FailAt(item.Place, "$" + item.Name + " nests too deep (does a phrase insert itself?)");
        }
        if (const auto phrase = source_.Phrases.find(item.Name); phrase != source_.Phrases.end()) {
            Play(phrase->second, depth + 1);
        } else if (const auto grid = source_.Grids.find(item.Name); grid != source_.Grids.end()) {
            PlayGrid(grid->second, item.Place);
        } else {
            FailAt(item.Place, "no phrase or grid is named '" + item.Name + "'");
        }
    }

    void PlayGrid(const DrumGrid& grid, const SourcePlace& place) {
        const size_t steps = grid.Rows.front().Cells.size();
        CountSteps(place, static_cast<long>(steps * grid.Rows.size()));
        for (const DrumRow& row : grid.Rows) {
            for (size_t step = 0; step < row.Cells.size(); ++step) {
                const char cell = row.Cells[step];
                if (cell == '.') {
                    continue;
                }
                const uint32_t start = voice_.Tick + static_cast<uint32_t>(step * grid.StepTicks);
                const int base = VelocityAt(start);
                const int velocity = cell == 'X'   ? std::min(127, base + 24)
                                     : cell == 'g' ? std::max(1, base * 11 / 20)
                                                   : base;
                const uint32_t end = start + static_cast<uint32_t>(grid.StepTicks);
                Emit(
                    NoteOn(start + SwingDelay(start, grid.StepTicks), channel_, row.Key, velocity));
                Emit(NoteOff(end, channel_, row.Key));
            }
        }
        Advance(place, static_cast<int64_t>(steps) * grid.StepTicks);
    }

    void Sound(const MusicItem& item) {
        const int64_t duration = Duration(item);
        const int64_t sounding = std::max<int64_t>(1, duration * voice_.Gate / 8);
        const int velocity =
            std::clamp(VelocityAt(voice_.Tick) + kAccentStep * item.Accent, 1, 127);
        const uint32_t start = voice_.Tick + SwingDelay(voice_.Tick, sounding);
        for (int pitch : item.Pitches) {
            const int key = item.Raw ? pitch : (voice_.Octave + 1) * 12 + pitch + voice_.Transpose;
            if (key < 0 || key > 127) {
                FailAt(item.Place, "the note falls outside the keys 0 .. 127 (key " +
                                       std::to_string(key) + ")");
            }
            Emit(NoteOn(start, channel_, key, velocity));
            Emit(NoteOff(voice_.Tick + static_cast<uint32_t>(sounding), channel_, key));
        }
        Advance(item.Place, duration);
    }

    void SetVelocity(int velocity) {
        voice_.Velocity = velocity;
        voice_.SwellEnd = 0;
    }

    // A crescendo or diminuendo: the velocity moves in a straight line from the one of the moment
    // to the target, reached when the written time has passed.
    void Swell(const MusicItem& item) {
        voice_.SwellFrom = VelocityAt(voice_.Tick);
        voice_.SwellStart = voice_.Tick;
        voice_.SwellEnd = voice_.Tick + GlideTicks(item);
        voice_.Velocity = item.Value;
    }

    int VelocityAt(uint32_t tick) const {
        if (tick >= voice_.SwellEnd) {
            return voice_.Velocity;
        }
        return Interpolate(voice_.SwellFrom, voice_.Velocity, tick - voice_.SwellStart,
                           voice_.SwellEnd - voice_.SwellStart);
    }

    // Swing: a note on the second eighth of a beat starts late, by at most half of what sounds,
    // and still ends where it was written, so it never overlaps the note after it.
    uint32_t SwingDelay(uint32_t start, int64_t sounding) const {
        if (start % kTicksPerQuarter != kTicksPerQuarter / 2) {
            return 0;
        }
        return static_cast<uint32_t>(std::min<int64_t>(voice_.Swing, sounding / 2));
    }

    // Sets expression, modulation or bend at once, or glides to it over the written time. A value
    // set at once is always sent, even if unchanged, so the loop point can restore it.
    void Glide(const MusicItem& item) {
        int& current = item.Kind == Command::Expression   ? voice_.Expression
                       : item.Kind == Command::Modulation ? voice_.Modulation
                                                          : voice_.Bend;
        const int64_t span = item.Lengths.empty() ? 0 : GlideTicks(item);
        int sent = current;
        for (int64_t done = std::min(kGlideStep, span);; done = std::min(done + kGlideStep, span)) {
            const int value = span == 0 ? item.Value : Interpolate(current, item.Value, done, span);
            if (value != sent || span == 0) {
                Emit(ControllerEvent(item.Kind, voice_.Tick + static_cast<uint32_t>(done), value));
                sent = value;
            }
            if (done == span) {
                break;
            }
        }
        current = item.Value;
        if (voice_.Tick + span > glideEnd_) {
            glideEnd_ = voice_.Tick + static_cast<uint32_t>(span);
            glidePlace_ = item.Place;
        }
    }

    MidiEvent ControllerEvent(Command kind, uint32_t tick, int value) const {
        switch (kind) {
            case Command::Expression: return ControlChange(tick, channel_, 11, value);
            case Command::Modulation: return ControlChange(tick, channel_, 1, value);
            default: return PitchBend(tick, channel_, value);
        }
    }

    // The time a swell or glide takes, which must fit in the longest part allowed.
    int64_t GlideTicks(const MusicItem& item) const {
        const int64_t ticks = Duration(item);
        if (ticks > kMaxTicks) {
            FailAt(item.Place, "the glide lasts more than " + std::to_string(kMaxBeats) + " beats");
        }
        return ticks;
    }

    // Moves the part on by ticks, which must leave it within the longest piece allowed.
    void Advance(const SourcePlace& place, int64_t ticks) {
        if (voice_.Tick + ticks > kMaxTicks) {
            FailAt(place, "the part lasts more than " + std::to_string(kMaxBeats) + " beats");
        }
        voice_.Tick += static_cast<uint32_t>(ticks);
    }

    void CountSteps(const SourcePlace& place, long steps) {
        steps_ += steps;
        if (steps_ > kMaxSteps) {
            FailAt(place, "the part unrolls to more than " + std::to_string(kMaxSteps) +
                              " notes and settings (are loops nested too deep?)");
        }
    }

    // The written lengths added up: each dot adds half of what the previous part added.
    int64_t Duration(const MusicItem& item) const {
        int64_t total = 0;
        for (const NoteLength& length : item.Lengths) {
            int64_t part = length.Ticks != 0 ? length.Ticks : voice_.Length;
            total += part;
            for (int dot = 0; dot < length.Dots; ++dot) {
                if (part % 2 != 0) {
                    FailAt(item.Place, "too many dots for so short a note");
                }
                part /= 2;
                total += part;
            }
        }
        return total;
    }

    void Emit(MidiEvent event) { out_.Events.push_back(std::move(event)); }

    const MusicSource& source_;
    int channel_;
    MidiTrack& out_;
    MidiTrack& conductor_;
    Voice voice_;
    long steps_ = 0;
    uint32_t glideEnd_ = 0;
    SourcePlace glidePlace_;
};

void CheckLengthsAgree(const std::vector<TrackSource>& tracks, const std::vector<uint32_t>& ends) {
    for (size_t i = 1; i < tracks.size(); ++i) {
        if (ends[i] != ends[0]) {
            const double beats = (static_cast<double>(ends[i]) - ends[0]) / kTicksPerQuarter;
            FailAt(tracks[i].Place, "track " + tracks[i].Name + " lasts " + std::to_string(beats) +
                                        " beats more than track " + tracks[0].Name +
                                        "; every part must loop together");
        }
    }
}

}  // namespace

CompiledMusic CompileMusic(std::string_view text, const std::string& file) {
    const MusicSource source = ParseMusicSource(text, file);
    if (source.Tracks.empty()) {
        FailIn(file, "no tracks");
    }
    CompiledMusic music;
    music.Tracks.resize(source.Tracks.size() + 1);
    MidiTrack& conductor = music.Tracks[0];
    conductor.Events.push_back(TimeSignature(0, 4, 4));
    conductor.Events.push_back(TempoChange(0, source.Tempo));
    std::vector<uint32_t> ends;
    for (size_t i = 0; i < source.Tracks.size(); ++i) {
        TrackPlayer player(source, source.Tracks[i], music.Tracks[i + 1], conductor);
        player.Play(source.Tracks[i].Items, 0);
        player.CheckGlidesEndInTime();
        ends.push_back(player.Tick());
    }
    CheckLengthsAgree(source.Tracks, ends);
    if (ends[0] == 0) {
        FailIn(file, "the piece has no length");
    }
    music.EndTick = ends[0];
    return music;
}

std::vector<uint8_t> EncodeMusic(const CompiledMusic& music) {
    return EncodeSmf(music.Tracks, kTicksPerQuarter, music.EndTick);
}

}  // namespace assetgen
