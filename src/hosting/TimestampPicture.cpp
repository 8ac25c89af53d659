#include "hosting/TimestampPicture.h"

#include "core/DecimalText.h"

bool splitTimestampName(const std::wstring& name, TimestampName& parts) {
    size_t first = name.find(L'%');
    if (first == std::wstring::npos) return false;
    size_t last = name.rfind(L'%');
    parts.before = name.substr(0, first);
    parts.picture = last > first ? name.substr(first + 1, last - first - 1) : std::wstring();
    parts.after = name.substr(last + 1);
    return true;
}

std::wstring insertMilliseconds(const std::wstring& picture, unsigned milliseconds) {
    std::wstring digits = decimalText(milliseconds);
    std::wstring text;
    for (wchar_t c : picture) {
        if (c == L'L') {
            text += digits;
        } else {
            text += c;
        }
    }
    return text;
}
