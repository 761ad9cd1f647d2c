// Safe file writing on Linux and other POSIX systems: the temporary file is
// locked with flock until it is renamed into place.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/files.h"
#include "engine/files_platform.h"

namespace {

namespace fs = std::filesystem;

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

  private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// The renamed name only survives a power cut once the folder is on disk too.
bool SyncFolder(const std::string& folder) {
    const FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return dir.get() >= 0 && ::fsync(dir.get()) == 0;
}

}  // namespace

// The file stays locked until it is in place, so a starting copy of the game
// never takes it for a leftover; should one remove it in the instant before
// the lock, the save is tried again.
SaveAttempt SaveThroughTemporary(const fs::path& target, std::string_view bytes, std::string& error) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const FileDescriptor file(::mkostemp(temp.data(), O_CLOEXEC));
    const auto fail = [&](const char* what) {
        error = "cannot write " + target.string() + ": " + what + ": " + std::strerror(errno);
        return SaveAttempt::Failed;
    };
    if (file.get() < 0) return fail("cannot create a temporary file");
    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (::flock(file.get(), LOCK_EX) != 0 || ::fchmod(file.get(), mode) != 0 || !WriteAll(file.get(), bytes) ||
        ::fsync(file.get()) != 0) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return fail("writing");
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        if (errno == ENOENT && fs::exists(folder)) return SaveAttempt::TemporaryVanished;
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return fail("renaming");
    }
    if (!SyncFolder(folder.string())) return fail("syncing the folder");
    return SaveAttempt::Written;
}

void RemoveLeftoverTemporaryFiles(const std::string& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path path = it->path();
        if (!IsTemporaryFileName(path.filename().string())) continue;
        const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (file.get() < 0 || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0) continue;  // a writer holds it
        // Only the very file that was locked: the name may have been renamed away meanwhile.
        struct stat held {
        }, named{};
        if (::fstat(file.get(), &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
            held.st_dev == named.st_dev && S_ISREG(named.st_mode)) {
            ::unlink(path.c_str());
        }
    }
}

bool MakeWritableFolder(const std::string& folder, std::error_code& ec) {
    fs::create_directories(folder, ec);
    if (!ec && ::access(folder.c_str(), W_OK | X_OK) != 0) ec.assign(errno, std::generic_category());
    return !ec;
}

bool FitsFileName(const std::string& folder, const std::string& name) {
    const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return longest <= 0 || name.size() <= static_cast<size_t>(longest);
}

std::FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }
