// The CRC-32 of zlib and PNG, which the replay files and the screenshots carry: zlib's own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace volley {

// Continues a running CRC (start from 0) over bytes.
uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc = 0);

}  // namespace volley
