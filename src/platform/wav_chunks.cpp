#include "platform/wav_chunks.h"

#include <cstring>

#include "platform/little_endian.h"

namespace volley {

namespace {

constexpr size_t kRiffHeaderBytes = 12;  // "RIFF", the file's length, "WAVE"
constexpr size_t kChunkHeaderBytes = 8;  // the chunk's name and length

}  // namespace

bool WavChunksFit(const uint8_t* file, size_t size) {
    if (size < kRiffHeaderBytes || std::memcmp(file, "RIFF", 4) != 0 ||
        std::memcmp(file + 8, "WAVE", 4) != 0) {
        return false;
    }
    size_t pos = kRiffHeaderBytes;
    while (size - pos >= kChunkHeaderBytes) {
        const size_t length = static_cast<uint32_t>(ReadLe(file + pos + 4, 4));
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
