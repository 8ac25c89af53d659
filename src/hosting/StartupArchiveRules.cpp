#include "hosting/StartupArchiveRules.h"

#include <cstdint>

std::wstring startupArchiveName(const std::wstring& jvmLibraryPath, const std::wstring& version,
                                const std::wstring& classPath) {
    uint64_t hash = 14695981039346656037ull;
    // Each text ends in a character no path holds, so no two sets of texts hash as one.
    for (const std::wstring* text : {&jvmLibraryPath, &version, &classPath}) {
        for (wchar_t c : *text) hash = (hash ^ static_cast<uint16_t>(c)) * 1099511628211ull;
        hash = (hash ^ L'\n') * 1099511628211ull;
    }
    wchar_t name[] = L"startup-0000000000000000.jsa";
    for (int at = 23; at >= 8; --at, hash >>= 4) name[at] = L"0123456789abcdef"[hash & 15];
    return name;
}
