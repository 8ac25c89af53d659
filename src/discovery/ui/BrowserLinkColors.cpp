#include "discovery/ui/BrowserLinkColors.h"

#include <string>

#include "core/win/Scoped.h"
#include "discovery/ui/AnchorColor.h"

bool readAnchorColorValue(HKEY key, const wchar_t* valueName, COLORREF& color) {
    wchar_t buffer[kMaxAnchorColorLength + 1] = {};
    DWORD type = 0;
    DWORD size = sizeof(buffer);
    if (RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
        return false;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;

    // Stored strings may or may not carry their terminator.
    std::wstring text(buffer, size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    const std::optional<RgbColor> parsed = parseAnchorColor(text);
    if (!parsed) return false;
    color = RGB(parsed->red, parsed->green, parsed->blue);
    return true;
}

void readBrowserLinkColors(COLORREF& linkColor, COLORREF& visitedColor) {
    ScopedRegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Settings", 0, KEY_QUERY_VALUE,
                      key.receive()) != ERROR_SUCCESS) {
        return;
    }
    readAnchorColorValue(key.get(), L"Anchor Color", linkColor);
    readAnchorColorValue(key.get(), L"Anchor Color Visited", visitedColor);
}
