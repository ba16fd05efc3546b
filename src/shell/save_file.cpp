#include "shell/save_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "shell/game.h"
#include "shell/little_endian.h"

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

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Writes all of size bytes, going on after a write that took only a part; false with errno set
// when the rest cannot be written.
bool WriteAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Makes the rename of a file in folder last through a power cut: until the folder itself is on
// the disk, the old save may come back. A failure here is not reported: the new save is in place.
void SyncFolder(const fs::path& folder) {
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// Writes all of bytes to a new file beside path, flushed to the disk, and renames it over path.
// Until the rename, the old file is untouched; whatever fails, the new file is removed again.
bool ReplaceFile(const fs::path& path, const std::vector<uint8_t>& bytes, std::string& error) {
    std::string temp = path.string() + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = SystemError("cannot write beside " + path.string());
        return false;
    }
    // The messages name the save, not the passing temporary file.
    bool ok = fchmod(fd, 0644) == 0 && WriteAll(fd, bytes.data(), bytes.size()) && fsync(fd) == 0;
    if (!ok) {
        error = SystemError("cannot write " + path.string());
    }
    if (close(fd) != 0 && ok) {
        ok = false;
        error = SystemError("cannot write " + path.string());
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        error = SystemError("cannot replace " + path.string());
    }
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    SyncFolder(path.parent_path());
    return true;
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
    std::error_code ec;
    if (path.has_parent_path()) {
        fs::create_directories(path.parent_path(), ec);
    }
    const auto record = EncodeSave(g);
    std::vector<uint8_t> bytes(record.begin(), record.end());
    const std::vector<uint8_t> tail = TailOf(path);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return ReplaceFile(path, bytes, error);
}

}  // namespace volley
