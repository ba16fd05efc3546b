#include "test_game.h"

#include <stdlib.h>

#include <stdexcept>

#include "stages/spawn.h"

namespace volley::testing {

Enemy& PlaceEnemy(Game& g, int slot, EnemyKind kind, int x, int y) {
    Enemy& e = g.Enemies[slot];
    e = Enemy{};
    e.State = 1;
    e.Kind = kind;
    SetSpawnValues(g, static_cast<int16_t>(slot));
    e.X = static_cast<int16_t>(x);
    e.Y = static_cast<int16_t>(y);
    return e;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "volley-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace volley::testing
