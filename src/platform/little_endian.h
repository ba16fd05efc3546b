// Reading and writing the little-endian numbers of every file the game and tools/assetgen read and
// write: the data file, the save, the replays, BMP pictures and WAV effects. The one place for it.
#pragma once

#include <cstdint>
#include <vector>

namespace volley {

// The number held in the `bytes` bytes (1 to 8) at p, lowest first.
inline uint64_t ReadLe(const uint8_t* p, int bytes) {
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | p[i];
    }
    return value;
}

// Writes the lowest `bytes` bytes (1 to 8) of value at p, lowest first; returns the byte after.
inline uint8_t* WriteLe(uint8_t* p, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        p[i] = static_cast<uint8_t>(value >> (8 * i));
    }
    return p + bytes;
}

// Appends the lowest `bytes` bytes (1 to 8) of value, lowest first.
inline void AppendLe(std::vector<uint8_t>& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

inline int16_t ReadInt16(const uint8_t* p) {
    return static_cast<int16_t>(ReadLe(p, 2));
}

inline int32_t ReadInt32(const uint8_t* p) {
    return static_cast<int32_t>(ReadLe(p, 4));
}

inline uint8_t* WriteInt16(uint8_t* p, int16_t value) {
    return WriteLe(p, static_cast<uint16_t>(value), 2);
}

inline uint8_t* WriteInt32(uint8_t* p, int32_t value) {
    return WriteLe(p, static_cast<uint32_t>(value), 4);
}

}  // namespace volley
