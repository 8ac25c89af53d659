#include "core/LogFilePath.h"

#include <cwchar>

#include "core/SettingsRules.h"

namespace {

bool startsAnyCase(const wchar_t* text, const wchar_t* prefix) {
    for (; *prefix; ++text, ++prefix) {
        if (lowerAscii(*text) != lowerAscii(*prefix)) return false;
    }
    return true;
}

bool isAnyCase(const wchar_t* text, size_t length, const wchar_t* name) {
    return std::wcslen(name) == length && startsAnyCase(text, name);
}

// Where the drive or the server begins, after the \\?\ or \\?\UNC\ prefix.
size_t rootStart(const std::wstring& path, bool& share) {
    share = true;
    if (startsAnyCase(path.c_str(), L"\\\\?\\UNC\\")) return 8;
    share = false;
    if (startsAnyCase(path.c_str(), L"\\\\?\\")) return 4;
    share = startsAnyCase(path.c_str(), L"\\\\");
    return share ? 2 : 0;
}

// Windows opens these as devices in any folder, whatever extension or
// trailing spaces follow.
bool isDeviceName(const wchar_t* part, size_t length) {
    size_t base = 0;
    while (base < length && part[base] != L'.') ++base;
    while (base > 0 && part[base - 1] == L' ') --base;
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (isAnyCase(part, base, device)) return true;
    }
    if (base != 4 || !(startsAnyCase(part, L"COM") || startsAnyCase(part, L"LPT"))) return false;
    return (part[3] >= L'0' && part[3] <= L'9') || part[3] == L'\u00B9' || part[3] == L'\u00B2' || part[3] == L'\u00B3';
}

bool isPlainName(const wchar_t* part, size_t length) {
    if (length == 0 || isAnyCase(part, length, L".") || isAnyCase(part, length, L"..")) return false;
    for (size_t i = 0; i < length; ++i) {
        if (part[i] < 32 || std::wcschr(L"<>:\"/|?*", part[i])) return false;
    }
    return !isDeviceName(part, length);
}

}  // namespace

bool isPlainFilePath(const std::wstring& path) {
    bool share = false;
    const wchar_t* part = path.c_str() + rootStart(path, share);
    if (!share) {
        if (lowerAscii(part[0]) < L'a' || lowerAscii(part[0]) > L'z' || part[1] != L':' || part[2] != L'\\') {
            return false;
        }
        part += 3;
    }
    // A drive's folders and file, or a share's server, share, folders and
    // file; the pipe and mailslot shares hold no files.
    for (int index = 0;; ++index) {
        const size_t length = std::wcscspn(part, L"\\");
        if (!isPlainName(part, length)) return false;
        if (share && index == 1 && (isAnyCase(part, length, L"PIPE") || isAnyCase(part, length, L"MAILSLOT"))) {
            return false;
        }
        if (!part[length]) return !share || index >= 2;
        part += length + 1;
    }
}

bool sameFilePath(const std::wstring& reported, const std::wstring& opened) {
    bool reportedShare = false, openedShare = false;
    const wchar_t* a = reported.c_str() + rootStart(reported, reportedShare);
    const wchar_t* b = opened.c_str() + rootStart(opened, openedShare);
    if (reportedShare != openedShare) return false;
    for (; *a || *b; ++a, ++b) {
        if (lowerAscii(*a) != lowerAscii(*b)) return false;
    }
    return true;
}
