#include "sheet_files.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "bmp_writer.h"
#include "file_io.h"
#include "platform/bmp.h"
#include "platform/little_endian.h"
#include "platform/read_file.h"

namespace assetgen_preview {
namespace {

volley::Surface LoadPicture(const std::filesystem::path& path) {
    volley::Surface surface;
    std::string error;
    if (!volley::LoadBmp(path.string(), surface, error)) {
        throw std::runtime_error(path.string() + ": " + error);
    }
    return surface;
}

}  // namespace

SheetFiles LoadSheetFiles(const std::filesystem::path& game) {
    SheetFiles files;
    files.Sheet = LoadPicture(game / "Graphics" / "Chr.bmp");
    files.Mask = LoadPicture(game / "Graphics" / "MChr.bmp");
    files.Background = LoadPicture(game / "Graphics" / "Back.bmp");
    const std::filesystem::path data = game / "Data" / "Data.dat";
    std::vector<uint8_t> bytes;
    std::string error;
    if (volley::ReadWholeFile(data.string(), volley::kDataFileBytes, bytes, error) !=
        volley::ReadStatus::Read) {
        throw std::runtime_error(error);
    }
    if (bytes.size() != volley::kDataFileBytes) {
        throw std::runtime_error(data.string() + ": not a whole table of sprite rectangles");
    }
    const uint8_t* p = bytes.data();
    for (auto& table : files.Tables) {
        for (volley::SpriteRect& rect : table) {
            rect = {volley::ReadInt16(p), volley::ReadInt16(p + 2), volley::ReadInt16(p + 4),
                    volley::ReadInt16(p + 6)};
            p += volley::kSpriteRecordBytes;
        }
    }
    return files;
}

void SaveSurface(const volley::Surface& surface, const std::filesystem::path& path) {
    assetgen::Image image(surface.Width, surface.Height);
    for (int y = 0; y < surface.Height; ++y) {
        for (int x = 0; x < surface.Width; ++x) {
            const volley::Pixel p = surface.At(x, y);
            image.At(x, y) = {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                              static_cast<uint8_t>(p)};
        }
    }
    assetgen::ReplaceFile(path, assetgen::EncodeBmp24(image));
}

}  // namespace assetgen_preview
