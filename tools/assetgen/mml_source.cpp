#include "mml_source.h"

#include <map>

#include "mml_reader.h"
#include "source_text.h"

namespace assetgen {
namespace {

bool IsBlockStart(const std::string& word) {
    return word == "tempo" || word == "phrase" || word == "grid" || word == "track" ||
           word == "end";
}

std::string FirstWord(const SourceLine& line) {
    return SplitWords(line.Text).front();
}

void ExpectWords(const SourceLine& line, const std::vector<std::string>& words, size_t count,
                 const char* form) {
    if (words.size() != count) {
        FailAt(line.Place, std::string("expected '") + form + "'");
    }
}

class SourceSplitter {
  public:
    SourceSplitter(std::string_view text, const std::string& file)
        : lines_(SplitSourceLines(text, file)) {}

    MusicSource Parse() {
        while (next_ < lines_.size()) {
            const SourceLine& line = lines_[next_++];
            const std::vector<std::string> words = SplitWords(line.Text);
            if (words[0] == "tempo") {
                ReadTempo(line, words);
            } else if (words[0] == "phrase") {
                ExpectWords(line, words, 2, "phrase <name>");
                ClaimName(line, words[1]);
                source_.Phrases[words[1]] = ReadMusicText(BlockBody(line, true));
            } else if (words[0] == "grid") {
                ExpectWords(line, words, 3, "grid <name> <steps per whole note>");
                ClaimName(line, words[1]);
                source_.Grids[words[1]] = ReadGrid(line, words[2]);
            } else if (words[0] == "track") {
                ReadTrack(line, words);
            } else {
                FailAt(line.Place, words[0] == "end" ? "'end' without a phrase or grid"
                                                     : "notes outside any track or phrase");
            }
        }
        return std::move(source_);
    }

  private:
    void ReadTempo(const SourceLine& line, const std::vector<std::string>& words) {
        ExpectWords(line, words, 2, "tempo <beats per minute>");
        if (tempoGiven_) {
            FailAt(line.Place, "tempo is given twice");
        }
        tempoGiven_ = true;
        source_.Tempo = ParseNumber(words[1], line.Place, "beats per minute");
        if (source_.Tempo < 30 || source_.Tempo > 400) {
            FailAt(line.Place, "tempo must lie within 30 .. 400");
        }
    }

    void ReadTrack(const SourceLine& line, const std::vector<std::string>& words) {
        ExpectWords(line, words, 3, "track <name> <channel 1..16>");
        TrackSource track;
        track.Place = line.Place;
        track.Name = words[1];
        track.Channel = ParseInteger(words[2], line.Place, "channel");
        if (track.Channel < 1 || track.Channel > 16) {
            FailAt(line.Place, "channel must lie within 1 .. 16");
        }
        for (const TrackSource& other : source_.Tracks) {
            if (other.Channel == track.Channel || other.Name == track.Name) {
                FailAt(line.Place, "track " + track.Name + " shares its name or channel with " +
                                       other.Name + " (line " + std::to_string(other.Place.Line) +
                                       ")");
            }
        }
        track.Items = ReadMusicText(BlockBody(line, false));
        source_.Tracks.push_back(std::move(track));
    }

    // The lines up to the block's 'end' (closed) or up to the next block (a track).
    std::vector<SourceLine> BlockBody(const SourceLine& opening, bool closed) {
        std::vector<SourceLine> body;
        while (next_ < lines_.size()) {
            const std::string word = FirstWord(lines_[next_]);
            if (closed && word == "end") {
                ++next_;
                return body;
            }
            if (IsBlockStart(word)) {
                break;
            }
            body.push_back(lines_[next_++]);
        }
        if (closed) {
            FailAt(opening.Place, "'" + FirstWord(opening) + "' has no 'end'");
        }
        return body;
    }

    DrumGrid ReadGrid(const SourceLine& opening, const std::string& stepsWord) {
        DrumGrid grid;
        grid.Place = opening.Place;
        const int steps = ParseInteger(stepsWord, opening.Place, "steps per whole note");
        if (steps < 1 || steps > kTicksPerWhole || kTicksPerWhole % steps != 0) {
            FailAt(opening.Place,
                   "steps per whole note must divide " + std::to_string(kTicksPerWhole));
        }
        grid.StepTicks = kTicksPerWhole / steps;
        for (const SourceLine& line : BlockBody(opening, true)) {
            grid.Rows.push_back(ReadDrumRow(line));
            if (grid.Rows.back().Cells.size() != grid.Rows.front().Cells.size()) {
                FailAt(line.Place, "every row of a grid needs as many steps as the first");
            }
        }
        if (grid.Rows.empty()) {
            FailAt(opening.Place, "empty grid");
        }
        return grid;
    }

    static DrumRow ReadDrumRow(const SourceLine& line) {
        const std::vector<std::string> words = SplitWords(line.Text);
        DrumRow row{line.Place, DrumKeyNamed(words[0]), ""};
        if (row.Key < 0) {
            FailAt(line.Place, "unknown drum '" + words[0] + "'");
        }
        for (size_t i = 1; i < words.size(); ++i) {
            row.Cells += words[i];
        }
        for (char cell : row.Cells) {
            if (cell != '.' && cell != 'x' && cell != 'X' && cell != 'g') {
                FailAt(line.Place,
                       std::string("a grid step is '.', 'g', 'x' or 'X', not '") + cell + "'");
            }
        }
        if (row.Cells.empty()) {
            FailAt(line.Place, "drum row without steps");
        }
        return row;
    }

    void ClaimName(const SourceLine& line, const std::string& name) {
        if (source_.Phrases.count(name) != 0 || source_.Grids.count(name) != 0) {
            FailAt(line.Place, "'" + name + "' is defined twice");
        }
    }

    std::vector<SourceLine> lines_;
    size_t next_ = 0;
    bool tempoGiven_ = false;
    MusicSource source_;
};

}  // namespace

int DrumKeyNamed(const std::string& name) {
    static const std::map<std::string, int> kKeys = {
        {"kick", 36},   {"kick2", 35},  {"rim", 37},   {"snare", 38},  {"clap", 39},
        {"snare2", 40}, {"floor", 41},  {"hat", 42},   {"tomlo", 45},  {"pedal", 44},
        {"ohat", 46},   {"tommid", 47}, {"tomhi", 50}, {"crash", 49},  {"ride", 51},
        {"china", 52},  {"bell", 53},   {"tamb", 54},  {"splash", 55}, {"cowbell", 56},
        {"crash2", 57}, {"shaker", 70},
    };
    const auto found = kKeys.find(name);
    return found == kKeys.end() ? -1 : found->second;
}

MusicSource ParseMusicSource(std::string_view text, const std::string& file) {
    return SourceSplitter(text, file).Parse();
}

}  // namespace assetgen
