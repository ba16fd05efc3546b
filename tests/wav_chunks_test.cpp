#include "platform/wav_chunks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace volley {
namespace {

void PutText(std::vector<uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

void PutLe32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

// A RIFF WAVE header and then chunks of the given claimed and actual lengths.
struct ChunkSpec {
    std::string name;
    uint32_t claimed;
    size_t actual;
};

std::vector<uint8_t> Wav(const std::vector<ChunkSpec>& chunks) {
    std::vector<uint8_t> out;
    PutText(out, "RIFF");
    PutLe32(out, 0);  // the file's length: not relied on
    PutText(out, "WAVE");
    for (const ChunkSpec& chunk : chunks) {
        PutText(out, chunk.name);
        PutLe32(out, chunk.claimed);
        out.insert(out.end(), chunk.actual, 0x11);
    }
    return out;
}

bool Fits(const std::vector<uint8_t>& file) {
    return WavChunksFit(file.data(), file.size());
}

TEST(WavChunks, ChunksThatEndInsideTheFileFit) {
    EXPECT_TRUE(Fits(Wav({{"fmt ", 16, 16}, {"data", 100, 100}})));
    // Nothing but the header: the sound library says what is missing.
    EXPECT_TRUE(Fits(Wav({})));
    // A chunk of odd length has its pad byte, or lacks it as the last chunk.
    EXPECT_TRUE(Fits(Wav({{"LIST", 3, 4}, {"data", 5, 5}})));
    EXPECT_TRUE(Fits(Wav({{"data", 0, 0}})));
}

TEST(WavChunks, AChunkClaimingOneByteMoreThanFollowsIsRefused) {
    EXPECT_FALSE(Fits(Wav({{"fmt ", 16, 16}, {"data", 101, 100}})));
    EXPECT_FALSE(Fits(Wav({{"fmt ", 17, 16}})));
    // The largest lengths must not wrap round the file's end.
    EXPECT_FALSE(Fits(Wav({{"data", 0xFFFFFFFFu, 8}})));
    EXPECT_FALSE(Fits(Wav({{"data", 0xFFFFFFF8u, 8}})));
    // A pad byte counted into the next chunk's header shifts it past the end.
    EXPECT_FALSE(Fits(Wav({{"LIST", 3, 3}, {"data", 4, 4}})));
}

TEST(WavChunks, FewerBytesThanAChunkHeaderAtTheEndAreLetGo) {
    for (size_t extra = 1; extra < 8; ++extra) {
        std::vector<uint8_t> file = Wav({{"fmt ", 16, 16}, {"data", 4, 4}});
        file.insert(file.end(), extra, 0);
        EXPECT_TRUE(Fits(file)) << extra;
    }
    // Eight are a chunk header, which then claims what it does not have.
    std::vector<uint8_t> file = Wav({{"data", 4, 4}});
    PutText(file, "junk");
    PutLe32(file, 1);
    EXPECT_FALSE(Fits(file));
}

TEST(WavChunks, OnlyRiffWaveFilesFit) {
    std::vector<uint8_t> file = Wav({{"data", 4, 4}});
    file[0] = 'X';
    EXPECT_FALSE(Fits(file));
    file = Wav({{"data", 4, 4}});
    file[8] = 'A';
    EXPECT_FALSE(Fits(file));
    file = Wav({});
    file.pop_back();
    EXPECT_FALSE(Fits(file));
    EXPECT_FALSE(WavChunksFit(nullptr, 0));
}

}  // namespace
}  // namespace volley
