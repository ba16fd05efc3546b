#include "shell/replace_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

namespace volley {

namespace fs = std::filesystem;

namespace {

// Temporary files are named .volley-XXXXXX.tmp whatever the name of the file they become, so that
// a long name still leaves room for them.
constexpr std::string_view kTempPrefix = ".volley-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr size_t kTempRandomChars = 6;
constexpr std::string_view kTempAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kTempAttempts = 100;

std::string SystemError(const std::string& what, int error = errno) {
    return what + ": " + std::strerror(error);
}

std::string FolderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? "." : parent.string();
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Reset(); }
    int Get() const { return fd_; }
    void Reset(int fd = -1) {
        if (fd_ >= 0) {
            close(fd_);
        }
        fd_ = fd;
    }
    // Closes it, telling whether the last of its writes reached the file.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

  private:
    int fd_;
};

std::string RandomTempName() {
    std::string name(kTempPrefix);
    uint8_t random[kTempRandomChars] = {};
    if (getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
        // Without the kernel's randomness the clock and the process still make names that
        // O_EXCL keeps apart.
        const auto mix = static_cast<uint64_t>(getpid()) * 2654435761u ^
                         static_cast<uint64_t>(std::time(nullptr)) ^
                         reinterpret_cast<uintptr_t>(&name);
        for (size_t i = 0; i < kTempRandomChars; ++i) {
            random[i] = static_cast<uint8_t>(mix >> (8 * i));
        }
    }
    for (uint8_t byte : random) {
        name += kTempAlphabet[byte % kTempAlphabet.size()];
    }
    return name + std::string(kTempSuffix);
}

bool SameFile(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return fstat(fd, &opened) == 0 && lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Makes a new temporary file in folder and holds a lock on it for as long as it is open, so that
// a starting game can tell a writer's live temporary from one a killed writer left.
bool MakeTemporary(const std::string& folder, FileDescriptor& file, std::string& tempPath) {
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        tempPath = folder + "/" + RandomTempName();
        // 0666 lets the umask decide, as for any new file of the user's.
        file.Reset(
            open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (file.Get() < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return false;
        }
        // Between the open and the lock a starting game may have taken the file for a stale one
        // and removed it: then start again with another.
        if (flock(file.Get(), LOCK_EX) == 0 && SameFile(file.Get(), tempPath)) {
            return true;
        }
        file.Reset();
    }
    errno = EEXIST;
    return false;
}

// The permission bits of the regular file at path, to give its replacement.
bool KeepPermissions(int fd, const std::string& path) {
    struct stat old {};
    if (lstat(path.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) {
        return true;
    }
    return fchmod(fd, old.st_mode & 07777) == 0;
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        bytes = bytes.subspan(static_cast<size_t>(written));
    }
    return true;
}

// Makes the rename of a file in folder last through a power cut: until the folder itself is on
// the disk, the old file may come back. A failure here is not reported: the new file is in place.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

bool HasRandomTail(std::string_view name, size_t at) {
    if (name.size() < at + kTempRandomChars) {
        return false;
    }
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(at),
                       name.begin() + static_cast<std::ptrdiff_t>(at + kTempRandomChars),
                       [](char c) { return kTempAlphabet.find(c) != std::string_view::npos; });
}

// .volley-XXXXXX.tmp, or the names the game's earlier versions gave the temporaries of its save
// and its last replay. Nothing else is taken for ours, whatever the save is called.
bool IsTemporaryName(std::string_view name) {
    if (name.starts_with(kTempPrefix) && name.ends_with(kTempSuffix) &&
        name.size() == kTempPrefix.size() + kTempRandomChars + kTempSuffix.size()) {
        return HasRandomTail(name, kTempPrefix.size());
    }
    for (std::string_view target :
         {std::string_view("SaveData.dat"), std::string_view("last.rpl")}) {
        if (name.size() == target.size() + 1 + kTempRandomChars && name.starts_with(target) &&
            name[target.size()] == '.') {
            return HasRandomTail(name, target.size() + 1);
        }
    }
    return false;
}

// Removes the file if it is a regular file of this user's that no running writer holds.
void RemoveIfStale(const std::string& path) {
    FileDescriptor file(open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (file.Get() < 0 || fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != geteuid() || flock(file.Get(), LOCK_EX | LOCK_NB) != 0) {
        return;
    }
    if (SameFile(file.Get(), path)) {
        unlink(path.c_str());
    }
}

}  // namespace

bool ReplaceFile(const std::string& path, std::span<const uint8_t> bytes, std::string& error) {
    const std::string folder = FolderOf(path);
    std::error_code ec;
    fs::create_directories(folder, ec);
    FileDescriptor file;
    std::string temp;
    if (!MakeTemporary(folder, file, temp)) {
        error = SystemError("cannot write beside " + path);
        return false;
    }
    // The messages name the file itself, not the passing temporary one that is gone by the time
    // anybody reads them.
    bool ok =
        KeepPermissions(file.Get(), path) && WriteAll(file.Get(), bytes) && fsync(file.Get()) == 0;
    if (!ok) {
        error = SystemError("cannot write " + path);
    }
    const int savedErrno = errno;
    if (!file.Close() && ok) {
        ok = false;
        error = SystemError("cannot write " + path);
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        error = SystemError("cannot replace " + path);
    }
    if (!ok) {
        unlink(temp.c_str());
        errno = savedErrno;
        return false;
    }
    SyncFolder(folder);
    return true;
}

bool CanWriteBeside(const std::string& path, std::string& error) {
    const std::string folder = FolderOf(path);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        error = "cannot make the folder " + folder + ": " + ec.message();
        return false;
    }
    FileDescriptor file;
    std::string temp;
    if (!MakeTemporary(folder, file, temp)) {
        error = SystemError("cannot write in " + folder);
        return false;
    }
    unlink(temp.c_str());
    return true;
}

void RemoveStaleTemporaries(const std::string& path) {
    const std::string folder = FolderOf(path);
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(listing)) {
        if (IsTemporaryName(entry->d_name)) {
            RemoveIfStale(folder + "/" + entry->d_name);
        }
    }
    closedir(listing);
}

}  // namespace volley
