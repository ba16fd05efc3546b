// The generated files as the game will see them: the sources in assets/ built end to end, and the
// copies the build put in the runnable folder read back with the game's own bitmap reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "asset_build.h"
#include "assetgen_test_support.h"
#include "data_table.h"
#include "platform/bmp.h"
#include "sprite_sheet.h"

namespace assetgen {
namespace {

namespace fs = std::filesystem;
using assetgen_test::ErrorOf;
using assetgen_test::Le16;
using assetgen_test::Le32;
using assetgen_test::ReadBytes;
using assetgen_test::ScratchFolder;
using assetgen_test::WriteText;

const fs::path kAssets = VOLLEY_ASSETS_DIR;
const fs::path kGame = VOLLEY_GAME_DIR;

volley::Surface LoadGamePicture(const std::string& name) {
    volley::Surface surface;
    std::string error;
    EXPECT_TRUE(volley::LoadBmp((kGame / "Graphics" / name).string(), surface, error))
        << name << ": " << error;
    return surface;
}

const Sprite* SpriteAtCell(const std::vector<Sprite>& sprites, int x, int y) {
    for (const Sprite& sprite : sprites) {
        if (sprite.X == x && sprite.Y == y) {
            return &sprite;
        }
    }
    return nullptr;
}

// Columns holding at least one opaque pixel: how wide the sprite looks.
int OpaqueWidth(const Sprite& sprite) {
    int columns = 0;
    for (int x = 0; x < sprite.Width(); ++x) {
        bool any = false;
        for (int y = 0; y < sprite.Height(); ++y) {
            any = any || sprite.Opaque.At(x, y);
        }
        columns += any ? 1 : 0;
    }
    return columns;
}

bool IsMirrorOf(const Sprite& a, const Sprite& b) {
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            const int flipped = b.Width() - 1 - x;
            if (a.Opaque.At(x, y) != b.Opaque.At(flipped, y) ||
                a.Colours.At(x, y) != b.Colours.At(flipped, y)) {
                return false;
            }
        }
    }
    return true;
}

TEST(AssetgenOutputs, TwoRunsGiveIdenticalBytesAndMatchTheBuild) {
    const std::vector<OutputFile> first = BuildAssets(kAssets);
    const std::vector<OutputFile> second = BuildAssets(kAssets);
    ASSERT_EQ(first.size(), 6u);
    ASSERT_EQ(second.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].Path, second[i].Path);
        EXPECT_TRUE(first[i].Bytes == second[i].Bytes) << first[i].Path;
        EXPECT_TRUE(ReadBytes(kGame / first[i].Path) == first[i].Bytes)
            << first[i].Path << " in the runnable folder is stale";
    }
    EXPECT_TRUE(fs::is_directory(kGame / "Sound"));
    EXPECT_TRUE(fs::is_directory(kGame / "Music"));
}

TEST(AssetgenOutputs, MaskFollowsTheSpritesOwnTransparency) {
    const volley::Surface sheet = LoadGamePicture("Chr.bmp");
    const volley::Surface mask = LoadGamePicture("MChr.bmp");
    ASSERT_EQ(sheet.Width, kSheetWidth);
    ASSERT_EQ(sheet.Height, kSheetHeight);
    ASSERT_EQ(mask.Width, kSheetWidth);
    ASSERT_EQ(mask.Height, kSheetHeight);
    volley::Surface expected_mask(kSheetWidth, kSheetHeight, volley::kWhite);
    for (const Sprite& sprite : LoadSprites(kAssets)) {
        for (int y = 0; y < sprite.Height(); ++y) {
            for (int x = 0; x < sprite.Width(); ++x) {
                if (sprite.Opaque.At(x, y)) {
                    expected_mask.At(sprite.X + x, sprite.Y + y) = volley::kBlack;
                }
            }
        }
    }
    for (int y = 0; y < kSheetHeight; ++y) {
        for (int x = 0; x < kSheetWidth; ++x) {
            ASSERT_EQ(mask.At(x, y), expected_mask.At(x, y)) << "mask at " << x << "," << y;
            if (mask.At(x, y) == volley::kWhite) {
                ASSERT_EQ(sheet.At(x, y), volley::kBlack) << "sheet at " << x << "," << y;
            }
        }
    }
}

