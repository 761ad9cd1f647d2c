#include "engine/paths.h"

#include <filesystem>

#include "build_info.h"
#include "engine/files.h"

namespace {

std::string dataFolder = "data/";
std::string userFolder = "./";

std::string WithSlash(std::string folder) {
    if (folder.empty()) return "./";
    if (folder.back() != '/' && folder.back() != std::filesystem::path::preferred_separator) folder.push_back('/');
    return folder;
}

}  // namespace

void SetDataFolder(std::string folder) { dataFolder = WithSlash(std::move(folder)); }
void SetUserFolder(std::string folder) { userFolder = WithSlash(std::move(folder)); }
const std::string& DataFolder() { return dataFolder; }
const std::string& UserFolder() { return userFolder; }

std::string DataPath(std::string_view relative) { return dataFolder + std::string(relative); }
std::string UserPath(std::string_view relative) { return userFolder + std::string(relative); }

std::string WorldPath(std::string_view name) {
    const std::string relative = "wld/" + std::string(name) + ".wld";
    std::string own = UserPath(relative);
    std::error_code ec;
    if (std::filesystem::is_regular_file(PathOf(own), ec)) return own;
    return DataPath(relative);
}

std::vector<std::string> DataFolderCandidates(const std::string& given, const std::string& programFolder) {
    if (!given.empty()) return {WithSlash(given)};
    const auto normal = [](const std::string& folder) {
        return WithSlash(TextOfPath(PathOf(folder).lexically_normal()));
    };
    return {normal(programFolder + "/data"), normal(programFolder + "/../share/kolvetra"),
            normal(KOLVETRA_INSTALLED_DATA)};
}

std::string FirstExistingFolder(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        std::error_code ec;
        if (std::filesystem::is_directory(PathOf(folder), ec)) return folder;
    }
    return {};
}

void RemoveInterruptedSaves() {
    for (const char* folder : {"", "prf/", "wld/"}) RemoveLeftoverTemporaryFiles(UserPath(folder));
}
