#include "hosting/TextConversion.h"

#include <windows.h>

#include <vector>

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
