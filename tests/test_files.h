// Reading back the files a test or the game wrote, the way the game reads files: regular files of a
// bounded size only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/read_file.h"

namespace volley::testing {

// Far above any file a test writes or reads back.
inline constexpr size_t kMaxTestFileBytes = size_t{64} << 20;

// The whole file; empty when there is none or it cannot be read.
inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (ReadWholeFile(path.string(), kMaxTestFileBytes, bytes, error) != ReadStatus::Read) {
        return {};
    }
    return bytes;
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadText(const std::filesystem::path& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace volley::testing
