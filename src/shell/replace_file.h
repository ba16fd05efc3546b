// Writing a file so that a crash, a kill or a full disk never leaves it torn.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace volley {

// Writes bytes to a new file beside path, flushed to the disk, and renames it over path, creating
// the folders on the way. Until the rename the old file is untouched; on failure nothing is left
// behind and error says why. The new file keeps the permission bits of the one it replaces; a
// file made anew gets the usual mode under the user's umask. A symbolic link at path is replaced
// itself, never written through.
bool ReplaceFile(const std::string& path, std::span<const uint8_t> bytes, std::string& error);

// Whether a file could be made in the folder of path: makes the folders on the way and a passing
// file in the last one. False with the reason in error when it cannot.
bool CanWriteBeside(const std::string& path, std::string& error);

// Removes the temporary files that writers killed before their rename left in the folder of path:
// ours, and those of the game's earlier versions (`SaveData.dat.XXXXXX`, `last.rpl.XXXXXX`). A
// temporary that a running writer still holds is left alone, and so is anyone else's file.
void RemoveStaleTemporaries(const std::string& path);

}  // namespace volley
