// Helpers shared by the assetgen tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

#include "asset_error.h"
#include "test_files.h"

namespace assetgen_test {

// A fresh, empty folder under the system's temporary folder, removed again with its contents.
class ScratchFolder {
  public:
    ScratchFolder() {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("assetgen_" + std::string(test->test_suite_name()) + "_" + test->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

using volley::testing::ReadBytes;

// The message of the AssetError the call throws, or "" when it throws none.
template <typename Call>
std::string ErrorOf(Call&& call) {
    try {
        call();
    } catch (const assetgen::AssetError& error) {
        return error.what();
    }
    return "";
}

inline uint32_t Le32(const std::vector<uint8_t>& bytes, size_t offset) {
    return bytes.at(offset) | (bytes.at(offset + 1) << 8) | (bytes.at(offset + 2) << 16) |
           (static_cast<uint32_t>(bytes.at(offset + 3)) << 24);
}

inline uint16_t Le16(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

}  // namespace assetgen_test
