#include "pixel_art.h"

#include <map>

#include "source_text.h"

namespace assetgen {
namespace {

// Wider than any sheet, so a typo like 3200 is caught here with its line.
constexpr int kLargestSprite = 1024;

class PixelArtParser {
  public:
    PixelArtParser(std::string_view text, const std::string& file)
        : lines_(SplitSourceLines(text, file)) {}

    std::vector<Sprite> Parse() {
        while (next_ < lines_.size()) {
            const SourceLine& line = lines_[next_++];
            const std::vector<std::string> words = SplitWords(line.Text);
            if (words[0] == "colour") {
                AddColour(line.Place, words);
            } else if (words[0] == "sprite") {
                ReadSprite(line.Place, words);
            } else if (words[0] == "mirror") {
                AddMirror(line.Place, words);
            } else {
                FailAt(line.Place,
                       "expected 'colour', 'sprite' or 'mirror', got '" + words[0] + "'");
            }
        }
        return std::move(sprites_);
    }

  private:
    static void ExpectWordCount(const SourcePlace& place, const std::vector<std::string>& words,
                                size_t count, const char* usage) {
        if (words.size() != count) {
            FailAt(place, std::string("expected '") + usage + "'");
        }
    }

    void AddColour(const SourcePlace& place, const std::vector<std::string>& words) {
        ExpectWordCount(place, words, 3, "colour <char> RRGGBB");
        if (words[1].size() != 1 || words[1][0] == kTransparentChar) {
            FailAt(place,
                   "a palette entry is one character other than '.', not '" + words[1] + "'");
        }
        const Rgb colour = ParseColour(words[2], place);
        if (!palette_.try_emplace(words[1][0], colour).second) {
            FailAt(place, "palette character '" + words[1] + "' is defined twice");
        }
    }

    void ReadSprite(const SourcePlace& place, const std::vector<std::string>& words) {
        ExpectWordCount(place, words, 6, "sprite <name> <x> <y> <width> <height>");
        Sprite sprite;
        sprite.Name = NewName(place, words[1]);
        sprite.X = ParseInteger(words[2], place, "x");
        sprite.Y = ParseInteger(words[3], place, "y");
        const int width = ParseSize(words[4], place, "width");
        const int height = ParseSize(words[5], place, "height");
        sprite.Colours = Image(width, height);
        sprite.Opaque = BitGrid(width, height);
        sprite.Source = place;
        for (int y = 0; y < height; ++y) {
            ReadRow(sprite, y);
        }
        ExpectEnd(sprite);
        sprites_.push_back(std::move(sprite));
    }

    void ReadRow(Sprite& sprite, int y) {
        if (next_ >= lines_.size() || lines_[next_].Text == "end") {
            FailAt(next_ < lines_.size() ? lines_[next_].Place : sprite.Source,
                   "sprite " + sprite.Name + " has " + std::to_string(y) + " rows, expected " +
                       std::to_string(sprite.Height()));
        }
        const SourceLine& row = lines_[next_++];
        if (static_cast<int>(row.Text.size()) != sprite.Width()) {
            FailAt(row.Place, "row is " + std::to_string(row.Text.size()) +
                                  " pixels wide, sprite " + sprite.Name + " is " +
                                  std::to_string(sprite.Width()));
        }
        for (int x = 0; x < sprite.Width(); ++x) {
            PaintPixel(sprite, x, y, row);
        }
    }

    void PaintPixel(Sprite& sprite, int x, int y, const SourceLine& row) {
        const char c = row.Text[static_cast<size_t>(x)];
        if (c == kTransparentChar) {
            return;
        }
        const auto colour = palette_.find(c);
        if (colour == palette_.end()) {
            FailAt(row.Place, std::string("character '") + c + "' at column " +
                                  std::to_string(x + 1) + " is not in the palette");
        }
        sprite.Colours.At(x, y) = colour->second;
        sprite.Opaque.Set(x, y, true);
    }

    void ExpectEnd(const Sprite& sprite) {
        if (next_ >= lines_.size()) {
            FailAt(sprite.Source, "sprite " + sprite.Name + " is missing its 'end'");
        }
        const SourceLine& line = lines_[next_++];
        if (line.Text != "end") {
            FailAt(line.Place, "sprite " + sprite.Name + " has more than " +
                                   std::to_string(sprite.Height()) + " rows (or lacks 'end')");
        }
    }

    void AddMirror(const SourcePlace& place, const std::vector<std::string>& words) {
        ExpectWordCount(place, words, 5, "mirror <name> <x> <y> <source sprite>");
        const std::string name = NewName(place, words[1]);
        const int x = ParseInteger(words[2], place, "x");
        const int y = ParseInteger(words[3], place, "y");
        const Sprite* source = FindSprite(words[4]);
        if (source == nullptr) {
            FailAt(place, "mirror of unknown sprite '" + words[4] + "' (define it above)");
        }
        sprites_.push_back(MirrorSprite(*source, name, x, y));
        sprites_.back().Source = place;
    }

    const Sprite* FindSprite(const std::string& name) const {
        for (const Sprite& sprite : sprites_) {
            if (sprite.Name == name) {
                return &sprite;
            }
        }
        return nullptr;
    }

    std::string NewName(const SourcePlace& place, const std::string& name) const {
        if (FindSprite(name) != nullptr) {
            FailAt(place, "sprite name '" + name + "' is used twice");
        }
        return name;
    }

    static int ParseSize(const std::string& word, const SourcePlace& place, const char* what) {
        const int size = ParseInteger(word, place, what);
        if (size < 1 || size > kLargestSprite) {
            FailAt(place, std::string(what) + " must lie within 1 .. " +
                              std::to_string(kLargestSprite) + ", not " + word);
        }
        return size;
    }

    std::vector<SourceLine> lines_;
    size_t next_ = 0;
    std::map<char, Rgb> palette_;
    std::vector<Sprite> sprites_;
};

}  // namespace

std::vector<Sprite> ParsePixelArt(std::string_view text, const std::string& file) {
    return PixelArtParser(text, file).Parse();
}

Sprite MirrorSprite(const Sprite& source, std::string name, int x, int y) {
    Sprite mirrored = source;
    mirrored.Name = std::move(name);
    mirrored.X = x;
    mirrored.Y = y;
    const int width = source.Width();
    for (int row = 0; row < source.Height(); ++row) {
        for (int column = 0; column < width; ++column) {
            mirrored.Colours.At(column, row) = source.Colours.At(width - 1 - column, row);
            mirrored.Opaque.Set(column, row, source.Opaque.At(width - 1 - column, row));
        }
    }
    return mirrored;
}

}  // namespace assetgen
