// The eleven pieces as the game's player will read them, parsed here independently of the writer,
// and the whole of the sound built twice to the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "assetgen_test_support.h"
#include "audio_build.h"

namespace assetgen {
namespace {

namespace fs = std::filesystem;
using assetgen_test::ReadBytes;

const fs::path kAssets = VOLLEY_ASSETS_DIR;
const fs::path kGame = VOLLEY_GAME_DIR;

uint32_t Be(const std::vector<uint8_t>& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = (value << 8) | bytes.at(at + i);
    }
    return value;
}

// What the checks need to know about a file: every sounding note and the tempo map.
struct PieceFacts {
    int Format = -1;
    int Division = 0;
    std::set<int> ChannelsWithNotes;
    uint32_t LastRelease = 0;
    std::vector<uint32_t> TrackEnds;
    std::map<uint32_t, uint32_t> Tempi;  // tick -> microseconds per quarter
    int UnmatchedNotes = 0;
};

class SmfReader {
  public:
    explicit SmfReader(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    PieceFacts Read() {
        EXPECT_EQ(std::string(bytes_.begin(), bytes_.begin() + 4), "MThd");
        facts_.Format = static_cast<int>(Be(bytes_, 8, 2));
        const uint32_t tracks = Be(bytes_, 10, 2);
        facts_.Division = static_cast<int>(Be(bytes_, 12, 2));
        pos_ = 14;
        for (uint32_t i = 0; i < tracks; ++i) {
            EXPECT_EQ(std::string(bytes_.begin() + pos_, bytes_.begin() + pos_ + 4), "MTrk");
            const size_t end = pos_ + 8 + Be(bytes_, pos_ + 4, 4);
            pos_ += 8;
            ReadTrack(end);
            EXPECT_EQ(pos_, end) << "track " << i << " overruns its length";
            pos_ = end;
        }
        EXPECT_EQ(pos_, bytes_.size());
        return facts_;
    }

  private:
    uint32_t VarLen() {
        uint32_t value = 0;
        uint8_t byte = 0;
        do {
            byte = bytes_.at(pos_++);
            value = (value << 7) | (byte & 0x7F);
        } while (byte & 0x80);
        return value;
    }

    void ReadTrack(size_t end) {
        uint32_t tick = 0;
        uint8_t status = 0;
        std::map<int, int> sounding;  // channel * 128 + key -> open strikes
        while (pos_ < end) {
            tick += VarLen();
            if (bytes_.at(pos_) & 0x80) {
                status = bytes_.at(pos_++);
            }
            if (status == 0xFF) {
                const uint8_t type = bytes_.at(pos_++);
                const uint32_t length = VarLen();
                if (type == 0x51) {
                    facts_.Tempi[tick] = Be(bytes_, pos_, 3);
                }
                pos_ += length;
                if (type == 0x2F) {
                    facts_.TrackEnds.push_back(tick);
                    break;
                }
                continue;
            }
            const int kind = status & 0xF0, channel = status & 0x0F;
            const int data = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            const int key = bytes_.at(pos_), velocity = data == 2 ? bytes_.at(pos_ + 1) : 0;
            pos_ += data;
            if (kind == 0x90 && velocity > 0) {
                ++sounding[channel * 128 + key];
                facts_.ChannelsWithNotes.insert(channel + 1);
            } else if (kind == 0x80 || kind == 0x90) {
                facts_.UnmatchedNotes += sounding[channel * 128 + key]-- > 0 ? 0 : 1;
                facts_.LastRelease = std::max(facts_.LastRelease, tick);
            }
        }
        for (const auto& [note, open] : sounding) {
            facts_.UnmatchedNotes += open;
        }
    }

    std::vector<uint8_t> bytes_;
    size_t pos_ = 0;
    PieceFacts facts_;
};

double SecondsAt(const PieceFacts& facts, uint32_t tick) {
    double seconds = 0;
    uint32_t from = 0, micros = 500000;  // 120 per minute until told otherwise
    for (const auto& [at, tempo] : facts.Tempi) {
        if (at >= tick) {
            break;
        }
        seconds += (at - from) * (micros / 1e6) / facts.Division;
        from = at;
        micros = tempo;
    }
    return seconds + (tick - from) * (micros / 1e6) / facts.Division;
}

TEST(AssetgenAudioMusic, EveryPieceIsAFullLoopingArrangement) {
    for (const char* name : kMusicNames) {
        SCOPED_TRACE(name);
        const PieceFacts facts =
            SmfReader(ReadBytes(kGame / "Music" / (std::string(name) + ".mid"))).Read();
        EXPECT_EQ(facts.Format, 1);
        EXPECT_GE(facts.ChannelsWithNotes.size(), 4u);
        EXPECT_EQ(facts.ChannelsWithNotes.count(10), 1u) << "no drums";
        EXPECT_EQ(facts.UnmatchedNotes, 0);
        ASSERT_FALSE(facts.TrackEnds.empty());
        const uint32_t loop = *std::max_element(facts.TrackEnds.begin(), facts.TrackEnds.end());
        for (uint32_t end : facts.TrackEnds) {
            EXPECT_EQ(end, loop) << "a track ends before the loop point";
        }
        EXPECT_LE(facts.LastRelease, loop);
        const double seconds = SecondsAt(facts, loop);
        EXPECT_GE(seconds, 60.0);
        EXPECT_LE(seconds, 120.0);
    }
}

TEST(AssetgenAudioMusic, PiecesDifferInTempo) {
    std::set<uint32_t> openingTempi;
    for (const char* name : kMusicNames) {
        const PieceFacts facts =
            SmfReader(ReadBytes(kGame / "Music" / (std::string(name) + ".mid"))).Read();
        ASSERT_FALSE(facts.Tempi.empty()) << name;
        openingTempi.insert(facts.Tempi.begin()->second);
    }
    EXPECT_GE(openingTempi.size(), 8u);
}

TEST(AssetgenAudioMusic, TwoBuildsGiveIdenticalBytesAndMatchTheGameFolder) {
    const std::vector<OutputFile> first = BuildAudio(kAssets);
    const std::vector<OutputFile> second = BuildAudio(kAssets);
    ASSERT_EQ(first.size(), kEffectNames.size() + kMusicNames.size());
    ASSERT_EQ(second.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].Path, second[i].Path);
        EXPECT_TRUE(first[i].Bytes == second[i].Bytes) << first[i].Path;
        EXPECT_TRUE(ReadBytes(kGame / first[i].Path) == first[i].Bytes)
            << first[i].Path << " in the runnable folder is stale";
    }
}

}  // namespace
}  // namespace assetgen
