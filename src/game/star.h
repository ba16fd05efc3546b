// The falling background stars.
#pragma once

#include <cstdint>

namespace volley {

struct Star {
    int16_t X = 0;
    int16_t Y = 0;
    int16_t Speed = 0;  // rows per frame, 3..10
};

inline constexpr int kStarCount = 11;

}  // namespace volley
