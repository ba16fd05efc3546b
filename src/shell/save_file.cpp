#include "shell/save_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "game/game.h"
#include "platform/little_endian.h"
#include "platform/read_file.h"
#include "shell/replace_file.h"

namespace volley {

namespace fs = std::filesystem;

namespace {

std::string UserDataDir() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/share";
}

}  // namespace

std::string ChooseSaveFile(const std::string& programDir, const std::string& givenPath) {
    if (!givenPath.empty()) {
        return givenPath;
    }
    const std::string dataDir = programDir + "/Data";
    if (access(dataDir.c_str(), W_OK) == 0) {
        return dataDir + "/SaveData.dat";
    }
    return UserSaveFile();
}

std::string UserSaveFile() {
    return UserDataDir() + "/volley/SaveData.dat";
}

std::array<uint8_t, kSaveBytes> EncodeSave(const Game& g) {
    std::array<uint8_t, kSaveBytes> bytes{};
    uint8_t* p = WriteInt16(bytes.data(), g.MaxStage);
    p = WriteInt32(p, g.TotalScore);
    for (int32_t score : g.HiScores) {
        p = WriteInt32(p, score);
    }
    return bytes;
}

void DecodeSave(const std::array<uint8_t, kSaveBytes>& bytes, Game& g) {
    const uint8_t* p = bytes.data();
    g.MaxStage = ReadInt16(p);
    g.TotalScore = ReadInt32(p + 2);
    for (size_t i = 0; i < g.HiScores.size(); ++i) {
        g.HiScores[i] = ReadInt32(p + 6 + 4 * i);
    }
    // A damaged file must not open stages that do not exist.
    g.MaxStage = std::clamp<int16_t>(g.MaxStage, 1, kStageCount);
}

void LoadSaveData(Game& g) {
    std::vector<uint8_t> file;
    std::string error;
    // Never read through a link: whatever it points at would be copied into the next save.
    switch (ReadWholeFile(g.SaveFile, kSaveBytes + kMaxSaveTailBytes, file, error, Links::Refuse)) {
        case ReadStatus::Missing: file.clear(); break;
        case ReadStatus::Refused: throw StartupError(error + " (the save was left as it is)");
        case ReadStatus::Read: break;
    }
    std::array<uint8_t, kSaveBytes> record{};
    std::copy_n(file.begin(), std::min(file.size(), kSaveBytes), record.begin());
    DecodeSave(record, g);
    g.SaveTail.assign(file.begin() + static_cast<std::ptrdiff_t>(std::min(file.size(), kSaveBytes)),
                      file.end());
}

bool SaveIsReadOnly(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0;
}

bool WriteSaveData(const Game& g, std::string& error) {
    // A save the player made read-only is theirs to keep as it is.
    if (SaveIsReadOnly(g.SaveFile)) {
        error = g.SaveFile + " is read-only; it was left as it is";
        return false;
    }
    const auto record = EncodeSave(g);
    std::vector<uint8_t> bytes(record.begin(), record.end());
    bytes.insert(bytes.end(), g.SaveTail.begin(), g.SaveTail.end());
    return ReplaceFile(g.SaveFile, bytes, error);
}

}  // namespace volley
