#include "core/win/FileSystem.h"

#include <windows.h>

#include <iterator>
#include <vector>

#include "core/win/Scoped.h"

namespace {

const wchar_t kExtendedPrefix[] = L"\\\\?\\";
const wchar_t kExtendedUncPrefix[] = L"\\\\?\\UNC\\";

bool startsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

// Only the extended form reaches past MAX_PATH without the system's long path opt-in.
std::wstring extendedForm(const std::wstring& path) {
    if (startsWith(path, kExtendedPrefix)) return path;
    if (startsWith(path, L"\\\\")) return kExtendedUncPrefix + path.substr(2);
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return kExtendedPrefix + path;
    return {};
}

std::wstring ordinaryForm(const std::wstring& path) {
    if (startsWith(path, kExtendedUncPrefix)) return L"\\\\" + path.substr(std::size(kExtendedUncPrefix) - 1);
    if (startsWith(path, kExtendedPrefix)) return path.substr(std::size(kExtendedPrefix) - 1);
    return path;
}

std::wstring shortForm(const std::wstring& path) {
    DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::vector<wchar_t> buffer(size);
    DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), size);
    if (length == 0 || length >= size) return {};
    return std::wstring(buffer.data(), length);
}

}  // namespace

std::wstring absolutePath(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
        if (length == 0) return path;
        const bool fits = length < full.size();
        full.resize(length);
        if (fits) return full;
    }
}

std::wstring withinMaxPath(const std::wstring& path) {
    if (path.size() < MAX_PATH) return path;
    size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return path;
    // Only the folder: the file itself may not exist yet.
    std::wstring folder = extendedForm(path.substr(0, slash));
    if (folder.empty()) return path;
    std::wstring shortFolder = shortForm(folder);
    if (shortFolder.empty()) return path;
    std::wstring fitting = ordinaryForm(shortFolder) + path.substr(slash);
    return fitting.size() < MAX_PATH ? fitting : path;
}

bool fileExists(const std::wstring& path) {
    // No file name holds these, but the directory lookup would take them as
    // a pattern and report some other file (the DOS forms <>" included).
    if (path.find_first_of(L"*?<>\"") != std::wstring::npos) return false;
    WIN32_FIND_DATAW found;
    ScopedFind search(FindFirstFileW(path.c_str(), &found));
    return static_cast<bool>(search);
}
