#include "shell/files.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/bmp.h"
#include "shell/game.h"
#include "shell/little_endian.h"
#include "shell/save_file.h"

namespace volley {

namespace {

constexpr size_t kRecordBytes = 8;
constexpr size_t kTableBytes = kSpriteKinds * kRecordBytes;
using DataBytes = std::array<uint8_t, 3 * kTableBytes>;

template <typename Record>
void ReadTable(const DataBytes& bytes, size_t offset, SpriteTable<Record>& table) {
    for (Record& record : table) {
        const uint8_t* p = bytes.data() + offset;
        record = Record{ReadInt16(p), ReadInt16(p + 2), ReadInt16(p + 4), ReadInt16(p + 6)};
        offset += kRecordBytes;
    }
}

void LoadDataTables(Game& g) {
    const std::string path = ProgramFile(g, "Data/Data.dat");
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw StartupError("cannot open " + path + ": " + std::strerror(errno));
    }
    DataBytes bytes{};
    file.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
    DecodeDataTables(bytes.data(), static_cast<size_t>(file.gcount()), g);
}

// The whole file and one zero byte after it; a missing file gives the lone zero byte, which plays
// as silence.
std::vector<uint8_t> LoadEffect(const Game& g, const char* relative) {
    const std::string path = ProgramFile(g, relative);
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "volley: cannot open %s (%s); that sound stays silent\n", path.c_str(),
                     std::strerror(errno));
        return std::vector<uint8_t>(1, 0);
    }
    std::vector<uint8_t> image((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    image.push_back(0);
    return image;
}

}  // namespace

void DecodeDataTables(const uint8_t* data, size_t size, Game& g) {
    // A file shorter than the three tables leaves the rest of them zero; bytes past them are not
    // read.
    DataBytes bytes{};
    std::copy_n(data, std::min(size, bytes.size()), bytes.begin());
    ReadTable(bytes, 0, g.PlayerShotTypes);
    ReadTable(bytes, kTableBytes, g.EnemyTypes);
    ReadTable(bytes, 2 * kTableBytes, g.EnemyShotTypes);
}

std::string ProgramFile(const Game& g, const char* relative) {
    return g.ProgramDir + "/" + relative;
}

void LoadFiles(Game& g) {
    LoadDataTables(g);
    LoadSaveData(g);
    g.SndHitB = LoadEffect(g, "Sound/HitB.wav");
    g.SndBom = LoadEffect(g, "Sound/Bom.wav");
    g.SndUP = LoadEffect(g, "Sound/UP.wav");
    g.SndKi = LoadEffect(g, "Sound/Ki.wav");
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
    f.ChrRuns = FindMaskRuns(f.MChr, f.Chr);
}

bool SaveData(Game& g) {
    std::string error;
    if (!WriteSaveData(g, error)) {
        std::fprintf(stderr, "volley: the game could not be saved: %s\n", error.c_str());
        return false;
    }
    return true;
}

}  // namespace volley
