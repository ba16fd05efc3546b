#include "platform/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace volley {

namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    int Get() const { return fd_; }

  private:
    int fd_;
};

std::string Reason(int error) {
    return std::strerror(error);
}

// Why a file of this type is not read, or empty for a regular file.
std::string NotRegular(mode_t mode) {
    if (S_ISREG(mode)) {
        return {};
    }
    if (S_ISDIR(mode)) {
        return "it is a folder, not a file";
    }
    if (S_ISFIFO(mode)) {
        return "it is a pipe, not a file";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "it is a device, not a file";
    }
    return "it is not a regular file";
}

// Reads until the end of the file or one byte past the limit, whichever comes first: a file that
// grows while it is read is caught as well as one that was too big from the start.
bool ReadAll(int fd, size_t maxBytes, size_t expected, std::vector<uint8_t>& bytes, int& error) {
    bytes.resize(std::min(expected, maxBytes) + 1);
    size_t used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used > maxBytes) {
                break;
            }
            bytes.resize(std::min(maxBytes + 1, used * 2 + 4096));
        }
        const ssize_t got = read(fd, bytes.data() + used, bytes.size() - used);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = errno;
            return false;
        }
        if (got == 0) {
            break;
        }
        used += static_cast<size_t>(got);
    }
    bytes.resize(used);
    return true;
}

}  // namespace

ReadStatus ReadWholeFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                         std::string& error, Links links) {
    bytes.clear();
    // Not blocking: opening a pipe for reading would otherwise wait for a writer that never comes.
    const int flags =
        O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (links == Links::Refuse ? O_NOFOLLOW : 0);
    const FileDescriptor file(open(path.c_str(), flags));
    if (file.Get() < 0) {
        const int why = errno;
        if (why == ELOOP && links == Links::Refuse) {
            error = path + ": it is a symbolic link, which is not followed";
            return ReadStatus::Refused;
        }
        error = "cannot open " + path + ": " + Reason(why);
        return why == ENOENT ? ReadStatus::Missing : ReadStatus::Refused;
    }
    struct stat info {};
    if (fstat(file.Get(), &info) != 0) {
        error = "cannot read " + path + ": " + Reason(errno);
        return ReadStatus::Refused;
    }
    if (const std::string why = NotRegular(info.st_mode); !why.empty()) {
        error = path + ": " + why;
        return ReadStatus::Refused;
    }
    const std::string tooLarge = path + ": larger than " + std::to_string(maxBytes) + " bytes";
    if (static_cast<uintmax_t>(info.st_size) > maxBytes) {
        error = tooLarge;
        return ReadStatus::Refused;
    }
    int readError = 0;
    try {
        if (!ReadAll(file.Get(), maxBytes, static_cast<size_t>(info.st_size), bytes, readError)) {
            error = "cannot read " + path + ": " + Reason(readError);
            bytes.clear();
            return ReadStatus::Refused;
        }
    } catch (const std::bad_alloc&) {
        error = "cannot read " + path + ": out of memory";
        bytes.clear();
        return ReadStatus::Refused;
    }
    if (bytes.size() > maxBytes) {
        error = tooLarge;
        bytes.clear();
        return ReadStatus::Refused;
    }
    return ReadStatus::Read;
}

}  // namespace volley