TEST(AssetgenOutputs, ShipFramesBankAwayFromLevelFlight) {
    const std::vector<Sprite> sprites = LoadSprites(kAssets);
    const Sprite* frames[5] = {};
    for (int i = 0; i < 5; ++i) {
        frames[i] = SpriteAtCell(sprites, 32 * i, 0);
        ASSERT_NE(frames[i], nullptr) << "ship frame " << i;
        ASSERT_EQ(frames[i]->Width(), 32);
        ASSERT_EQ(frames[i]->Height(), 32);
    }
    EXPECT_TRUE(IsMirrorOf(*frames[2], *frames[2])) << "level flight is symmetric";
    EXPECT_TRUE(IsMirrorOf(*frames[0], *frames[4]));
    EXPECT_TRUE(IsMirrorOf(*frames[1], *frames[3]));
    EXPECT_LT(OpaqueWidth(*frames[0]), OpaqueWidth(*frames[1]));
    EXPECT_LT(OpaqueWidth(*frames[1]), OpaqueWidth(*frames[2]));
    // The ship points up: its nose is the topmost opaque pixel, on the middle columns.
    EXPECT_TRUE(frames[2]->Opaque.At(15, 1) || frames[2]->Opaque.At(16, 1));
    for (int x = 0; x < 32; ++x) {
        EXPECT_FALSE(frames[2]->Opaque.At(x, 0));
    }
}

TEST(AssetgenOutputs, ExplosionFillsSevenCellsOfTheSecondRow) {
    const std::vector<Sprite> sprites = LoadSprites(kAssets);
    for (int i = 0; i < 7; ++i) {
        const Sprite* frame = SpriteAtCell(sprites, 32 * i, 32);
        ASSERT_NE(frame, nullptr) << "explosion frame " << i;
        EXPECT_EQ(frame->Width(), 32);
        EXPECT_EQ(frame->Height(), 32);
        EXPECT_GT(OpaqueWidth(*frame), 4) << "explosion frame " << i;
    }
    EXPECT_EQ(SpriteAtCell(sprites, 224, 32), nullptr);
}

TEST(AssetgenOutputs, GaugeBackdropAndIconHaveTheirShapes) {
    const volley::Surface bar = LoadGamePicture("SBar.bmp");
    ASSERT_EQ(bar.Width, 305);
    ASSERT_EQ(bar.Height, 90);
    // Shaded, but red down to row 45 and blue from row 46.
    for (const auto& [x, y] : {std::pair{0, 0}, {304, 45}, {0, 46}, {304, 89}}) {
        const volley::Pixel pixel = bar.At(x, y);
        const uint32_t red = pixel >> 16, blue = pixel & 0xFF;
        EXPECT_TRUE(y <= 45 ? red > 2 * blue : blue > 2 * red) << x << "," << y;
    }

    const volley::Surface sky = LoadGamePicture("Back.bmp");
    ASSERT_EQ(sky.Width, 130);
    ASSERT_EQ(sky.Height, 130);
    for (const volley::Pixel pixel : sky.Pixels) {
        // Well short of the white of the game's moving stars.
        ASSERT_LT(std::max({pixel >> 16, (pixel >> 8) & 0xFF, pixel & 0xFF}), 0xC0u);
    }

    const std::vector<uint8_t> icon_file = ReadBytes(kGame / "Graphics" / "Icon.bmp");
    ASSERT_GE(icon_file.size(), 54u + 1024u);
    EXPECT_EQ(Le16(icon_file, 28), 8);
    EXPECT_EQ(Le32(icon_file, 46), 256u);
    EXPECT_EQ(Le32(icon_file, 54), 0u) << "palette entry 0 is black";
    const volley::Surface icon = LoadGamePicture("Icon.bmp");
    ASSERT_EQ(icon.Width, 32);
    ASSERT_EQ(icon.Height, 32);
    EXPECT_EQ(icon.At(0, 0), volley::kBlack);
    EXPECT_NE(icon.At(16, 16), volley::kBlack);
}

TEST(AssetgenOutputs, DataFileHoldsTheSheetsRectangles) {
    const std::vector<uint8_t> data = ReadBytes(kGame / "Data" / "Data.dat");
    ASSERT_EQ(data.size(), 2424u);
    // EnemyTypes(31), the final boss, at 808 + 31 x 8: on the sheet and at least 96 px wide.
    EXPECT_GE(Le16(data, 808 + 31 * 8 + 4), 96);
    EXPECT_LE(Le16(data, 808 + 31 * 8) + Le16(data, 808 + 31 * 8 + 4), kSheetWidth);
    // EnemyShotTypes(4), the 50-damage shot, in the shot band at the bottom.
    EXPECT_GE(Le16(data, 1616 + 4 * 8 + 2), 352);
    // PlayerShotTypes(1) is never fired and stays empty.
    EXPECT_EQ(Le16(data, 8 + 4), 0);
}

