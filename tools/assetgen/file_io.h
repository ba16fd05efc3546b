// Reading sources and replacing outputs so that a failed run never leaves a half-written file
// behind under the real name (the build would take it as up to date).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace assetgen {

std::string ReadSourceFile(const std::filesystem::path& path);

// The regular files directly in folder whose names end in extension, sorted by name so the
// sheet is laid out the same on every machine. A missing folder is an error.
std::vector<std::filesystem::path> ListSourceFiles(const std::filesystem::path& folder,
                                                   const std::string& extension);

// Writes beside the target first, then renames over it; creates missing parent folders.
void ReplaceFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

void MakeFolder(const std::filesystem::path& path);

}  // namespace assetgen
