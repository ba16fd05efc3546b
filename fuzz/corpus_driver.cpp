// Runs a fuzz target's LLVMFuzzerTestOneInput once on every file of the folders named on the
// command line, in name order, so that a build without libFuzzer replays the corpus as a test.
// A finding shows as a crash or a sanitizer report naming the file being run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>...\n", argv[0]);
        return 2;
    }
    size_t runs = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        if (!fs::is_directory(argv[i], ec)) {
            std::fprintf(stderr, "%s: no such folder: %s\n", argv[0], argv[i]);
            return 2;
        }
        for (const fs::path& file : FilesIn(argv[i])) {
            std::ifstream in(file, std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
            std::fprintf(stderr, "running %s (%zu bytes)\n", file.c_str(), bytes.size());
            // A copy of exactly the file's size, so that reading one byte past it is caught.
            std::vector<uint8_t> input(bytes);
            LLVMFuzzerTestOneInput(input.data(), input.size());
            ++runs;
        }
    }
    if (runs == 0) {
        std::fprintf(stderr, "%s: the corpus is empty\n", argv[0]);
        return 1;
    }
    std::fprintf(stderr, "%zu inputs ran cleanly\n", runs);
    return 0;
}
