#include <gtest/gtest.h>

#include "assetgen_test_support.h"
#include "data_table.h"

namespace assetgen {
namespace {

using assetgen_test::ErrorOf;
using assetgen_test::Le16;

Sprite SpriteAt(const std::string& name, int x, int y, int width, int height) {
    Sprite sprite;
    sprite.Name = name;
    sprite.X = x;
    sprite.Y = y;
    sprite.Colours = Image(width, height);
    sprite.Opaque = BitGrid(width, height);
    return sprite;
}

std::string ErrorParsing(const std::string& text) {
    return ErrorOf([&] { ParseRectTables(text, "rects.txt", {}); });
}

TEST(AssetgenDataTable, EmptySourceGivesAllZeroFile) {
    const std::vector<uint8_t> bytes =
        EncodeDataFile(ParseRectTables("# nothing yet\n\n", "rects.txt", {}));
    ASSERT_EQ(bytes.size(), 2424u);
    EXPECT_EQ(bytes, std::vector<uint8_t>(2424, 0));
}

TEST(AssetgenDataTable, RecordsLandAtTheirTableAndIndex) {
    const RectTables tables = ParseRectTables(
        "EnemyTypes 1 10 20 30 40\n"
        "PlayerShotTypes 100 354 482 30 30   # last record of the first table\n"
        "EnemyShotTypes 0 1 2 3 4\n",
        "rects.txt", {});
    EXPECT_EQ(tables[1][1], (SheetRect{10, 20, 30, 40}));
    const std::vector<uint8_t> bytes = EncodeDataFile(tables);
    ASSERT_EQ(bytes.size(), 2424u);
    EXPECT_EQ(Le16(bytes, 808 + 8), 10);
    EXPECT_EQ(Le16(bytes, 808 + 10), 20);
    EXPECT_EQ(Le16(bytes, 808 + 12), 30);
    EXPECT_EQ(Le16(bytes, 808 + 14), 40);
    EXPECT_EQ(Le16(bytes, 800), 354);
    EXPECT_EQ(Le16(bytes, 802), 482);
    EXPECT_EQ(Le16(bytes, 1616), 1);
    EXPECT_EQ(Le16(bytes, 1622), 4);
    // Neighbouring records stay empty.
    EXPECT_EQ(Le16(bytes, 808), 0);
    EXPECT_EQ(Le16(bytes, 808 + 16), 0);
    EXPECT_EQ(Le16(bytes, 792), 0);
}

TEST(AssetgenDataTable, NumbersAreLittleEndian) {
    const std::vector<uint8_t> bytes =
        EncodeDataFile(ParseRectTables("PlayerShotTypes 0 300 511 84 1\n", "rects.txt", {}));
    EXPECT_EQ(bytes[0], 300 & 0xFF);
    EXPECT_EQ(bytes[1], 300 >> 8);
    EXPECT_EQ(bytes[2], 511 & 0xFF);
    EXPECT_EQ(bytes[3], 511 >> 8);
}

TEST(AssetgenDataTable, SpriteNameGivesItsCell) {
    const RectTables tables =
        ParseRectTables("EnemyTypes 3 saucer\n", "rects.txt", {SpriteAt("saucer", 64, 96, 24, 16)});
    EXPECT_EQ(tables[1][3], (SheetRect{64, 96, 24, 16}));
    EXPECT_NE(ErrorOf([] {
                  ParseRectTables("EnemyTypes 3 saucer\n", "rects.txt", {});
              }).find("rects.txt:1: no sprite is named 'saucer'"),
              std::string::npos);
}

TEST(AssetgenDataTable, RejectsUnknownTablesAndIndicesOutOfRange) {
    EXPECT_NE(
        ErrorParsing("\nEnemyType 1 0 0 8 8\n").find("rects.txt:2: unknown table 'EnemyType'"),
        std::string::npos);
    EXPECT_NE(ErrorParsing("EnemyTypes 101 0 0 8 8\n").find("index 101 is outside 0 .. 100"),
              std::string::npos);
    EXPECT_NE(ErrorParsing("EnemyTypes -1 0 0 8 8\n").find("outside"), std::string::npos);
    EXPECT_NE(ErrorParsing("EnemyTypes one 0 0 8 8\n").find("index must be a whole number"),
              std::string::npos);
    EXPECT_EQ(ErrorParsing("EnemyTypes 100 0 0 8 8\nEnemyTypes 0 0 0 8 8\n"), "");
}

TEST(AssetgenDataTable, RejectsRectanglesOffTheSheet) {
    EXPECT_EQ(ErrorParsing("EnemyTypes 1 0 0 384 512\n"), "");
    EXPECT_EQ(ErrorParsing("EnemyTypes 1 383 511 1 1\n"), "");
    for (const char* line :
         {"EnemyTypes 1 1 0 384 8\n", "EnemyTypes 1 0 505 8 8\n", "EnemyTypes 1 -1 0 8 8\n",
          "EnemyTypes 1 0 -1 8 8\n", "EnemyTypes 1 0 0 0 8\n", "EnemyTypes 1 0 0 8 0\n",
          "EnemyTypes 1 0 0 -8 8\n"}) {
        EXPECT_NE(ErrorParsing(line).find("not wholly on the 384x512 sheet"), std::string::npos)
            << line;
    }
}

TEST(AssetgenDataTable, RejectsDuplicatesAndMalformedLines) {
    const std::string duplicate =
        ErrorParsing("EnemyTypes 5 0 0 8 8\nEnemyShotTypes 5 0 0 8 8\nEnemyTypes 5 8 0 8 8\n");
    EXPECT_NE(duplicate.find("rects.txt:3: EnemyTypes 5 is already given on line 1"),
              std::string::npos)
        << duplicate;
    EXPECT_NE(ErrorParsing("EnemyTypes 5 0 0 8\n").find("rects.txt:1: expected"),
              std::string::npos);
    EXPECT_NE(ErrorParsing("EnemyTypes 5 0 0 8 8 8\n").find("expected"), std::string::npos);
    EXPECT_NE(ErrorParsing("EnemyTypes 5 0 0 8 8x\n").find("height must be a whole number"),
              std::string::npos);
}

}  // namespace
}  // namespace assetgen
