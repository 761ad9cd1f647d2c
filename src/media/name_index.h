// Lookup by exact, case-sensitive name, answered from a hash index instead
// of a scan: the bases and the GUI are searched by name every frame. The
// media bases keep the first slot of a name (add), the GUI list the last
// (assign).
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

class NameIndex {
  public:
    // Records `name` at `slot` unless an earlier slot already has it.
    void add(std::string_view name, int slot) { slots_.try_emplace(std::string(name), slot); }
    // Records `name` at `slot`, replacing any earlier slot of that name.
    void assign(std::string_view name, int slot) { slots_.insert_or_assign(std::string(name), slot); }
    // The slot recorded for this name, or -1.
    int find(std::string_view name) const {
        const auto it = slots_.find(name);
        return it == slots_.end() ? -1 : it->second;
    }
    void clear() { slots_.clear(); }

  private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, int, Hash, std::equal_to<>> slots_;
};
