// Safe file writing on Windows: nobody else may open the temporary file while
// the game fills it, and MoveFileExW puts it in place, through to the disk.
#include <io.h>
#include <windows.h>

#include <atomic>
#include <system_error>

#include "engine/files.h"
#include "engine/files_platform.h"

namespace {

namespace fs = std::filesystem;

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }
    HANDLE get() const { return handle_; }
    bool Close() {
        const bool ok = handle_ == INVALID_HANDLE_VALUE || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Six letters or digits that differ between attempts and between copies of
// the game; CREATE_NEW refuses a name that is taken all the same.
std::wstring TemporarySuffix() {
    static std::atomic<unsigned> counter{0};
    static const wchar_t letters[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned long long n = GetTickCount64() * 7919u + GetCurrentProcessId() * 104729ull + counter++ * 1299709ull;
    std::wstring suffix;
    for (int i = 0; i < 6; ++i, n /= 62) suffix += letters[n % 62];
    return suffix;
}

// Windows' own words for the last error, in UTF-8.
std::string LastErrorText() {
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide(text ? text : L"", length);
    LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L'.')) wide.pop_back();
    return wide.empty() ? "error " + std::to_string(code) : TextOfPath(std::filesystem::path(wide));
}

}  // namespace

SaveAttempt SaveThroughTemporary(const fs::path& target, std::string_view bytes, std::string& error) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const auto fail = [&](const char* what) {
        error = "cannot write " + TextOfPath(target) + ": " + what + ": " + LastErrorText();
        return SaveAttempt::Failed;
    };
    fs::path temp;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 16 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temp = folder / (L"." + target.filename().wstring() + L"." + TemporarySuffix());
        created = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    FileHandle file(created);
    if (file.get() == INVALID_HANDLE_VALUE) return fail("cannot create a temporary file");
    if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get()) || !file.Close()) {
        const DWORD saved = GetLastError();
        file.Close();
        DeleteFileW(temp.c_str());
        SetLastError(saved);
        return fail("writing");
    }
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD saved = GetLastError();
        std::error_code ec;
        if (saved == ERROR_FILE_NOT_FOUND && fs::exists(folder, ec)) return SaveAttempt::TemporaryVanished;
        DeleteFileW(temp.c_str());
        SetLastError(saved);
        return fail("renaming");
    }
    return SaveAttempt::Written;
}

// A writer keeps its temporary file open without sharing, so deleting that
// one fails and only what a dead writer left goes.
void RemoveLeftoverTemporaryFiles(const std::string& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(PathOf(folder), ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path path = it->path();
        std::error_code kind;
        if (IsTemporaryFileName(TextOfPath(path.filename())) && it->is_regular_file(kind)) DeleteFileW(path.c_str());
    }
}

bool MakeWritableFolder(const std::string& folder, std::error_code& ec) {
    const fs::path path = PathOf(folder);
    fs::create_directories(path, ec);
    if (!ec && _waccess(path.c_str(), 2) != 0) ec.assign(errno, std::generic_category());
    return !ec;
}

// NTFS takes names of up to 255 UTF-16 units.
bool FitsFileName(const std::string&, const std::string& name) { return PathOf(name).native().size() <= 255; }

std::FILE* OpenFile(const std::string& path, const char* mode) {
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(PathOf(path).c_str(), wideMode.c_str());
}
