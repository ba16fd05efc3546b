// The game's two ways of turning a fraction into a whole number.
#pragma once

#include <cmath>
#include <cstdint>

namespace volley {

// Rounds down, towards minus infinity.
inline int32_t Int(double value) {
    return static_cast<int32_t>(std::floor(value));
}

// Rounds to the nearest whole number, a half to the even neighbour (146.5 gives 146).
// The game never changes the floating-point rounding mode, so nearbyint rounds this way.
inline int32_t RoundEven(double value) {
    return static_cast<int32_t>(std::nearbyint(value));
}

}  // namespace volley
