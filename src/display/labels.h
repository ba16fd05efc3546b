// Rewriting the labels whose values changed.
#pragma once

#include <cstdint>
#include <span>

namespace volley {

struct Game;

// Writes prefix, value and suffix into out, the value padded with leading zeros to `digits` digits;
// longer numbers are shown in full and a negative one gets its sign before the zeros. Returns the
// length, or the part that fits when out is too small.
size_t FormatPadded(std::span<char> out, const char* prefix, int32_t value, int digits,
                    const char* suffix = "");

// Rewrites every label whose LabelDirty flag is set, then lowers all the flags.
void RefreshLabels(Game& g);

}  // namespace volley
