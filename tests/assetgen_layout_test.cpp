// The sheet as the game uses it: every kind the game draws has a tight cell in its band, cells
// never share pixels, bosses are big, bullets grow with their damage and wear colours of their own.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "asset_build.h"
#include "data_table.h"
#include "file_io.h"
#include "sprite_sheet.h"

namespace assetgen {
namespace {

namespace fs = std::filesystem;

const fs::path kAssets = VOLLEY_ASSETS_DIR;

enum Table { kPlayerShots = 0, kEnemies = 1, kEnemyShots = 2 };

const std::vector<int> kPlayerShotKinds = {0, 2, 3};
const std::vector<int> kEnemyShotKinds = {0, 1, 2, 4, 5, 6, 9, 11, 13};
const std::vector<int> kBossKinds = {21, 22, 23, 25, 26, 27, 28, 31};
const std::vector<int> kSmallEnemyKinds = {3,  4,  5,  6,  7,  8,  9,  10, 11,
                                           12, 13, 14, 15, 16, 17, 18, 19, 29};
// The small craft that make up the swarms: all small kinds but the heavier craft (12) and the
// armoured block (14).
const std::vector<int> kFighterKinds = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 16, 17, 18, 19, 29};

std::vector<int> EnemyKinds() {
    std::vector<int> kinds;
    for (int kind = 0; kind <= 31; ++kind) {
        kinds.push_back(kind);
    }
    kinds.push_back(41);
    return kinds;
}

class AssetgenLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        sprites_ = LoadSprites(kAssets);
        const fs::path rects = kAssets / "sprite_rects.txt";
        tables_ = ParseRectTables(ReadSourceFile(rects), rects.string(), sprites_);
    }

    const SheetRect& Rect(Table table, int kind) const {
        return tables_[table][static_cast<size_t>(kind)];
    }

    const Sprite* SpriteOf(const SheetRect& rect) const {
        for (const Sprite& sprite : sprites_) {
            if (sprite.X == rect.X && sprite.Y == rect.Y && sprite.Width() == rect.Width &&
                sprite.Height() == rect.Height) {
                return &sprite;
            }
        }
        return nullptr;
    }

    std::vector<std::pair<Table, int>> UsedKinds() const {
        std::vector<std::pair<Table, int>> used;
        for (int kind : kPlayerShotKinds) {
            used.emplace_back(kPlayerShots, kind);
        }
        for (int kind : EnemyKinds()) {
            used.emplace_back(kEnemies, kind);
        }
        for (int kind : kEnemyShotKinds) {
            used.emplace_back(kEnemyShots, kind);
        }
        return used;
    }

    std::vector<Sprite> sprites_;
    RectTables tables_{};
};

int Area(const SheetRect& rect) {
    return rect.Width * rect.Height;
}

bool Overlap(const SheetRect& a, const SheetRect& b) {
    return a.X < b.X + b.Width && b.X < a.X + a.Width && a.Y < b.Y + b.Height &&
           b.Y < a.Y + a.Height;
}

// Every edge row and column of the cell holds an opaque pixel: what is seen is what collides.
bool CroppedTight(const Sprite& sprite) {
    bool top = false, bottom = false, left = false, right = false;
    for (int x = 0; x < sprite.Width(); ++x) {
        top = top || sprite.Opaque.At(x, 0);
        bottom = bottom || sprite.Opaque.At(x, sprite.Height() - 1);
    }
    for (int y = 0; y < sprite.Height(); ++y) {
        left = left || sprite.Opaque.At(0, y);
        right = right || sprite.Opaque.At(sprite.Width() - 1, y);
    }
    return top && bottom && left && right;
}

TEST_F(AssetgenLayout, EveryUsedKindHasATightCellOnTheSheet) {
    for (const auto& [table, kind] : UsedKinds()) {
        const SheetRect& rect = Rect(table, kind);
        SCOPED_TRACE(std::string(kTableNames[table]) + " " + std::to_string(kind));
        ASSERT_GT(rect.Width, 0);
        ASSERT_GT(rect.Height, 0);
        EXPECT_LE(rect.X + rect.Width, kSheetWidth);
        EXPECT_LE(rect.Y + rect.Height, kSheetHeight);
        const Sprite* sprite = SpriteOf(rect);
        ASSERT_NE(sprite, nullptr) << "the rectangle is not a sprite's cell";
        EXPECT_TRUE(CroppedTight(*sprite)) << sprite->Name;
    }
}

TEST_F(AssetgenLayout, NoTwoSpriteCellsShareAPixel) {
    for (size_t i = 0; i < sprites_.size(); ++i) {
        const SheetRect a{sprites_[i].X, sprites_[i].Y, sprites_[i].Width(), sprites_[i].Height()};
        for (size_t j = i + 1; j < sprites_.size(); ++j) {
            const SheetRect b{sprites_[j].X, sprites_[j].Y, sprites_[j].Width(),
                              sprites_[j].Height()};
            EXPECT_FALSE(Overlap(a, b)) << sprites_[i].Name << " and " << sprites_[j].Name;
        }
    }
}

