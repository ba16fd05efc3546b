#include "platform/screenshot.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/png.h"

namespace volley {

namespace {

// Creates the file only if no file of that name exists: two screenshots in one second both stay.
bool WriteNewFile(const std::string& path, const std::vector<uint8_t>& bytes, bool& taken) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    taken = fd < 0 && errno == EEXIST;
    if (fd < 0) {
        return false;
    }
    const bool ok = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    const int savedErrno = errno;
    close(fd);
    if (!ok) {
        unlink(path.c_str());
        errno = savedErrno;
    }
    return ok;
}

}  // namespace

std::string ScreenshotName(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    std::array<char, 64> name{};
    std::strftime(name.data(), name.size(), "volley-%Y%m%d-%H%M%S", &local);
    return name.data();
}

std::string SaveScreenshot(const Surface& image, const std::string& folder, std::time_t when,
                           std::string& error) {
    const std::vector<uint8_t> png = EncodePng(image);
    if (png.empty()) {
        error = "cannot compress the picture";
        return {};
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string stem = folder + "/" + ScreenshotName(when);
    for (int n = 1; n < 1000; ++n) {
        const std::string path = n == 1 ? stem + ".png" : stem + "-" + std::to_string(n) + ".png";
        bool taken = false;
        if (WriteNewFile(path, png, taken)) {
            return path;
        }
        if (!taken) {
            error = "cannot write " + path + ": " + std::strerror(errno);
            return {};
        }
    }
    error = "too many screenshots named " + stem;
    return {};
}

}  // namespace volley
