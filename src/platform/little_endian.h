// Reading and writing the little-endian numbers of the game's files.
#pragma once

#include <cstdint>

namespace volley {

inline int16_t ReadInt16(const uint8_t* p) {
    return static_cast<int16_t>(p[0] | (p[1] << 8));
}

inline int32_t ReadInt32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) |
                                (uint32_t{p[3]} << 24));
}

inline uint8_t* WriteInt16(uint8_t* p, int16_t value) {
    const auto bits = static_cast<uint16_t>(value);
    p[0] = static_cast<uint8_t>(bits);
    p[1] = static_cast<uint8_t>(bits >> 8);
    return p + 2;
}

inline uint8_t* WriteInt32(uint8_t* p, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<uint8_t>(bits >> (8 * i));
    }
    return p + 4;
}

}  // namespace volley