TEST_F(AssetgenLayout, KindsLieInTheirBandsOfTheSheet) {
    for (int kind : {0, 1, 2}) {
        EXPECT_LE(Rect(kEnemies, kind).Y + Rect(kEnemies, kind).Height, 32) << "item " << kind;
        EXPECT_GE(Rect(kEnemies, kind).X, 160) << "item " << kind << " right of the ship";
    }
    for (int kind : kSmallEnemyKinds) {
        EXPECT_GE(Rect(kEnemies, kind).Y, 64) << "enemy " << kind;
        EXPECT_LE(Rect(kEnemies, kind).Y + Rect(kEnemies, kind).Height, 128) << "enemy " << kind;
    }
    for (int kind : {20, 21, 22, 23, 24, 25, 26, 27, 28, 30, 31, 41}) {
        EXPECT_GE(Rect(kEnemies, kind).Y, 128) << "enemy " << kind;
        EXPECT_LE(Rect(kEnemies, kind).Y + Rect(kEnemies, kind).Height, 352) << "enemy " << kind;
    }
    for (int kind : kPlayerShotKinds) {
        EXPECT_GE(Rect(kPlayerShots, kind).Y, 352) << "player shot " << kind;
    }
    for (int kind : kEnemyShotKinds) {
        EXPECT_GE(Rect(kEnemyShots, kind).Y, 352) << "enemy shot " << kind;
    }
}

TEST_F(AssetgenLayout, ShotsFitHowTheShipFiresThem) {
    // The narrow shot leaves 14 px right of the ship's left edge: centred on a 32 px ship.
    const SheetRect& narrow = Rect(kPlayerShots, 0);
    EXPECT_LE(narrow.Width, 6);
    EXPECT_NEAR(14 + narrow.Width / 2.0, 16, 1);
    // The wide shot leaves at the ship's left edge and spans it.
    EXPECT_GE(Rect(kPlayerShots, 3).Width, 28);
    EXPECT_LE(Rect(kPlayerShots, 3).Width, 32);
}

TEST_F(AssetgenLayout, BulletsGrowWithTheirDamage) {
    const std::vector<int> five = {0, 6, 9, 11, 13};
    const std::vector<int> ten = {1, 5};
    for (int small : five) {
        for (int medium : ten) {
            EXPECT_LT(Area(Rect(kEnemyShots, small)), Area(Rect(kEnemyShots, medium)))
                << small << " vs " << medium;
        }
    }
    for (int medium : ten) {
        EXPECT_LT(Area(Rect(kEnemyShots, medium)), Area(Rect(kEnemyShots, 2)));
    }
    EXPECT_GE(Area(Rect(kEnemyShots, 4)), 2 * Area(Rect(kEnemyShots, 2)));
}

TEST_F(AssetgenLayout, BossesDwarfTheFightersAndTheLastIsTheLargest) {
    int largest_fighter = 0;
    for (int kind : kFighterKinds) {
        largest_fighter = std::max(largest_fighter, Area(Rect(kEnemies, kind)));
    }
    for (int kind : kBossKinds) {
        EXPECT_GT(Area(Rect(kEnemies, kind)), 3 * largest_fighter) << "boss " << kind;
        EXPECT_LE(Rect(kEnemies, kind).Width, 128) << "boss " << kind;
        if (kind != 31) {
            EXPECT_LT(Area(Rect(kEnemies, kind)), Area(Rect(kEnemies, 31))) << "boss " << kind;
        }
    }
    // The armoured block spawns in the outer columns; wider than a quarter of the field it
    // would start off the edge and vanish at once.
    EXPECT_LE(Rect(kEnemies, 14).Width, 451 / 4);
    EXPECT_GT(Area(Rect(kEnemies, 12)), Area(Rect(kEnemies, 3))) << "the heavier craft";
    EXPECT_GT(Area(Rect(kEnemies, 41)), 2 * largest_fighter) << "the mid-boss";
}

TEST_F(AssetgenLayout, BulletColoursAreTheirOwn) {
    std::set<uint32_t> bullet_colours;
    for (int kind : kEnemyShotKinds) {
        const Sprite& bullet = *SpriteOf(Rect(kEnemyShots, kind));
        for (int y = 0; y < bullet.Height(); ++y) {
            for (int x = 0; x < bullet.Width(); ++x) {
                const Rgb c = bullet.Colours.At(x, y);
                // The dark rim is only there to part bullets from bright sprites behind them.
                if (bullet.Opaque.At(x, y) && c.R + c.G + c.B > 120) {
                    bullet_colours.insert((c.R << 16) | (c.G << 8) | c.B);
                }
            }
        }
    }
    for (int kind : EnemyKinds()) {
        const Sprite& craft = *SpriteOf(Rect(kEnemies, kind));
        for (int y = 0; y < craft.Height(); ++y) {
            for (int x = 0; x < craft.Width(); ++x) {
                const Rgb c = craft.Colours.At(x, y);
                const uint32_t colour = (c.R << 16) | (c.G << 8) | c.B;
                if (craft.Opaque.At(x, y) && colour != 0xFFFFFF) {
                    ASSERT_EQ(bullet_colours.count(colour), 0u)
                        << craft.Name << " wears bullet colour " << std::hex << colour;
                }
            }
        }
    }
}

}  // namespace
}  // namespace assetgen
