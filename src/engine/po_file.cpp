#include "engine/po_file.h"

namespace {

std::string_view Trim(std::string_view s) {
    const size_t start = s.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) return {};
    return s.substr(start, s.find_last_not_of(" \t\r") - start + 1);
}

// One quoted piece with its escapes resolved; false when it is not one.
bool Unquote(std::string_view s, std::string& out) {
    if (s.size() < 2 || s.front() != '"' || s.back() != '"') return false;
    s = s.substr(1, s.size() - 2);
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '"') return false;
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i == s.size()) return false;
        switch (s[i]) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            default: return false;
        }
    }
    return true;
}

}  // namespace

bool ParsePo(std::string_view text, Translations& out, std::string& error) {
    std::string id, str;
    std::string* current = nullptr;  // the string that quoted lines continue
    const auto finish = [&] {
        if (!id.empty() && !str.empty()) out[id] = str;
        id.clear();
        str.clear();
        current = nullptr;
    };
    int number = 0;
    while (!text.empty()) {
        ++number;
        const size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        bool ok = true;
        if (line.empty() || line.front() == '#') {
            continue;
        } else if (line.starts_with("msgid ")) {
            finish();
            current = &id;
            ok = Unquote(Trim(line.substr(6)), id);
        } else if (line.starts_with("msgstr ") && current == &id) {
            current = &str;
            ok = Unquote(Trim(line.substr(7)), str);
        } else if (line.front() == '"' && current) {
            ok = Unquote(line, *current);
        } else {
            ok = false;
        }
        if (!ok) {
            error = "line " + std::to_string(number) + " is not a msgid, msgstr or quoted string";
            return false;
        }
    }
    finish();
    return true;
}
