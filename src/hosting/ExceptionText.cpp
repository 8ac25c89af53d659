#include "hosting/ExceptionText.h"

std::wstring withWindowsLineBreaks(const std::wstring& text) {
    std::wstring result;
    result.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\r') {
            result += L"\r\n";
            if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else if (c == L'\n') {
            result += L"\r\n";
        } else {
            result += c;
        }
    }
    return result;
}
