// A replacement the check admits is filled with the built-in text's own
// arguments without reading one it was not given (the sanitizers watch).
#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <string>

#include "core/FormatPlaceholders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The string table's kinds of formats.
    static const wchar_t* const builtIns[] = {L"text", L"%s.\n", L"%d", L"%s (%d).\n", L"%s\n%s.\n"};
    if (size == 0) return 0;
    const std::wstring builtIn = builtIns[data[0] % 5];
    std::wstring replacement;
    for (size_t i = 1; i + 1 < size; i += 2) {
        const wchar_t unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit) replacement += unit;
    }
    if (placeholderMismatch(builtIn, builtIn) != nullptr) __builtin_trap();
    if (placeholderMismatch(builtIn, replacement) != nullptr) return 0;

    // Native wide formatting takes a narrow string for %s.
    wchar_t buffer[64];
    const wchar_t* format = replacement.c_str();
    switch (data[0] % 5) {
        case 0: swprintf(buffer, 64, format, 0); break;
        case 1: swprintf(buffer, 64, format, "path"); break;
        case 2: swprintf(buffer, 64, format, 193); break;
        case 3: swprintf(buffer, 64, format, "path", 193); break;
        default: swprintf(buffer, 64, format, "what", "why"); break;
    }
    return 0;
}
