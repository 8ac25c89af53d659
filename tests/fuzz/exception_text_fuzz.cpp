#include <cstddef>
#include <cstdint>
#include <string>

#include "hosting/ExceptionText.h"

// The result never holds a bare CR or LF, and only line breaks are added.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    std::wstring result = withWindowsLineBreaks(text);
    std::wstring withoutBreaks;
    for (size_t i = 0; i < result.size(); ++i) {
        if (result[i] == L'\r') {
            if (i + 1 >= result.size() || result[i + 1] != L'\n') __builtin_trap();
            ++i;
        } else if (result[i] == L'\n') {
            __builtin_trap();
        } else {
            withoutBreaks += result[i];
        }
    }
    std::wstring expected;
    for (wchar_t c : text)
        if (c != L'\r' && c != L'\n') expected += c;
    if (withoutBreaks != expected) __builtin_trap();
    return 0;
}
