#include "test_game.h"

#include <stdlib.h>

#include <stdexcept>

namespace volley::testing {

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
