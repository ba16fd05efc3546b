#include "full_tables.h"

#include <algorithm>
#include <numeric>

#include "stages/spawn.h"

namespace volley::bench {

namespace {

// So many of the largest kinds take turns in the tables.
constexpr int kLargestKinds = 4;
// The enemies and shots are laid out in grids this many columns wide.
constexpr int kGridColumns = 10;

// The kinds of a sprite table from first on, largest cell first.
template <typename Table>
std::array<int16_t, kLargestKinds> LargestKinds(const Table& table, int first) {
    std::array<int16_t, kSpriteKinds> kinds{};
    std::iota(kinds.begin(), kinds.end(), int16_t{0});
    auto area = [&](int16_t kind) { return table.Items[kind].Width * table.Items[kind].Height; };
    std::stable_sort(kinds.begin() + first, kinds.end(),
                     [&](int16_t a, int16_t b) { return area(a) > area(b); });
    std::array<int16_t, kLargestKinds> largest{};
    std::copy_n(kinds.begin() + first, kLargestKinds, largest.begin());
    return largest;
}

// Cell `i` of a grid of kGridColumns columns over width x height, leaving room for a cell of
// w x h so that it stays inside.
int16_t GridX(int i, int width, int w) {
    return static_cast<int16_t>((i % kGridColumns) * std::max(width - w, 0) / (kGridColumns - 1));
}
int16_t GridY(int i, int rows, int height, int h) {
    return static_cast<int16_t>((i / kGridColumns) * std::max(height - h, 0) /
                                std::max(rows - 1, 1));
}

void FillEnemies(Game& g) {
    const auto kinds = LargestKinds(g.EnemyTypes, RowOf(EnemyKind::Dart));
    const int rows = (kEnemySlots + kGridColumns - 1) / kGridColumns;
    for (int i = 0; i < kEnemySlots; ++i) {
        Enemy& e = g.Enemies[i];
        e = Enemy{};
        e.State = 1;
        e.Kind = static_cast<EnemyKind>(kinds[i % kLargestKinds]);
        SetSpawnValues(g, static_cast<int16_t>(i));
        const EnemyType& cell = g.EnemyTypes[e.Kind];
        e.X = GridX(i, g.ScreenWidth, cell.Width);
        e.Y = GridY(i, rows, g.ScreenHeight / 2, cell.Height);
        e.Age = 100 + i;  // past the first update of every movement pattern
    }
}

void FillEnemyShots(Game& g) {
    const auto kinds = LargestKinds(g.EnemyShotTypes, 0);
    const int rows = (kEnemyShotSlots + kGridColumns - 1) / kGridColumns;
    for (int i = 0; i < kEnemyShotSlots; ++i) {
        const auto kind = static_cast<EnemyShotKind>(kinds[i % kLargestKinds]);
        const EnemyShotType& cell = g.EnemyShotTypes[kind];
        // Slow enough to stay on the field for the frame, above the ship so that none hits it.
        g.EnemyShots[i] = EnemyShot{1,
                                    kind,
                                    GridX(i, g.ScreenWidth, cell.Width),
                                    GridY(i, rows, g.ScreenHeight * 3 / 4, cell.Height),
                                    static_cast<int16_t>(i % 3 - 1),
                                    1,
                                    5};
    }
}

void FillPlayerShots(Game& g) {
    const auto kind = static_cast<PlayerShotKind>(LargestKinds(g.PlayerShotTypes, 0)[0]);
    const PlayerShotType& cell = g.PlayerShotTypes[kind];
    const int rows = (kPlayerShotSlots + kGridColumns - 1) / kGridColumns;
    for (int i = 0; i < kPlayerShotSlots; ++i) {
        g.PlayerShots[i] = PlayerShot{1,
                                      kind,
                                      1,
                                      GridX(i, g.ScreenWidth, cell.Width),
                                      GridY(i, rows, g.ScreenHeight, cell.Height),
                                      0,
                                      -12};
    }
}

}  // namespace

void FillTables(Game& g) {
    FillEnemies(g);
    FillEnemyShots(g);
    FillPlayerShots(g);
    // The ship at the bottom centre, below every enemy shot.
    g.PlayerX = static_cast<int16_t>(g.ScreenWidth / 2 - kShipSize / 2);
    g.PlayerY = static_cast<int16_t>(g.ScreenHeight - 60);
}

TableSnapshot TakeSnapshot(const Game& g) {
    return TableSnapshot{
        g, g, g, g.Rng, g.ContactGuard, g.PlayerShots, g.Enemies, g.EnemyShots, g.Stars};
}

void RestoreSnapshot(Game& g, const TableSnapshot& snapshot) {
    static_cast<GameState&>(g) = snapshot.state;
    static_cast<Player&>(g) = snapshot.player;
    static_cast<FrameTimers&>(g) = snapshot.timers;
    g.Rng = snapshot.rng;
    g.ContactGuard = snapshot.contactGuard;
    g.PlayerShots = snapshot.playerShots;
    g.Enemies = snapshot.enemies;
    g.EnemyShots = snapshot.enemyShots;
    g.Stars = snapshot.stars;
}

}  // namespace volley::bench
