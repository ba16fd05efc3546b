// Helpers shared by the assetgen tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "asset_error.h"
#include "test_files.h"

namespace assetgen_test {

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

// The cases of tests/data/<name>: "<source> => <expected>" lines, where \n in the source ends a
// line of it; blank lines and lines starting with # are left out.
inline std::vector<std::pair<std::string, std::string>> ReadCases(const std::string& name) {
    std::vector<std::pair<std::string, std::string>> cases;
    std::string text =
        volley::testing::ReadText(std::filesystem::path(__FILE__).parent_path() / "data" / name);
    for (size_t start = 0, end; start < text.size(); start = end + 1) {
        end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        const size_t arrow = line.find(" => ");
        if (line.empty() || line[0] == '#' || arrow == std::string::npos) {
            continue;
        }
        std::string source;
        for (size_t i = 0; i < arrow; ++i) {
            const bool newline = line[i] == '\\' && line[i + 1] == 'n';
            source += newline ? '\n' : line[i];
            i += newline ? 1 : 0;
        }
        cases.emplace_back(source, line.substr(arrow + 4));
    }
    return cases;
}

inline uint32_t Le32(const std::vector<uint8_t>& bytes, size_t offset) {
    return bytes.at(offset) | (bytes.at(offset + 1) << 8) | (bytes.at(offset + 2) << 16) |
           (static_cast<uint32_t>(bytes.at(offset + 3)) << 24);
}

inline uint16_t Le16(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

}  // namespace assetgen_test
