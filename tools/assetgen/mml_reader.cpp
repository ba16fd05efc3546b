#include "mml_reader.h"

#include <cctype>
#include <string>

namespace assetgen {
namespace {

int SemitoneOf(char letter) {
    static constexpr int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    return kSemitones[letter - 'a'];
}

bool IsNoteLetter(char c) {
    return c >= 'a' && c <= 'g';
}

// Deeper than any music needs, and shallow enough that reading and playing the loops, one call
// level each, stays far from the end of the stack.
constexpr int kMaxLoopDepth = 16;

class MusicTextReader {
  public:
    explicit MusicTextReader(const std::vector<SourceLine>& lines) {
        for (const SourceLine& line : lines) {
            file_ = line.Place.File;
            for (char c : line.Text + " ") {
                text_.push_back(c);
                lineOf_.push_back(line.Place.Line);
            }
        }
    }

    std::vector<MusicItem> ReadAll() {
        std::vector<MusicItem> items;
        ReadSequence(items, nullptr, nullptr);
        return items;
    }

  private:
    // Reads until the end, or until the ']' closing the loop that opened at loopPlace.
    void ReadSequence(std::vector<MusicItem>& items, std::vector<MusicItem>* tail,
                      const SourcePlace* loopPlace) {
        std::vector<MusicItem>* into = &items;
        while (true) {
            SkipBlanks();
            if (AtEnd()) {
                if (loopPlace != nullptr) {
                    FailAt(*loopPlace, "'[' is never closed by ']'");
                }
                return;
            }
            const char c = Peek();
            if (c == ']') {
                if (loopPlace == nullptr) {
                    FailAt(Here(), "']' without a '[' before it");
                }
                return;
            }
            if (c == ':') {
                if (loopPlace == nullptr || into == tail) {
                    FailAt(Here(), "':' belongs once inside a loop '[ ... : ... ]'");
                }
                ++pos_;
                into = tail;
                continue;
            }
            into->push_back(ReadItem());
        }
    }

    MusicItem ReadItem() {
        MusicItem item;
        item.Place = Here();
        const char c = Take();
        if (IsNoteLetter(c)) {
            item.Kind = Command::Note;
            item.Pitches.push_back(SemitoneOf(c) + ReadAccidentals());
            ReadLengths(item);
            item.Accent = ReadAccents();
        } else if (c == 'r') {
            item.Kind = Command::Rest;
            ReadLengths(item);
        } else if (c == 'n') {
            item.Kind = Command::Note;
            item.Raw = true;
            item.Pitches.push_back(RequireNumber(0, 127, "key number after 'n'"));
            if (Peek() == ',') {
                ++pos_;
            }
            ReadLengths(item);
            item.Accent = ReadAccents();
        } else if (c == '(') {
            ReadChord(item);
        } else if (c == '[') {
            item.Kind = Command::Loop;
            if (++loopDepth_ > kMaxLoopDepth) {
                FailAt(item.Place,
                       "loops nest more than " + std::to_string(kMaxLoopDepth) + " deep");
            }
            ReadSequence(item.Body, &item.Tail, &item.Place);
            --loopDepth_;
            ++pos_;  // the ']'
            item.Value = std::isdigit(static_cast<unsigned char>(Peek()))
                             ? RequireNumber(1, 99, "loop count")
                             : 2;
        } else if (c == '$') {
            item.Kind = Command::Insert;
            item.Name = ReadName();
        } else if (c == 'l') {
            item.Kind = Command::Length;
            item.Lengths.push_back(ReadLength(true));
        } else if (c == '<' || c == '>') {
            item.Kind = c == '>' ? Command::OctaveUp : Command::OctaveDown;
        } else if (c == 'v' && (Peek() == '+' || Peek() == '-')) {
            item.Kind = Command::VelocityBy;
            item.Value = RequireNumber(-126, 126, "velocity change");
        } else if (c == 'w') {
            item.Kind = Command::Swell;
            item.Value = RequireNumber(1, 127, "velocity to swell to");
            RequireGlideTime(item, "'w' needs the time of the swell: w<velocity>,<length>");
        } else {
            ReadSetting(c, item);
        }
        return item;
    }

    void ReadSetting(char c, MusicItem& item) {
        struct Setting {
            char Letter;
            Command Kind;
            int Min, Max;
            const char* What;
            bool Glides = false;  // may be followed by ',' and the time to glide over
        };
        static constexpr Setting kSettings[] = {
            {'o', Command::Octave, 0, 9, "octave"},
            {'v', Command::Velocity, 1, 127, "velocity"},
            {'q', Command::Gate, 1, 8, "gate (eighths)"},
            {'k', Command::Transpose, -48, 48, "transposition"},
            {'@', Command::Program, 1, 128, "program"},
            {'V', Command::Volume, 0, 127, "volume"},
            {'P', Command::Pan, 0, 127, "pan"},
            {'R', Command::Reverb, 0, 127, "reverb"},
            {'t', Command::Tempo, 30, 400, "tempo"},
            {'E', Command::Expression, 0, 127, "expression", true},
            {'M', Command::Modulation, 0, 127, "modulation", true},
            {'B', Command::PitchBend, -8192, 8191, "pitch bend", true},
            {'s', Command::Swing, 0, 120, "swing (ticks)"},
        };
        for (const Setting& setting : kSettings) {
            if (setting.Letter == c) {
                item.Kind = setting.Kind;
                item.Value = RequireNumber(setting.Min, setting.Max, setting.What);
                if (setting.Glides && Peek() == ',') {
                    RequireGlideTime(item, "");
                }
                return;
            }
        }
        FailAt(item.Place, std::string("unexpected '") + c + "'");
    }