class AssetgenFailures : public ::testing::Test {
  protected:
    void SetUp() override { fs::copy(kAssets, Sources(), fs::copy_options::recursive); }
    fs::path Sources() const { return scratch_.Path() / "assets"; }
    fs::path Output() const { return scratch_.Path() / "game"; }

    ScratchFolder scratch_;
};

TEST_F(AssetgenFailures, MissingSourceIsNamed) {
    fs::remove(Sources() / "backdrop.txt");
    EXPECT_NE(ErrorOf([&] { BuildAssets(Sources()); }).find("backdrop.txt: cannot open"),
              std::string::npos);
    fs::remove_all(Sources() / "sprites");
    EXPECT_NE(ErrorOf([&] { BuildAssets(Sources()); }).find("sprites: the folder is missing"),
              std::string::npos);
}

TEST_F(AssetgenFailures, BadLineInAnyFileNamesFileAndLine) {
    WriteText(Sources() / "sprite_rects.txt", "# enemies\nEnemyTypes 1 380 0 8 8\n");
    EXPECT_NE(ErrorOf([&] { BuildAssets(Sources()); }).find("sprite_rects.txt:2: rectangle"),
              std::string::npos);
    WriteText(Sources() / "sprite_rects.txt", "");
    WriteText(Sources() / "sprites" / "zz_broken.txt",
              "colour a ff0000\nsprite dot 0 480 1 1\nb\nend\n");
    EXPECT_NE(ErrorOf([&] { BuildAssets(Sources()); }).find("zz_broken.txt:3: character 'b'"),
              std::string::npos);
}

TEST_F(AssetgenFailures, SpritesFromSeveralFilesMustNotShareCells) {
    WriteText(Sources() / "sprites" / "zz_extra.txt",
              "colour a ff0000\nsprite intruder 40 8 2 2\naa\naa\nend\n");
    const std::string error = ErrorOf([&] { BuildAssets(Sources()); });
    EXPECT_NE(error.find("zz_extra.txt:2: sprite intruder overlaps sprite ship_bank_left"),
              std::string::npos)
        << error;
}

TEST_F(AssetgenFailures, RectsMayNameSprites) {
    WriteText(Sources() / "sprite_rects.txt", "EnemyShotTypes 2 explosion_3\n");
    const std::vector<OutputFile> files = BuildAssets(Sources());
    const std::vector<uint8_t>& data = files.back().Bytes;
    ASSERT_EQ(files.back().Path, "Data/Data.dat");
    EXPECT_EQ(Le16(data, 1616 + 16), 96);
    EXPECT_EQ(Le16(data, 1616 + 18), 32);
    EXPECT_EQ(Le16(data, 1616 + 20), 32);
}

TEST_F(AssetgenFailures, WritesEverythingAndLeavesNoTemporaries) {
    WriteAssets(BuildAssets(Sources()), Output());
    for (const char* path : {"Graphics/Back.bmp", "Graphics/SBar.bmp", "Graphics/Chr.bmp",
                             "Graphics/MChr.bmp", "Graphics/Icon.bmp", "Data/Data.dat"}) {
        EXPECT_TRUE(fs::is_regular_file(Output() / path)) << path;
    }
    EXPECT_TRUE(fs::is_directory(Output() / "Sound"));
    EXPECT_TRUE(fs::is_directory(Output() / "Music"));
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(Output())) {
        EXPECT_NE(entry.path().extension(), ".part") << entry.path();
    }
}

TEST_F(AssetgenFailures, UnwritableOutputIsReported) {
    WriteText(Output(), "a file where the folder should be");
    EXPECT_NE(ErrorOf([&] { WriteAssets(BuildAssets(Sources()), Output()); }).find("cannot"),
              std::string::npos);
    // A folder squatting on an output's name cannot be replaced either.
    fs::remove(Output());
    fs::create_directories(Output() / "Data" / "Data.dat");
    EXPECT_NE(ErrorOf([&] {
                  WriteAssets(BuildAssets(Sources()), Output());
              }).find("Data.dat: cannot replace"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(Output() / "Data" / "Data.dat.part"));
}

}  // namespace
}  // namespace assetgen
