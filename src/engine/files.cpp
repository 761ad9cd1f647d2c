#include "engine/files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

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

enum class Attempt { Written, Failed, TemporaryVanished };

// One save through a fresh temporary file. The file stays locked until it is
// in place, so a starting copy of the game never takes it for a leftover;
// should one remove it in the instant before the lock, the save is tried again.
Attempt WriteOnce(const fs::path& target, std::string_view bytes, std::string& error) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const FileDescriptor file(::mkostemp(temp.data(), O_CLOEXEC));
    const auto fail = [&](const char* what) {
        error = "cannot write " + target.string() + ": " + what + ": " + std::strerror(errno);
        return Attempt::Failed;
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
        if (errno == ENOENT && fs::exists(folder)) return Attempt::TemporaryVanished;
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return fail("renaming");
    }
    if (!SyncFolder(folder.string())) return fail("syncing the folder");
    return Attempt::Written;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    std::error_code ec;
    const fs::path target(path);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const Attempt result = WriteOnce(target, bytes, error);
        if (result != Attempt::TemporaryVanished) return result == Attempt::Written;
    }
    error = "cannot write " + path + ": its temporary file keeps disappearing";
    return false;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    bytes = s.str();
    return !in.bad();
}

bool IsTemporaryFileName(std::string_view name) {
    constexpr size_t kSuffix = 6;
    if (name.size() < 2 + 1 + kSuffix || name.front() != '.' || name[name.size() - kSuffix - 1] != '.') return false;
    for (char c : name.substr(name.size() - kSuffix)) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
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
