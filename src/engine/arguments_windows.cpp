// The command line as Windows keeps it, in UTF-16, turned into UTF-8: the
// narrow argv loses every letter outside the system's code page.
// Before windows.h, whose macros would rename the engine's constants.
#include "engine/host.h"
// clang-format off
#include <windows.h>
#include <shellapi.h>  // needs windows.h first
// clang-format on

std::vector<std::string> Host_Arguments(int, char**) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
        if (bytes > 1) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), bytes, nullptr, nullptr);
        arguments.push_back(std::move(text));
    }
    LocalFree(wide);
    return arguments;
}
