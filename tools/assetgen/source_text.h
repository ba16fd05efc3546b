// Reading assetgen's text sources: lines without comments, words, numbers and colours, with every
// complaint naming the file and line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "asset_error.h"
#include "image.h"

namespace assetgen {

// One meaningful line: '#' starts a comment, and blank lines are dropped altogether.
struct SourceLine {
    SourcePlace Place;
    std::string Text;  // trimmed, comment removed, never empty
};

std::vector<SourceLine> SplitSourceLines(std::string_view text, const std::string& file);

std::vector<std::string> SplitWords(std::string_view line);

// A whole decimal integer (optional minus sign); anything else fails naming what was expected.
int ParseInteger(std::string_view word, const SourcePlace& place, std::string_view what);

// A finite decimal number.
double ParseNumber(std::string_view word, const SourcePlace& place, std::string_view what);

// Six hex digits RRGGBB ('#' cannot be used: it starts a comment).
Rgb ParseColour(std::string_view word, const SourcePlace& place);

}  // namespace assetgen
