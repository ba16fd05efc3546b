#include "shell/files.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "platform/bmp.h"
#include "shell/game.h"

namespace volley {

namespace {

constexpr size_t kRecordBytes = 8;

int16_t ReadInt16(const uint8_t* p) {
    return static_cast<int16_t>(p[0] | (p[1] << 8));
}

template <typename Record>
void ReadTable(const std::array<uint8_t, 3 * kSpriteKinds * kRecordBytes>& bytes, size_t offset,
               SpriteTable<Record>& table) {
    for (Record& record : table) {
        const uint8_t* p = bytes.data() + offset;
        record = Record{ReadInt16(p), ReadInt16(p + 2), ReadInt16(p + 4), ReadInt16(p + 6)};
        offset += kRecordBytes;
    }
}

}  // namespace

std::string ProgramFile(const Game& g, const char* relative) {
    return g.ProgramDir + "/" + relative;
}

void LoadFiles(Game& g) {
    const std::string path = ProgramFile(g, "Data/Data.dat");
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw StartupError("cannot open " + path + ": " + std::strerror(errno));
    }
    // A file shorter than the three tables leaves the rest of them zero.
    std::array<uint8_t, 3 * kSpriteKinds * kRecordBytes> bytes{};
    file.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
    const size_t tableBytes = kSpriteKinds * kRecordBytes;
    ReadTable(bytes, 0, g.PlayerShotTypes);
    ReadTable(bytes, tableBytes, g.EnemyTypes);
    ReadTable(bytes, 2 * tableBytes, g.EnemyShotTypes);
}

void LoadPictures(Game& g) {
    Form& f = g.Form1;
    const std::pair<const char*, Surface*> pictures[] = {
        {"Graphics/Back.bmp", &f.Picture1}, {"Graphics/SBar.bmp", &f.SBar},
        {"Graphics/Chr.bmp", &f.Chr},       {"Graphics/MChr.bmp", &f.MChr},
        {"Graphics/Icon.bmp", &f.Icon},
    };
    for (const auto& [relative, surface] : pictures) {
        std::string error;
        if (!LoadBmp(ProgramFile(g, relative), *surface, error)) {
            throw StartupError(error);
        }
    }
}

// The save file is not kept yet.
void SaveData(Game&) {}

}  // namespace volley
