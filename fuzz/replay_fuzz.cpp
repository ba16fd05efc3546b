// Damaged replays: the bytes go to DecodeReplay, the reader of recorded games. Each input is read
// twice: as it is, when a checksum that does not match is the likely refusal, and with its last
// four bytes made the right checksum, so that the fuzzer reaches the parsing behind it. A replay
// that is refused must say why in one line; one that is read must write back no longer than it
// came, read again the same, and start a game within the stages.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "game/game.h"
#include "platform/crc32.h"
#include "platform/headless.h"
#include "replay/replay_file.h"
#include "shell/save_file.h"

namespace {

using namespace volley;

constexpr size_t kCrcBytes = 4;

void Require(bool promise) {
    if (!promise) {
        __builtin_trap();
    }
}

void Check(std::span<const uint8_t> bytes) {
    Replay replay;
    std::string error;
    if (!DecodeReplay(bytes, replay, error)) {
        Require(!error.empty() && error.find('\n') == std::string::npos);
        return;
    }
    // Runs of equal values merge and numbers take their shortest form, so writing back never
    // makes the file longer, and a replay written back reads as itself.
    const std::vector<uint8_t> written = EncodeReplay(replay);
    Require(written.size() <= bytes.size());
    Replay again;
    Require(DecodeReplay(written, again, error));
    Require(EncodeReplay(again) == written);
    Require(again.Seed == replay.Seed && again.SaveImage == replay.SaveImage &&
            again.Outcome == replay.Outcome);

    // A playback starts from the replay's save image.
    static HeadlessPlatform platform;
    auto game = std::make_unique<Game>(platform.Services(), "");
    DecodeSave(replay.SaveImage, *game);
    Require(game->MaxStage >= 1 && game->MaxStage <= kStageCount);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    Check(bytes);
    if (size >= kCrcBytes) {
        std::vector<uint8_t> sealed(bytes.begin(), bytes.end());
        const uint32_t crc = Crc32(bytes.first(size - kCrcBytes));
        for (size_t i = 0; i < kCrcBytes; ++i) {
            sealed[size - kCrcBytes + i] = static_cast<uint8_t>(crc >> (8 * i));
        }
        Check(sealed);
    }
    return 0;
}
