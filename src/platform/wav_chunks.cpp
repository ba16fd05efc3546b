#include "platform/wav_chunks.h"

#include <cstring>

namespace volley {

namespace {

constexpr size_t kRiffHeaderBytes = 12;  // "RIFF", the file's length, "WAVE"
constexpr size_t kChunkHeaderBytes = 8;  // the chunk's name and length

uint32_t ReadLe32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

}  // namespace

bool WavChunksFit(const uint8_t* file, size_t size) {
    if (size < kRiffHeaderBytes || std::memcmp(file, "RIFF", 4) != 0 ||
        std::memcmp(file + 8, "WAVE", 4) != 0) {
        return false;
    }
    size_t pos = kRiffHeaderBytes;
    while (size - pos >= kChunkHeaderBytes) {
        const size_t length = ReadLe32(file + pos + 4);
        pos += kChunkHeaderBytes;
        if (length > size - pos) {
            return false;
        }
        // A chunk of odd length is followed by a pad byte, which a file's last chunk may lack.
        pos += length + (length % 2);
        if (pos >= size) {
            break;
        }
    }
    return true;
}

}  // namespace volley
