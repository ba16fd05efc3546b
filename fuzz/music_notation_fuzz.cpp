// Damaged music sources: the bytes are the text of a .mml file, compiled by assetgen into a
// Standard MIDI File. Any text must either be refused with assetgen's one-line AssetError or give
// a well-formed file: a format 1 header, then one track per part after the conductor, each made of
// whole events (notes, controllers, programs and pitch bends) whose data bytes stay below 0x80,
// ending together at the piece's loop point.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "asset_error.h"
#include "mml_compiler.h"
#include "mml_syntax.h"

namespace {

void Require(bool promise) {
    if (!promise) {
        __builtin_trap();
    }
}

// Reads a well-formed Standard MIDI File as assetgen writes it, trapping at the first fault.
class SmfChecker {
  public:
    explicit SmfChecker(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    void Check(size_t trackCount, uint32_t endTick) {
        Require(Text(4) == "MThd");
        Require(Big(4) == 6);
        Require(Big(2) == 1);
        Require(Big(2) == trackCount);
        Require(Big(2) == assetgen::kTicksPerQuarter);
        for (size_t i = 0; i < trackCount; ++i) {
            Require(Text(4) == "MTrk");
            const uint32_t length = Big(4);
            const size_t end = pos_ + length;
            Require(end <= bytes_.size());
            Require(TrackLength(end) == endTick);
        }
        Require(pos_ == bytes_.size());
    }

  private:
    // The track's events up to its end-of-track event, which must close it exactly.
    uint64_t TrackLength(size_t end) {
        uint64_t tick = 0;
        while (true) {
            tick += VarLen();
            const uint8_t status = Byte();
            if (status == 0xFF) {
                const uint8_t type = Byte();
                const uint32_t length = VarLen();
                Require(length <= end - pos_);
                pos_ += length;
                if (type == 0x2F) {
                    Require(length == 0 && pos_ == end);
                    return tick;
                }
                continue;
            }
            const uint8_t kind = status & 0xF0;
            Require(kind == 0x80 || kind == 0x90 || kind == 0xB0 || kind == 0xC0 || kind == 0xE0);
            const int dataBytes = kind == 0xC0 ? 1 : 2;
            for (int i = 0; i < dataBytes; ++i) {
                Require(Byte() < 0x80);
            }
            Require(pos_ < end);
        }
    }

    uint32_t VarLen() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t b = Byte();
            value = (value << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) {
                return value;
            }
        }
        __builtin_trap();  // a MIDI number has at most four bytes
    }

    uint32_t Big(int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            value = (value << 8) | Byte();
        }
        return value;
    }

    std::string Text(size_t count) {
        Require(count <= bytes_.size() - pos_);
        std::string text(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                         bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + count));
        pos_ += count;
        return text;
    }

    uint8_t Byte() {
        Require(pos_ < bytes_.size());
        return bytes_[pos_++];
    }

    const std::vector<uint8_t>& bytes_;
    size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    assetgen::CompiledMusic music;
    try {
        music = assetgen::CompileMusic(text, "fuzz.mml");
    } catch (const assetgen::AssetError& refused) {
        Require(std::string_view(refused.what()).starts_with("fuzz.mml:"));
        return 0;
    }
    Require(music.EndTick > 0);
    SmfChecker(assetgen::EncodeMusic(music)).Check(music.Tracks.size(), music.EndTick);
    return 0;
}
