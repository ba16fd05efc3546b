#include "shape_art.h"

#include <map>
#include <optional>

#include "shape_paint.h"
#include "source_text.h"

namespace assetgen {
namespace {

// Wider than any sheet, so a typo like 3200 is caught here with its line.
constexpr int kLargestSlot = 1024;

struct ShapeWord {
    const char* Word;
    ShapeType Type;
    size_t Values;  // 0: any even number of at least six (a polygon's corners)
};

constexpr ShapeWord kShapeWords[] = {
    {"ellipse", ShapeType::Ellipse, 4}, {"glow", ShapeType::Glow, 4}, {"ring", ShapeType::Ring, 4},
    {"line", ShapeType::Line, 4},       {"poly", ShapeType::Poly, 0}, {"rect", ShapeType::Poly, 4}};

// The bounds of the opaque pixels; an empty canvas has none.
struct Bounds {
    int Left = 0;
    int Top = 0;
    int Right = -1;  // inclusive
    int Bottom = -1;
};

Bounds OpaqueBounds(const BitGrid& opaque) {
    Bounds bounds{opaque.Width, opaque.Height, -1, -1};
    for (int y = 0; y < opaque.Height; ++y) {
        for (int x = 0; x < opaque.Width; ++x) {
            if (opaque.At(x, y)) {
                bounds.Left = std::min(bounds.Left, x);
                bounds.Top = std::min(bounds.Top, y);
                bounds.Right = std::max(bounds.Right, x);
                bounds.Bottom = std::max(bounds.Bottom, y);
            }
        }
    }
    return bounds;
}

class ShapeArtParser {
  public:
    ShapeArtParser(std::string_view text, const std::string& file)
        : lines_(SplitSourceLines(text, file)) {}

    std::vector<Sprite> Parse() {
        while (next_ < lines_.size()) {
            const SourceLine& line = lines_[next_++];
            const std::vector<std::string> words = SplitWords(line.Text);
            if (words[0] == "ramp") {
                AddRamp(line.Place, words);
            } else if (words[0] == "outline") {
                SetOutline(line.Place, words);
            } else if (words[0] == "sprite") {
                ReadSprite(line.Place, words);
            } else {
                FailAt(line.Place,
                       "expected 'ramp', 'outline' or 'sprite', got '" + words[0] + "'");
            }
        }
        return std::move(sprites_);
    }

  private:
    void AddRamp(const SourcePlace& place, const std::vector<std::string>& words) {
        if (words.size() < 3) {
            FailAt(place, "expected 'ramp <name> <colour> ...'");
        }
        std::vector<Rgb> colours;
        for (size_t i = 2; i < words.size(); ++i) {
            colours.push_back(ParseColour(words[i], place));
        }
        if (!ramps_.try_emplace(words[1], colours).second) {
            FailAt(place, "ramp '" + words[1] + "' is defined twice");
        }
    }

    void SetOutline(const SourcePlace& place, const std::vector<std::string>& words) {
        if (words.size() != 2) {
            FailAt(place, "expected 'outline RRGGBB' or 'outline none'");
        }
        outline_ =
            words[1] == "none" ? std::nullopt : std::optional<Rgb>(ParseColour(words[1], place));
    }

    void ReadSprite(const SourcePlace& place, const std::vector<std::string>& words) {
        if (words.size() != 7 || (words[6] != "mirror" && words[6] != "plain")) {
            FailAt(place, "expected 'sprite <name> <x> <y> <width> <height> mirror|plain'");
        }
        const int width = ParseSlotSize(words[4], place, "width");
        const int height = ParseSlotSize(words[5], place, "height");
        std::vector<Shape> shapes;
        while (true) {
            if (next_ >= lines_.size()) {
                FailAt(place, "sprite " + words[1] + " is missing its 'end'");
            }
            const SourceLine& line = lines_[next_++];
            if (line.Text == "end") {
                break;
            }
            shapes.push_back(ReadShape(line));
        }
        const Canvas canvas = PaintShapes(shapes, width, height, words[6] == "mirror", outline_);
        sprites_.push_back(Crop(canvas, words[1], ParseInteger(words[2], place, "x"),
                                ParseInteger(words[3], place, "y"), place));
    }

    Shape ReadShape(const SourceLine& line) const {
        const std::vector<std::string> words = SplitWords(line.Text);
        for (const ShapeWord& known : kShapeWords) {
            if (words[0] != known.Word) {
                continue;
            }
            const size_t values = words.size() < 2 ? 0 : words.size() - 2;
            const bool poly_ok = known.Values == 0 && values >= 6 && values % 2 == 0;
            if (words.size() < 2 || (values != known.Values && !poly_ok)) {
                FailAt(line.Place, std::string("wrong number of values for '") + known.Word + "'");
            }
            Shape shape{known.Type, Ramp(words[1], line.Place), {}};
            for (size_t i = 2; i < words.size(); ++i) {
                shape.Values.push_back(ParseNumber(words[i], line.Place, "a coordinate"));
            }
            if (words[0] == "rect") {
                shape.Values = RectCorners(shape.Values);
            }
            return shape;
        }
        FailAt(line.Place,
               "expected a shape (ellipse, poly, rect, glow, ring, line) or 'end', got '" +
                   words[0] + "'");
    }

    static std::vector<double> RectCorners(const std::vector<double>& v) {
        const double right = v[0] + v[2];
        const double bottom = v[1] + v[3];
        return {v[0], v[1], right, v[1], right, bottom, v[0], bottom};
    }

    const std::vector<Rgb>& Ramp(const std::string& name, const SourcePlace& place) const {
        const auto found = ramps_.find(name);
        if (found == ramps_.end()) {
            FailAt(place, "no ramp is named '" + name + "' (define it above)");
        }
        return found->second;
    }

    Sprite Crop(const Canvas& canvas, const std::string& name, int x, int y,
                const SourcePlace& place) const {
        for (const Sprite& sprite : sprites_) {
            if (sprite.Name == name) {
                FailAt(place, "sprite name '" + name + "' is used twice");
            }
        }
        const Bounds bounds = OpaqueBounds(canvas.Opaque);
        if (bounds.Right < 0) {
            FailAt(place, "sprite " + name + " has no opaque pixel");
        }
        Sprite sprite;
        sprite.Name = name;
        sprite.X = x + bounds.Left;
        sprite.Y = y + bounds.Top;
        sprite.Source = place;
        const int width = bounds.Right - bounds.Left + 1;
        const int height = bounds.Bottom - bounds.Top + 1;
        sprite.Colours = Image(width, height);
        sprite.Opaque = BitGrid(width, height);
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                const int cx = bounds.Left + column;
                const int cy = bounds.Top + row;
                sprite.Colours.At(column, row) = canvas.Colours.At(cx, cy);
                sprite.Opaque.Set(column, row, canvas.Opaque.At(cx, cy));
            }
        }
        return sprite;
    }

    static int ParseSlotSize(const std::string& word, const SourcePlace& place, const char* what) {
        const int size = ParseInteger(word, place, what);
        if (size < 1 || size > kLargestSlot) {
            FailAt(place, std::string(what) + " must lie within 1 .. " +
                              std::to_string(kLargestSlot) + ", not " + word);
        }
        return size;
    }

    std::vector<SourceLine> lines_;
    size_t next_ = 0;
    std::map<std::string, std::vector<Rgb>> ramps_;
    std::optional<Rgb> outline_;
    std::vector<Sprite> sprites_;
};

}  // namespace

std::vector<Sprite> ParseShapeArt(std::string_view text, const std::string& file) {
    return ShapeArtParser(text, file).Parse();
}

}  // namespace assetgen
