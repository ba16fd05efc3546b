// Checking the chunk structure of a WAV file image before the sound library sees it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace volley {

// True when the file image of size bytes is a RIFF WAVE file whose chunks each lie wholly inside
// it (a last few bytes too short to hold a chunk header are let go as padding). The sound library
// sets aside as much memory as a chunk claims before it reads a byte of it, so a damaged length
// field would cost up to 4 GB for a file of a few hundred bytes.
bool WavChunksFit(const uint8_t* file, size_t size);

}  // namespace volley
