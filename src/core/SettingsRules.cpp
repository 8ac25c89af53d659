#include "core/SettingsRules.h"

#include <string_view>

std::wstring replaceExtensionWithIni(const std::wstring& path) {
    size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos) return std::wstring();
    return path.substr(0, dot + 1) + L"ini";
}

std::wstring settingsBaseName(const std::wstring& path) {
    size_t slash = path.rfind(L'\\');
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name + L".ini";
}

std::wstring productFolderName(const std::wstring& productName) {
    static const wchar_t forbidden[] = L"\\?\"|><:/*";
    std::wstring folder;
    for (wchar_t c : productName) {
        if (std::wstring_view(forbidden).find(c) == std::wstring_view::npos) folder += c;
    }
    return folder;
}

std::wstring plusSectionValue(const std::wstring& value) {
    if (value.empty() || value[0] == L' ') return value;
    return L" " + value;
}

wchar_t lowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool equalsAnyCase(const std::wstring& text, const wchar_t* word) {
    size_t i = 0;
    for (; i < text.size() && word[i] != L'\0'; ++i) {
        if (lowerAscii(text[i]) != lowerAscii(word[i])) return false;
    }
    return i == text.size() && word[i] == L'\0';
}

bool isYesAnyCase(const std::wstring& value) { return equalsAnyCase(value, L"yes"); }

bool isYesExactly(const std::wstring& value) { return value == L"yes"; }

bool isTrueExactly(const std::wstring& value) { return value == L"true"; }

unsigned secondsSetting(const std::wstring& value, unsigned fallback) {
    if (value.empty() || value.size() > 6) return fallback;
    unsigned seconds = 0;
    for (wchar_t c : value) {
        if (c < L'0' || c > L'9') return fallback;
        seconds = seconds * 10 + (c - L'0');
    }
    return seconds;
}

std::wstring withFolderBackslash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') return path;
    return path + L'\\';
}

std::wstring folderOf(const std::wstring& path) {
    size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return std::wstring();
    return path.substr(0, slash + 1);
}

std::wstring withoutLastComponents(const std::wstring& path, int count) {
    std::wstring text = path;
    for (int i = 0; i < count; ++i) {
        size_t slash = text.rfind(L'\\');
        if (slash == std::wstring::npos) break;
        text.erase(slash);
    }
    return text;
}

std::vector<std::wstring> splitSemicolonList(const std::wstring& text) {
    std::vector<std::wstring> pieces;
    size_t start = 0;
    for (size_t end; (end = text.find(L';', start)) != std::wstring::npos; start = end + 1) {
        pieces.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) pieces.push_back(text.substr(start));
    return pieces;
}
