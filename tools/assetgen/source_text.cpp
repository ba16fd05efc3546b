#include "source_text.h"

#include <charconv>
#include <cmath>

namespace assetgen {
namespace {

std::string_view Trim(std::string_view text) {
    const char* kBlanks = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string_view WithoutComment(std::string_view line) {
    return line.substr(0, line.find('#'));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::vector<SourceLine> SplitSourceLines(std::string_view text, const std::string& file) {
    std::vector<SourceLine> lines;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        const std::string_view meaningful = Trim(WithoutComment(raw));
        if (!meaningful.empty()) {
            lines.push_back({{file, number}, std::string(meaningful)});
        }
    }
    return lines;
}

std::vector<std::string> SplitWords(std::string_view line) {
    std::vector<std::string> words;
    size_t position = 0;
    while (true) {
        const size_t start = line.find_first_not_of(" \t", position);
        if (start == std::string_view::npos) {
            return words;
        }
        const size_t end = line.find_first_of(" \t", start);
        words.emplace_back(line.substr(start, end - start));
        if (end == std::string_view::npos) {
            return words;
        }
        position = end;
    }
}

int ParseInteger(std::string_view word, const SourcePlace& place, std::string_view what) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc{} || end != word.data() + word.size()) {
        FailAt(place,
               std::string(what) + " must be a whole number, not '" + std::string(word) + "'");
    }
    return value;
}

double ParseNumber(std::string_view word, const SourcePlace& place, std::string_view what) {
    double value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc{} || end != word.data() + word.size() || !std::isfinite(value)) {
        FailAt(place, std::string(what) + " must be a number, not '" + std::string(word) + "'");
    }
    return value;
}

Rgb ParseColour(std::string_view word, const SourcePlace& place) {
    int digits[6] = {};
    bool valid = word.size() == 6;
    for (size_t i = 0; valid && i < 6; ++i) {
        digits[i] = HexDigit(word[i]);
        valid = digits[i] >= 0;
    }
    if (!valid) {
        FailAt(place, "a colour must be six hex digits RRGGBB, not '" + std::string(word) + "'");
    }
    auto channel = [&](int i) { return static_cast<uint8_t>(digits[i] * 16 + digits[i + 1]); };
    return {channel(0), channel(2), channel(4)};
}

}  // namespace assetgen
