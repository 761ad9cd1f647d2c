#include "engine/string_list.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/files.h"

void ClearList(TF_list& list) {
    for (int i = 0; i < list.count; ++i) list.items[i].clear();
    list.count = 0;
}

void AddItem(TF_list& list, std::string_view text) {
    if (list.count >= kListCapacity) return;
    list.items[list.count++].assign(text);
}

void RotateList(TF_list& list, int direction) {
    const int n = list.count;
    if (n <= 0) return;
    if (direction == 1) {
        std::rotate(list.items.begin(), list.items.begin() + (n - 1), list.items.begin() + n);
    } else if (direction == -1) {
        std::rotate(list.items.begin(), list.items.begin() + 1, list.items.begin() + n);
    }
}

bool ReadLines(std::string_view file, TF_list& out) {
    ClearList(out);
    std::ifstream in{PathOf(file), std::ios::binary};
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        AddItem(out, line);
    }
    if (in.bad()) {
        ClearList(out);
        return false;
    }
    return true;
}

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Wildcard match with '*' and '?', ignoring ASCII letter case. "*.*" also
// matches names without a dot, as it always did on the original platform.
bool Matches(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*") return true;
    size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool CaseInsensitiveLess(const std::string& a, const std::string& b) {
    const auto lower = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                    [](char x, char y) { return Lower(x) < Lower(y); });
    if (lower) return true;
    const auto greater = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                                      [](char x, char y) { return Lower(x) < Lower(y); });
    return !greater && a < b;  // equal but for case: a fixed order all the same
}

}  // namespace

TF_list ListFiles(std::string_view mask) {
    namespace fs = std::filesystem;
    const size_t slash = mask.find_last_of("/\\");
    const std::string folder = slash == std::string_view::npos ? "." : std::string(mask.substr(0, slash + 1));
    const std::string_view pattern = slash == std::string_view::npos ? mask : mask.substr(slash + 1);

    TF_list list;
    std::error_code ec;
    bool matchedAny = false;
    std::vector<std::string> names;
    if (fs::is_directory(PathOf(folder), ec)) {
        matchedAny = Matches(pattern, ".") || Matches(pattern, "..");
        for (fs::directory_iterator it(PathOf(folder), ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = TextOfPath(it->path().filename());
            if (IsTemporaryFileName(name) || !Matches(pattern, name)) continue;
            matchedAny = true;
            if (!it->is_directory(ec)) names.push_back(name);
        }
    }
    if (!matchedAny) {
        AddItem(list, "");
        return list;
    }
    std::sort(names.begin(), names.end(), CaseInsensitiveLess);
    for (const std::string& name : names) AddItem(list, name);
    return list;
}

std::string StripExtension(std::string_view name) {
    const size_t dot = name.find_last_of('.');
    const size_t sep = name.find_last_of("\\/:");
    if (dot == std::string_view::npos || (sep != std::string_view::npos && dot < sep)) return std::string(name);
    return std::string(name.substr(0, dot));
}
