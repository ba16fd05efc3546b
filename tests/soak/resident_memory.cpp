#include "resident_memory.h"

#include <unistd.h>

#include <cstdio>

namespace volley {

size_t ResidentBytes() {
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) {
        return 0;
    }
    unsigned long sizePages = 0;
    unsigned long residentPages = 0;
    const int read = std::fscanf(statm, "%lu %lu", &sizePages, &residentPages);
    std::fclose(statm);
    if (read != 2) {
        return 0;
    }
    return static_cast<size_t>(residentPages) * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace volley