    void ReadChord(MusicItem& chord) {
        chord.Kind = Command::Chord;
        int shift = 0;
        while (true) {
            SkipBlanks();
            if (AtEnd()) {
                FailAt(chord.Place, "'(' is never closed by ')'");
            }
            const SourcePlace place = Here();
            const char c = Take();
            if (c == ')') {
                break;
            }
            if (c == '<' || c == '>') {
                shift += c == '>' ? 12 : -12;
            } else if (IsNoteLetter(c)) {
                chord.Pitches.push_back(shift + SemitoneOf(c) + ReadAccidentals());
            } else {
                FailAt(place, std::string("a chord holds notes and octave marks, not '") + c + "'");
            }
        }
        if (chord.Pitches.empty()) {
            FailAt(chord.Place, "empty chord");
        }
        ReadLengths(chord);
        chord.Accent = ReadAccents();
    }

    // ",<length>" after a setting that glides: the written length, ties allowed.
    void RequireGlideTime(MusicItem& item, const char* missing) {
        if (Peek() != ',') {
            FailAt(Here(), missing);
        }
        ++pos_;
        item.Lengths.push_back(ReadLength(true));
        while (Peek() == '^') {
            ++pos_;
            item.Lengths.push_back(ReadLength(true));
        }
    }

    int ReadAccents() {
        int accent = 0;
        while (Peek() == '!' || Peek() == '?') {
            accent += Take() == '!' ? 1 : -1;
        }
        return accent;
    }

    int ReadAccidentals() {
        int offset = 0;
        while (Peek() == '+' || Peek() == '-') {
            offset += Take() == '+' ? 1 : -1;
        }
        return offset;
    }

    // The note's own length, then one more for each '^' tie.
    void ReadLengths(MusicItem& item) {
        item.Lengths.push_back(ReadLength(false));
        while (Peek() == '^') {
            ++pos_;
            item.Lengths.push_back(ReadLength(false));
        }
    }

    NoteLength ReadLength(bool required) {
        NoteLength length;
        if (required || std::isdigit(static_cast<unsigned char>(Peek()))) {
            const SourcePlace place = Here();
            const int division = RequireNumber(1, kTicksPerWhole, "note length");
            if (kTicksPerWhole % division != 0) {
                FailAt(place, "length " + std::to_string(division) +
                                  " does not divide a whole note evenly");
            }
            length.Ticks = kTicksPerWhole / division;
        }
        while (Peek() == '.') {
            ++pos_;
            ++length.Dots;
        }
        return length;
    }

    std::string ReadName() {
        std::string name;
        while (std::isalnum(static_cast<unsigned char>(Peek())) || Peek() == '_') {
            name += Take();
        }
        if (name.empty()) {
            FailAt(Here(), "'$' needs the name of a phrase or grid");
        }
        return name;
    }

    int RequireNumber(int min, int max, const char* what) {
        const SourcePlace place = Here();
        bool negative = false;
        if (Peek() == '-' || Peek() == '+') {
            negative = Take() == '-';
        }
        if (!std::isdigit(static_cast<unsigned char>(Peek()))) {
            FailAt(place, std::string("expected a number: ") + what);
        }
        long value = 0;
        while (std::isdigit(static_cast<unsigned char>(Peek()))) {
            value = std::min(value * 10 + (Take() - '0'), 1'000'000L);
        }
        value = negative ? -value : value;
        if (value < min || value > max) {
            FailAt(place, std::string(what) + " must lie within " + std::to_string(min) + " .. " +
                              std::to_string(max) + ", not " + std::to_string(value));
        }
        return static_cast<int>(value);
    }

    void SkipBlanks() {
        while (!AtEnd() && (std::isspace(static_cast<unsigned char>(Peek())) || Peek() == '|')) {
            ++pos_;
        }
    }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    char Take() { return text_[pos_++]; }
    SourcePlace Here() const {
        return {file_, lineOf_.empty() ? 0 : lineOf_[std::min(pos_, lineOf_.size() - 1)]};
    }

    std::string file_;
    std::string text_;
    std::vector<int> lineOf_;
    size_t pos_ = 0;
    int loopDepth_ = 0;
};

}  // namespace

std::vector<MusicItem> ReadMusicText(const std::vector<SourceLine>& lines) {
    return MusicTextReader(lines).ReadAll();
}

}  // namespace assetgen
