#include "mml_compiler.h"

#include <algorithm>

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

// Where a part stands while it is played: the time and the settings the notes so far have made.
struct Voice {
    uint32_t Tick = 0;
    int Octave = 4;
    int Length = kTicksPerQuarter;
    int Velocity = 100;
    int Gate = 8;
    int Transpose = 0;
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
            case Command::Velocity: voice_.Velocity = item.Value; break;
            case Command::Gate: voice_.Gate = item.Value; break;
            case Command::Transpose: voice_.Transpose = item.Value; break;
            case Command::Program:
                Emit(ProgramChange(voice_.Tick, channel_, item.Value - 1));
                break;
            case Command::Volume: Emit(ControlChange(voice_.Tick, channel_, 7, item.Value)); break;
            case Command::Pan: Emit(ControlChange(voice_.Tick, channel_, 10, item.Value)); break;
            case Command::Reverb: Emit(ControlChange(voice_.Tick, channel_, 91, item.Value)); break;
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
                const int velocity = cell == 'X'   ? std::min(127, voice_.Velocity + 24)
                                     : cell == 'g' ? std::max(1, voice_.Velocity * 11 / 20)
                                                   : voice_.Velocity;
                const uint32_t start = voice_.Tick + static_cast<uint32_t>(step * grid.StepTicks);
                Emit(NoteOn(start, channel_, row.Key, velocity));
                Emit(NoteOff(start + static_cast<uint32_t>(grid.StepTicks), channel_, row.Key));
            }
        }
        Advance(place, static_cast<int64_t>(steps) * grid.StepTicks);
    }

    void Sound(const MusicItem& item) {
        const int64_t duration = Duration(item);
        const int64_t sounding = std::max<int64_t>(1, duration * voice_.Gate / 8);
        for (int pitch : item.Pitches) {
            const int key = item.Raw ? pitch : (voice_.Octave + 1) * 12 + pitch + voice_.Transpose;
            if (key < 0 || key > 127) {
                FailAt(item.Place, "the note falls outside the keys 0 .. 127 (key " +
                                       std::to_string(key) + ")");
            }
            Emit(NoteOn(voice_.Tick, channel_, key, voice_.Velocity));
            Emit(NoteOff(voice_.Tick + static_cast<uint32_t>(sounding), channel_, key));
        }
        Advance(item.Place, duration);
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
