// Writing a file so that a crash, a kill or a full disk never leaves it torn.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace volley {

// Writes bytes to a new file beside path, flushed to the disk, and renames it over path, creating
// the folders on the way. Until the rename the old file is untouched; on failure nothing is left
// behind and error says why.
bool ReplaceFile(const std::string& path, std::span<const uint8_t> bytes, std::string& error);

}  // namespace volley
