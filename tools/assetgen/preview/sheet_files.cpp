#include "sheet_files.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "bmp_writer.h"
#include "file_io.h"
#include "platform/bmp.h"
#include "platform/little_endian.h"

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

int16_t Le16(const std::vector<char>& bytes, size_t offset) {
    return volley::ReadInt16(reinterpret_cast<const uint8_t*>(bytes.data() + offset));
}

}  // namespace

SheetFiles LoadSheetFiles(const std::filesystem::path& game) {
    SheetFiles files;
    files.Sheet = LoadPicture(game / "Graphics" / "Chr.bmp");
    files.Mask = LoadPicture(game / "Graphics" / "MChr.bmp");
    files.Background = LoadPicture(game / "Graphics" / "Back.bmp");
    const std::filesystem::path data = game / "Data" / "Data.dat";
    std::ifstream in(data, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    if (bytes.size() != 3 * volley::kSpriteKinds * 8) {
        throw std::runtime_error(data.string() + ": not a 2424-byte rectangle table");
    }
    size_t offset = 0;
    for (auto& table : files.Tables) {
        for (volley::SpriteRect& rect : table) {
            rect = {Le16(bytes, offset), Le16(bytes, offset + 2), Le16(bytes, offset + 4),
                    Le16(bytes, offset + 6)};
            offset += 8;
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
