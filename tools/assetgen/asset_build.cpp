#include "asset_build.h"

#include "audio_build.h"
#include "background.h"
#include "bmp_writer.h"
#include "data_table.h"
#include "explosion.h"
#include "file_io.h"
#include "gauge.h"
#include "icon.h"
#include "params.h"
#include "pixel_art.h"
#include "shape_art.h"
#include "sprite_sheet.h"

namespace assetgen {

namespace fs = std::filesystem;

namespace {

Params ReadParams(const fs::path& path) {
    return Params::Parse(ReadSourceFile(path), path.string());
}

Image PaintBackdrop(const fs::path& assets) {
    const StarFieldRecipe recipe = ReadStarFieldRecipe(ReadParams(assets / "backdrop.txt"));
    return PaintStarField(recipe, kBackdropWidth, kBackdropHeight);
}

IndexedImage PaintIcon(const fs::path& assets, const std::vector<Sprite>& sprites) {
    const fs::path path = assets / "icon.txt";
    const Params params = ReadParams(path);
    const std::string name = params.Word("sprite");
    params.RejectUnread();
    for (const Sprite& sprite : sprites) {
        if (sprite.Name == name) {
            return MakeIcon(sprite);
        }
    }
    FailAt(params.PlaceOf("sprite"), "no sprite is named '" + name + "'");
}

std::vector<uint8_t> EncodeRectTables(const fs::path& assets, const std::vector<Sprite>& sprites) {
    const fs::path path = assets / "sprite_rects.txt";
    return EncodeDataFile(ParseRectTables(ReadSourceFile(path), path.string(), sprites));
}

}  // namespace

std::vector<Sprite> LoadSprites(const fs::path& assets) {
    std::vector<Sprite> sprites;
    for (const fs::path& path : ListSourceFiles(assets / "sprites", ".txt")) {
        std::vector<Sprite> drawn = ParsePixelArt(ReadSourceFile(path), path.string());
        sprites.insert(sprites.end(), drawn.begin(), drawn.end());
    }
    for (const fs::path& path : ListSourceFiles(assets / "shapes", ".txt")) {
        std::vector<Sprite> painted = ParseShapeArt(ReadSourceFile(path), path.string());
        sprites.insert(sprites.end(), painted.begin(), painted.end());
    }
    for (const fs::path& path : ListSourceFiles(assets / "explosions", ".txt")) {
        std::vector<Sprite> frames = PaintExplosion(ReadExplosionRecipe(ReadParams(path)));
        sprites.insert(sprites.end(), frames.begin(), frames.end());
    }
    return sprites;
}

std::vector<OutputFile> BuildAssets(const fs::path& assets) {
    const std::vector<Sprite> sprites = LoadSprites(assets);
    const SpriteSheet sheet = ComposeSheet(sprites, kSheetWidth, kSheetHeight);
    std::vector<OutputFile> files;
    files.push_back({"Graphics/Back.bmp", EncodeBmp24(PaintBackdrop(assets))});
    files.push_back({"Graphics/SBar.bmp", EncodeBmp24(PaintGaugeBar())});
    files.push_back({"Graphics/Chr.bmp", EncodeBmp24(sheet.Colours)});
    files.push_back({"Graphics/MChr.bmp", EncodeBmp1(MaskBits(sheet))});
    files.push_back({"Graphics/Icon.bmp", EncodeBmp8(PaintIcon(assets, sprites))});
    files.push_back({"Data/Data.dat", EncodeRectTables(assets, sprites)});
    return files;
}

std::vector<OutputFile> BuildAllAssets(const fs::path& assets) {
    std::vector<OutputFile> files = BuildAssets(assets);
    std::vector<OutputFile> audio = BuildAudio(assets);
    files.insert(files.end(), std::make_move_iterator(audio.begin()),
                 std::make_move_iterator(audio.end()));
    return files;
}

void WriteAssets(const std::vector<OutputFile>& files, const fs::path& output) {
    for (const char* folder : kEmptyFolders) {
        MakeFolder(output / folder);
    }
    for (const OutputFile& file : files) {
        ReplaceFile(output / file.Path, file.Bytes);
    }
}

}  // namespace assetgen
