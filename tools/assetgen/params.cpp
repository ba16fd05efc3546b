#include "params.h"

#include "source_text.h"

namespace assetgen {
namespace {

std::string Describe(double value) {
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

void CheckRange(double value, double min, double max, const SourcePlace& place,
                const std::string& key) {
    if (value < min || value > max) {
        FailAt(place, key + " must lie within " + Describe(min) + " .. " + Describe(max) +
                          ", not " + Describe(value));
    }
}

}  // namespace

Params Params::Parse(std::string_view text, const std::string& file) {
    Params params;
    params.file_ = file;
    for (const SourceLine& line : SplitSourceLines(text, file)) {
        const size_t equals = line.Text.find('=');
        if (equals == std::string::npos) {
            FailAt(line.Place, "expected 'key = value', got '" + line.Text + "'");
        }
        const std::vector<std::string> key = SplitWords(line.Text.substr(0, equals));
        std::vector<std::string> values = SplitWords(line.Text.substr(equals + 1));
        if (key.size() != 1 || values.empty()) {
            FailAt(line.Place, "expected 'key = value', got '" + line.Text + "'");
        }
        const auto [where, added] = params.entries_.try_emplace(key[0]);
        if (!added) {
            FailAt(line.Place, key[0] + " is given twice (first on line " +
                                   std::to_string(where->second.Place.Line) + ")");
        }
        where->second.Place = line.Place;
        where->second.Values = std::move(values);
    }
    return params;
}

const Params::Entry& Params::Find(const std::string& key, size_t count) const {
    const auto found = entries_.find(key);
    if (found == entries_.end()) {
        FailIn(file_, "missing '" + key + " = ...'");
    }
    const Entry& entry = found->second;
    entry.Read = true;
    if (count != 0 && entry.Values.size() != count) {
        FailAt(entry.Place, key + " needs " + std::to_string(count) + " value(s), got " +
                                std::to_string(entry.Values.size()));
    }
    return entry;
}

int Params::Integer(const std::string& key, int min, int max) const {
    return Integers(key, 1, min, max)[0];
}

std::vector<int> Params::Integers(const std::string& key, size_t count, int min, int max) const {
    const Entry& entry = Find(key, count);
    std::vector<int> integers;
    for (const std::string& word : entry.Values) {
        integers.push_back(ParseInteger(word, entry.Place, key));
        CheckRange(integers.back(), min, max, entry.Place, key);
    }
    return integers;
}

double Params::Number(const std::string& key, double min, double max) const {
    return Numbers(key, 1, min, max)[0];
}

std::vector<double> Params::Numbers(const std::string& key, size_t count, double min,
                                    double max) const {
    const Entry& entry = Find(key, count);
    std::vector<double> numbers;
    for (const std::string& word : entry.Values) {
        numbers.push_back(ParseNumber(word, entry.Place, key));
        CheckRange(numbers.back(), min, max, entry.Place, key);
    }
    return numbers;
}

Rgb Params::Colour(const std::string& key) const {
    return Colours(key, 1)[0];
}

std::vector<Rgb> Params::Colours(const std::string& key, size_t count) const {
    const Entry& entry = Find(key, count);
    std::vector<Rgb> colours;
    for (const std::string& word : entry.Values) {
        colours.push_back(ParseColour(word, entry.Place));
    }
    return colours;
}

std::string Params::Word(const std::string& key) const {
    return Find(key, 1).Values[0];
}

SourcePlace Params::PlaceOf(const std::string& key) const {
    return Find(key, 0).Place;
}

void Params::RejectUnread() const {
    for (const auto& [key, entry] : entries_) {
        if (!entry.Read) {
            FailAt(entry.Place, "unknown key '" + key + "'");
        }
    }
}

}  // namespace assetgen
