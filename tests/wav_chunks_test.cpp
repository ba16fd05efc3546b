#include "platform/wav_chunks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace volley {
namespace {

// A RIFF WAVE header, then chunks: "name claimed actual" each, or loose bytes as "+count".
std::vector<uint8_t> Wav(std::initializer_list<const char*> chunks) {
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const char* chunk : chunks) {
        char name[5] = {};
        unsigned claimed = 0, actual = 0;
        if (chunk[0] == '+') {
            out.insert(out.end(), std::stoul(chunk + 1), 0);
            continue;
        }
        std::sscanf(chunk, "%4c %u %u", name, &claimed, &actual);
        out.insert(out.end(), name, name + 4);
        for (int i = 0; i < 4; ++i) {
            out.push_back(static_cast<uint8_t>(claimed >> (8 * i)));
        }
        out.insert(out.end(), actual, 0x11);
    }
    return out;
}

TEST(WavChunks, ChunksMustEndInsideTheFile) {
    const struct {
        std::vector<uint8_t> file;
        bool fits;
    } cases[] = {
        {Wav({"fmt  16 16", "data 100 100"}), true},
        {Wav({}), true},  // nothing but the header: the sound library says what is missing
        // A chunk of odd length has its pad byte, or lacks it as the last chunk.
        {Wav({"LIST 3 4", "data 5 5"}), true},
        {Wav({"data 0 0"}), true},
        {Wav({"fmt  16 16", "data 101 100"}), false},
        {Wav({"fmt  17 16"}), false},
        // The largest lengths must not wrap round the file's end.
        {Wav({"data 4294967295 8"}), false},
        {Wav({"data 4294967288 8"}), false},
        // A pad byte counted into the next chunk's header shifts it past the end.
        {Wav({"LIST 3 3", "data 4 4"}), false},
        // Fewer bytes than a chunk header at the end are let go; eight are a header.
        {Wav({"data 4 4", "+1"}), true},
        {Wav({"data 4 4", "+7"}), true},
        {Wav({"data 4 4", "junk 1 0"}), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WavChunksFit(c.file.data(), c.file.size()), c.fits) << &c - cases;
    }
    std::vector<uint8_t> file = Wav({"data 4 4"});
    for (size_t at : {0, 8}) {
        file[at] ^= 1;
        EXPECT_FALSE(WavChunksFit(file.data(), file.size())) << "only RIFF WAVE files fit";
        file[at] ^= 1;
    }
    EXPECT_FALSE(WavChunksFit(file.data(), 11));
    EXPECT_FALSE(WavChunksFit(nullptr, 0));
}

}  // namespace
}  // namespace volley
