#include "shell/save_file.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "shell/game.h"
#include "shell/little_endian.h"
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

// What an existing save file holds past the game's own 42 bytes.
std::vector<uint8_t> TailOf(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    if (bytes.size() <= kSaveBytes) {
        return {};
    }
    return std::vector<uint8_t>(bytes.begin() + kSaveBytes, bytes.end());
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
    std::array<uint8_t, kSaveBytes> bytes{};
    std::ifstream file(g.SaveFile, std::ios::binary);
    file.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
    DecodeSave(bytes, g);
}

bool WriteSaveData(const Game& g, std::string& error) {
    const fs::path path(g.SaveFile);
    const auto record = EncodeSave(g);
    std::vector<uint8_t> bytes(record.begin(), record.end());
    const std::vector<uint8_t> tail = TailOf(path);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return ReplaceFile(g.SaveFile, bytes, error);
}

}  // namespace volley
