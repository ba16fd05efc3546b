#include "file_io.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "asset_error.h"
#include "platform/read_file.h"

namespace assetgen {

namespace fs = std::filesystem;

namespace {

// The sources are text of a few kilobytes; a file near this size is not one.
constexpr size_t kMaxSourceBytes = size_t{16} << 20;

}  // namespace

std::string ReadSourceFile(const fs::path& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    switch (volley::ReadWholeFile(path.string(), kMaxSourceBytes, bytes, error)) {
        case volley::ReadStatus::Read: return std::string(bytes.begin(), bytes.end());
        case volley::ReadStatus::Missing: FailIn(path.string(), "cannot open the file");
        case volley::ReadStatus::Refused: break;
    }
    throw AssetError(error);
}

std::vector<fs::path> ListSourceFiles(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        FailIn(folder.string(), "the folder is missing");
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.is_regular_file() && entry.path().extension() == extension) {
            files.push_back(entry.path());
        }
    }
    if (error) {
        FailIn(folder.string(), "cannot list the folder: " + error.message());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void MakeFolder(const fs::path& path) {
    std::error_code error;
    fs::create_directories(path, error);
    if (error) {
        FailIn(path.string(), "cannot create the folder: " + error.message());
    }
}

void ReplaceFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    MakeFolder(path.parent_path());
    fs::path temporary = path;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            FailIn(path.string(), "cannot write the file");
        }
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        FailIn(path.string(), "cannot replace the file: " + error.message());
    }
}

}  // namespace assetgen
