// How much of the process's memory is resident, for checking that a long run stays flat.
#pragma once

#include <cstddef>

namespace volley {

// The resident set size in bytes, from /proc/self/statm; 0 where it cannot be read.
size_t ResidentBytes();

}  // namespace volley
