// Damaged save files through the game's own load path: the bytes are written to a file and read
// with LoadSaveData, as at start-up. Whatever they hold, the unlocked stages stay within the
// eight, every other value is read as stored, the title's labels can show them and a game's
// score folds into the high scores and their total without overflowing.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <numeric>
#include <string>

#include "display/labels.h"
#include "game/game.h"
#include "platform/headless.h"
#include "platform/little_endian.h"
#include "shell/save_file.h"
#include "shell/scenes.h"

namespace {

using namespace volley;

// One file for the whole run, removed when the run ends normally.
class ScratchFile {
  public:
    ScratchFile() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "volley-save-fuzz-XXXXXX").string();
        const int fd = mkstemp(pattern.data());
        if (fd < 0) {
            std::perror("volley-save-fuzz: cannot make a scratch file");
            std::abort();
        }
        close(fd);
        path_ = pattern;
    }
    ~ScratchFile() { unlink(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return path_; }

    void Write(const uint8_t* data, size_t size) const {
        FILE* file = std::fopen(path_.c_str(), "wb");
        if (file == nullptr || (size != 0 && std::fwrite(data, 1, size, file) != size) ||
            std::fclose(file) != 0) {
            std::perror("volley-save-fuzz: cannot write the scratch file");
            std::abort();
        }
    }

  private:
    std::string path_;
};

// A violated promise of the loader: stop here, so that the fuzzer keeps the input.
void Require(bool promise) {
    if (!promise) {
        __builtin_trap();
    }
}

// What the loader must have read: the file's first 42 bytes, zeros for what it lacks.
std::array<uint8_t, kSaveBytes> Expected(const uint8_t* data, size_t size) {
    std::array<uint8_t, kSaveBytes> bytes{};
    std::copy_n(data, std::min(size, bytes.size()), bytes.begin());
    return bytes;
}

// The table's sum as the title shows it: held to what the saved 32-bit total can store.
int32_t ClampedSum(const std::array<int32_t, kStageCount + 1>& scores) {
    const int64_t sum = std::accumulate(scores.begin(), scores.end(), int64_t{0});
    return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchFile scratch;
    static HeadlessPlatform platform;
    scratch.Write(data, size);

    auto game = std::make_unique<Game>(platform.Services(), "");
    Game& g = *game;
    g.SaveFile = scratch.Path();
    LoadSaveData(g);
    Require(g.MaxStage >= 1 && g.MaxStage <= kStageCount);

    // Everything but the stage limit comes back byte for byte, and the limit is the stored one
    // whenever that was a stage of the game.
    const std::array<uint8_t, kSaveBytes> stored = Expected(data, size);
    const std::array<uint8_t, kSaveBytes> reencoded = EncodeSave(g);
    Require(std::equal(stored.begin() + 2, stored.end(), reencoded.begin() + 2));
    const int16_t storedStage = ReadInt16(stored.data());
    Require(storedStage < 1 || storedStage > kStageCount || storedStage == g.MaxStage);
    // What lies past the record is carried as it is, to be written back at the end.
    const size_t tail = size > kSaveBytes ? size - kSaveBytes : 0;
    Require(g.SaveTail.size() == tail &&
            std::equal(g.SaveTail.begin(), g.SaveTail.end(), data + (size - tail)));

    // The title screen shows the total and each unlocked stage's high score.
    for (int16_t stage = 1; stage <= g.MaxStage; ++stage) {
        g.Stage = stage;
        g.LabelDirty[LabelId::TotalScore] = g.LabelDirty[LabelId::TitleStage] =
            g.LabelDirty[LabelId::TitleHiScore] = true;
        RefreshLabels(g);
    }

    // A game of every unlocked stage ends just above its high score; the total then sums the
    // table, whatever damaged values sit beside it.
    for (int16_t stage = 1; stage <= g.MaxStage; ++stage) {
        if (g.HiScores[stage] == INT32_MAX) {
            continue;  // nothing beats it
        }
        g.Stage = stage;
        g.Score = g.HiScores[stage] + 1;
        UpdateHiScore(g);
        Require(g.HiScores[stage] == g.Score);
        Require(g.TotalScore == ClampedSum(g.HiScores));
    }
    return 0;
}
