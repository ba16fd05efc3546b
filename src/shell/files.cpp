#include "shell/files.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "game/game.h"
#include "platform/bmp.h"
#include "platform/little_endian.h"
#include "platform/read_file.h"
#include "shell/save_file.h"

namespace volley {

namespace {

using DataBytes = std::array<uint8_t, kDataFileBytes>;

template <typename Kind>
void ReadTable(const DataBytes& bytes, size_t offset, SpriteTable<Kind>& table) {
    for (SpriteRect& record : table) {
        const uint8_t* p = bytes.data() + offset;
        record = SpriteRect{ReadInt16(p), ReadInt16(p + 2), ReadInt16(p + 4), ReadInt16(p + 6)};
        offset += kSpriteRecordBytes;
    }
}

void LoadDataTables(Game& g) {
    const std::string path = ProgramFile(g, "Data/Data.dat");
    std::vector<uint8_t> bytes;
    std::string error;
    if (ReadWholeFile(path, kDataFileBytes, bytes, error) != ReadStatus::Read) {
        throw StartupError(error);
    }
    // Every byte of the file is a sprite rectangle: one too few or too many and the tables are
    // not the game's.
    if (bytes.size() != kDataFileBytes) {
        throw StartupError(path + " is damaged: it holds " + std::to_string(bytes.size()) +
                           " bytes, not " + std::to_string(kDataFileBytes));
    }
    DecodeDataTables(bytes.data(), bytes.size(), g);
}

// The whole file and one zero byte after it; a missing or unreadable file gives the lone zero
// byte, which plays as silence.
std::vector<uint8_t> LoadEffect(const Game& g, const char* relative) {
    const std::string path = ProgramFile(g, relative);
    std::vector<uint8_t> image;
    std::string error;
    if (ReadWholeFile(path, kMaxEffectBytes, image, error) != ReadStatus::Read) {
        std::fprintf(stderr, "volley: %s; that sound stays silent\n", error.c_str());
        image.clear();
    }
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
    ReadTable(bytes, kSpriteTableBytes, g.EnemyTypes);
    ReadTable(bytes, 2 * kSpriteTableBytes, g.EnemyShotTypes);
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
    f.ChrRuns = MaskRunsFor(f.MChr, f.Chr);
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
