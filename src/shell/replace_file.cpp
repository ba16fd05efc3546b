#include "shell/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace volley {

namespace {

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

bool ReplaceFile(const std::string& path, std::span<const uint8_t> bytes, std::string& error) {
    const std::filesystem::path target(path);
    std::error_code ec;
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), ec);
    }
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = SystemError("cannot write beside " + path);
        return false;
    }
    bool ok = fchmod(fd, 0644) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
    if (!ok) {
        error = SystemError("cannot write " + temp);
    }
    if (close(fd) != 0 && ok) {
        ok = false;
        error = SystemError("cannot write " + temp);
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        error = SystemError("cannot replace " + path);
    }
    if (!ok) {
        unlink(temp.c_str());
    }
    return ok;
}

}  // namespace volley
