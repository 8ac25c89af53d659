#include "core/win/Text.h"

#include <windows.h>

#include <vector>

std::string toThreadAnsi(const std::wstring& text) {
    if (text.empty()) return std::string();
    int size =
        WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), &narrow[0], size, nullptr,
                        nullptr);
    return narrow;
}

namespace {

std::wstring fromAnsi(UINT codePage, std::string_view text) {
    const int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

}  // namespace

std::wstring fromThreadAnsi(const std::string& text) { return fromAnsi(CP_THREAD_ACP, text); }

std::wstring fromMachineAnsi(std::string_view text) { return fromAnsi(CP_ACP, text); }

std::wstring expandEnvironment(const std::wstring& text) {
    DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    // A variable may grow between the two calls; ask again until it fits.
    for (;;) {
        std::vector<wchar_t> buffer(size);
        DWORD needed = ExpandEnvironmentStringsW(text.c_str(), buffer.data(), size);
        if (needed == 0) return text;
        if (needed <= size) return std::wstring(buffer.data());
        size = needed;
    }
}

std::wstring environmentVariable(const wchar_t* name) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(length);
    }
}
