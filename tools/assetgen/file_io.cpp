#include "file_io.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "asset_error.h"

namespace assetgen {

namespace fs = std::filesystem;

std::string ReadSourceFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        FailIn(path.string(), "cannot open the file");
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        FailIn(path.string(), "cannot read the file");
    }
    return text;
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
